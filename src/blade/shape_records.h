#pragma once
// The width profile's settings records: one "Shape" line per element followed by a "Node_Wi"
// line for each of its nodes.

#include "blade/width_profile.h"
#include "model/settings_text.h"

namespace blade {

class clsShapeRecords final : public model::IRecordOwner {
 public:
  clsShapeRecords(model::clsStore& store, clsWidthProfile& widths) : store_(store), widths_(widths) {}
  std::string toTextSettings() const override;
  model::RecordStatus fromTextSettings(std::string_view keyword, const model::tFields& fields) override;

 private:
  model::RecordStatus applyShape(const model::tFields& fields);
  model::RecordStatus applyNodeWidths(const model::tFields& fields);

  model::clsStore& store_;
  clsWidthProfile& widths_;
};

}  // namespace blade
