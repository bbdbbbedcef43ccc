#pragma once
// One settings line given to its record owner, as the settings text gives it: for the tests of
// each layer's records, without the open document.

#include "model/settings_text.h"
#include "model/text_fields.h"

namespace support {

inline model::RecordStatus applyLine(model::IRecordOwner& owner, std::string_view line) {
  const model::tFields fields = modText::splitFields(line);
  return owner.fromTextSettings(modText::lowerAscii(fields.at(0)), fields);
}

}  // namespace support
