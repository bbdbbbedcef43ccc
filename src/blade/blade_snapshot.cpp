#include "blade/blade_snapshot.h"

#include "blade/curve.h"
#include "blade/curve_records.h"
#include "geometry/vector_matrix.h"

namespace modBladeSnapshot {
namespace {

const blade::clsCurve* curveIn(const model::clsSnapshot& snapshot, int element) {
  const auto* ref = std::get_if<model::clsObjectRef>(&modSnapshot::readSnapshotSlot(snapshot, element, model::slot::kCurve));
  return ref != nullptr ? ref->as<blade::clsCurve>() : nullptr;
}

float lengthOf(const blade::clsCurve* curve) {
  if (curve == nullptr) return 0;
  return modCurve::curveLength(*curve).value_or(0.0f);
}

}  // namespace

float curveScaleFactor(const model::clsSnapshot& snapshot, float grassLength) {
  const float length = lengthOf(curveIn(snapshot, 1));
  return length != 0 ? grassLength / length : 1.0f;
}

blade::clsScaledWidths scaledWidths(const model::clsSnapshot& snapshot, const blade::clsWidthProfile& widths,
                                    int element, float factor) {
  blade::clsScaledWidths scaled;
  const blade::clsCurve* curve = curveIn(snapshot, element);
  float length = 0;
  if (!model::isRock(element))
    length = lengthOf(curve);
  else if (curve != nullptr && !curve->cp.v.empty())
    length = modVectorMatrix::distance(curve->cp.v.front().p, curve->cp.v.back().p);
  scaled.scaledLength = factor * length;
  const blade::clsElementWidths& source = widths.elements[static_cast<std::size_t>(element - 1)];
  for (std::size_t side = 0; side < 2; ++side)
    for (std::size_t i = 0; i < blade::kMaxNodes; ++i) scaled.side[side][i] = scaled.scaledLength * source.side[side][i];
  return scaled;
}

}  // namespace modBladeSnapshot
