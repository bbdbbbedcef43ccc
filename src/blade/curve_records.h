#pragma once
// The curve values of each element: the curve record (slot 3), tip variation (slots 4 to 6),
// points in use (slot 7) and the active point (slot 8), with the "Curve" settings record.

#include "blade/curve.h"
#include "model/settings_text.h"
#include "model/slots.h"
#include "model/store.h"

namespace blade {

class clsCurveRecords final : public model::IRecordOwner {
 public:
  explicit clsCurveRecords(model::clsStore& store) : store_(store) {}
  std::string toTextSettings() const override;
  model::RecordStatus fromTextSettings(std::string_view keyword, const model::tFields& fields) override;

 private:
  model::clsStore& store_;
};

}  // namespace blade

namespace modCurveRecords {

// Every element's curve as the curve editor loads it, before the default text replaces it.
void loadCurves(model::clsStore& store);

// The curve record of an element; every loaded store has one in each element.
blade::clsCurve& curveOf(model::clsStore& store, int element);
const blade::clsCurve& curveOf(const model::clsStore& store, int element);

// Setters on the active element.
void setPointCount(model::clsStore& store, const model::tValue& value);
void setActivePoint(model::clsStore& store, const model::tValue& value);
void setPointPosition(model::clsStore& store, int index, const model::tValue& x, const model::tValue& y);
void setPointWeight(model::clsStore& store, int index, const model::tValue& weight);
// Spreads X, Y and Z (percent of the unit height) over the control points and stores slots 4 to 6.
void setCurveVariation(model::clsStore& store, const model::tValue& x, const model::tValue& y, const model::tValue& z);

}  // namespace modCurveRecords
