#pragma once
// The palette's settings record: one "Material" line per element.

#include "model/settings_text.h"
#include "model/store.h"

namespace materials {

// The eleven "Material" lines of a store's palettes.
std::string materialLines(const model::clsStore& store);

class clsMaterialRecords final : public model::IRecordOwner {
 public:
  explicit clsMaterialRecords(model::clsStore& store) : store_(store) {}
  std::string toTextSettings() const override;
  model::RecordStatus fromTextSettings(std::string_view keyword, const model::tFields& fields) override;

 private:
  model::clsStore& store_;
};

}  // namespace materials
