#include "blade/curve_records.h"

#include <array>

#include "model/number_format.h"
#include "model/text_fields.h"
#include "model/value_functions.h"

namespace modCurveRecords {

using blade::clsCurve;
using model::clsStore;
using model::tValue;
namespace slot = model::slot;

namespace {

std::int16_t integerSlot(const clsStore& store, int element, int slotNumber) {
  return modGeneral::toInteger(modStore::readElementSlot(store, element, slotNumber));
}

int pointsInUse(const clsStore& store) { return integerSlot(store, store.activeElement, slot::kPointCount); }

// Amount = f x numerator / denominator on every axis, with chance 100.
void setAmounts(geometry::clsVertex& point, float fx, float fy, float fz, float numerator, float denominator) {
  point.vX = fx * numerator / denominator;
  point.vY = fy * numerator / denominator;
  point.vZ = fz * numerator / denominator;
  point.fX = point.fY = point.fZ = 100;
}

void reapplyVariation(clsStore& store) {
  const int e = store.activeElement;
  setCurveVariation(store, modStore::readElementSlot(store, e, slot::kVariationX),
                    modStore::readElementSlot(store, e, slot::kVariationX + 1),
                    modStore::readElementSlot(store, e, slot::kVariationX + 2));
}

}  // namespace

clsCurve& curveOf(clsStore& store, int element) {
  const auto& ref = std::get<model::clsObjectRef>(modStore::readElementSlot(store, element, slot::kCurve));
  return *ref.as<clsCurve>();
}

const clsCurve& curveOf(const clsStore& store, int element) {
  const auto& ref = std::get<model::clsObjectRef>(modStore::readElementSlot(store, element, slot::kCurve));
  return *ref.as<clsCurve>();
}

void loadCurves(clsStore& store) {
  static constexpr std::array<std::array<float, 2>, 3> kGrass = {{{0, 0}, {0, 0.5f}, {0.2f, 0.8f}}};
  static constexpr std::array<std::array<float, 2>, 4> kRock = {{{-0.2f, 0}, {-0.5f, 0.4f}, {0.5f, 0.4f}, {0.2f, 0}}};
  for (int e = 1; e <= model::kElementCount; ++e) {
    auto curve = std::make_unique<clsCurve>(modCurve::newCurve(3, 10, 5, 0, 0, 0, false));
    if (model::isRock(e))
      for (const auto& p : kRock) modTube::addVertex(curve->cp, p[0], p[1], 0);
    else
      for (const auto& p : kGrass) modTube::addVertex(curve->cp, p[0], p[1], 0);
    modStore::writeElementSlot(store, e, slot::kCurve, model::clsObjectRef(std::move(curve)));
    for (int axis = 0; axis < 3; ++axis) modStore::writeElementSlot(store, e, slot::kVariationX + axis, std::int16_t{10});
    const std::int16_t points = model::isRock(e) ? 4 : 3;
    modStore::writeElementSlot(store, e, slot::kPointCount, points);
    modStore::writeElementSlot(store, e, slot::kActivePoint, points);
  }
}

void setPointCount(clsStore& store, const tValue& value) {
  const auto n = modGeneral::toClampedInteger(value, 3, 4);
  const int was = pointsInUse(store);
  clsCurve& curve = curveOf(store, store.activeElement);
  if (was == 3 && n == 4) {
    modStore::writeSlot(store, slot::kPointCount, std::int16_t{4});
    modTube::addVertex(curve.cp, 0, 0, 0);
    reapplyVariation(store);
    setActivePoint(store, 4);
  } else if (was == 4 && n == 3) {
    modStore::writeSlot(store, slot::kPointCount, std::int16_t{3});
    if (curve.cp.v.size() > 3) curve.cp.v.resize(3);
    reapplyVariation(store);
    if (integerSlot(store, store.activeElement, slot::kActivePoint) == 4) setActivePoint(store, 3);
  }
}

void setActivePoint(clsStore& store, const tValue& value) {
  modStore::writeIntegerSlot(store, slot::kActivePoint, value, 1, pointsInUse(store));
}

void setPointPosition(clsStore& store, int index, const tValue& x, const tValue& y) {
  clsCurve& curve = curveOf(store, store.activeElement);
  if (index < 1 || index > pointsInUse(store) || index > static_cast<int>(curve.cp.v.size())) return;
  geometry::clsVertex& point = curve.cp.v[static_cast<std::size_t>(index - 1)];
  point.p = {modGeneral::toSingle(x), modGeneral::toSingle(y), 0};
}

void setPointWeight(clsStore& store, int index, const tValue& weight) {
  clsCurve& curve = curveOf(store, store.activeElement);
  if (index < 1 || index > pointsInUse(store) || index > static_cast<int>(curve.cp.v.size())) return;
  curve.cp.v[static_cast<std::size_t>(index - 1)].w =
      static_cast<float>(modGeneral::clampValue(modGeneral::toSingle(weight), 0.1f, 10));
}

void setCurveVariation(clsStore& store, const tValue& x, const tValue& y, const tValue& z) {
  const std::array<std::int16_t, 3> percent = {
      modGeneral::toClampedInteger(x, 0, 100),
      modGeneral::toClampedInteger(y, 0, 100),
      modGeneral::toClampedInteger(z, 0, 100)};
  const float fx = static_cast<float>(percent[0]) / 100, fy = static_cast<float>(percent[1]) / 100,
              fz = static_cast<float>(percent[2]) / 100;
  auto& points = curveOf(store, store.activeElement).cp.v;
  const int n = pointsInUse(store);
  const auto at = [&](int index) -> geometry::clsVertex* {
    return index <= static_cast<int>(points.size()) ? &points[static_cast<std::size_t>(index - 1)] : nullptr;
  };
  const auto write = [&](int index, float numerator, float denominator) {
    if (geometry::clsVertex* point = at(index)) setAmounts(*point, fx, fy, fz, numerator, denominator);
  };
  if (!model::isRock(store.activeElement)) {
    // The tip gets the full amount, the points below it proportionally less.
    if (n == 3) write(2, 1, 2), write(3, 1, 1);
    if (n == 4) write(2, 1, 3), write(3, 2, 3), write(4, 1, 1);
  } else {
    // A rock's outline keeps its two ends; the inner points move.
    if (n == 3) write(2, 1, 1);
    if (n == 4) write(2, 1, 1), write(3, 1, 1);
  }
  for (int axis = 0; axis < 3; ++axis) modStore::writeSlot(store, slot::kVariationX + axis, percent[static_cast<std::size_t>(axis)]);
}

}  // namespace modCurveRecords

