#pragma once
// The element list's values: each element's use flag (slot 1) and name (slot 2), the grass-1
// length, and their settings records "Usage" and "Usage_Info".

#include <string>

#include "model/settings_text.h"
#include "model/store.h"

namespace modUsage {

// Names every element ("grass 1".."grass 7", "rock 1".."rock 4"), puts element 1 alone in use
// and sets the grass-1 length to 1.
void loadElementList(model::clsStore& store);
std::string defaultName(int element);

void setUse(model::clsStore& store, int element, const model::tValue& value);
// "<sp>" in the text becomes a blank.
void setName(model::clsStore& store, int element, std::string_view text);
// At least 0.0000001: the length can never be 0.
void setLength(model::clsStore& store, const model::tValue& value);

bool inUse(const model::clsStore& store, int element);
std::string name(const model::clsStore& store, int element);

}  // namespace modUsage

namespace model {

class clsUsageRecords final : public IRecordOwner {
 public:
  explicit clsUsageRecords(clsStore& store) : store_(store) {}
  std::string toTextSettings() const override;
  RecordStatus fromTextSettings(std::string_view keyword, const tFields& fields) override;

 private:
  clsStore& store_;
};

}  // namespace model