namespace blade {

std::string clsCurveRecords::toTextSettings() const {
  std::string text;
  for (int e = 1; e <= model::kElementCount; ++e) {
    text += "Curve " + std::to_string(e);
    for (int s = model::slot::kVariationX; s <= model::slot::kActivePoint; ++s)
      text += ' ' + std::to_string(modGeneral::toInteger(modStore::readElementSlot(store_, e, s)));
    const auto& points = modCurveRecords::curveOf(store_, e).cp.v;
    for (std::size_t i = 0; i < 4; ++i) {
      if (i >= points.size()) {
        text += " 0 0 0";
        continue;
      }
      for (float value : {points[i].p.x, points[i].p.y, points[i].w}) {
        text += ' ';
        modNumber::appendSingle(text, value);
      }
    }
    text += modText::kLineBreak;
  }
  return text;
}

model::RecordStatus clsCurveRecords::fromTextSettings(std::string_view keyword, const model::tFields& fields) {
  if (keyword != "curve") return model::RecordStatus::NotMine;
  std::array<double, 18> values{};
  if (!modSettings::numberFields(fields, 1, std::span(values).first(15))) return model::RecordStatus::Failed;
  const bool fourPoints = modGeneral::toInteger(values[4]) == 4;
  if (fourPoints && !modSettings::numberFields(fields, 16, std::span(values).subspan(15)))
    return model::RecordStatus::Failed;

  modStore::setActiveElement(store_, modStore::clampElement(values[0]));
  modCurveRecords::setPointCount(store_, values[4]);
  for (int point = 1; point <= (fourPoints ? 4 : 3); ++point) {
    const std::size_t at = 6 + 3 * static_cast<std::size_t>(point - 1);
    modCurveRecords::setPointPosition(store_, point, values[at], values[at + 1]);
    modCurveRecords::setPointWeight(store_, point, values[at + 2]);
  }
  modCurveRecords::setCurveVariation(store_, values[1], values[2], values[3]);
  modCurveRecords::setActivePoint(store_, values[5]);
  return model::RecordStatus::Applied;
}

}  // namespace blade
