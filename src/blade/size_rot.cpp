#include "blade/size_rot.h"

#include <array>

#include "geometry/vector_matrix.h"
#include "model/text_fields.h"
#include "model/value_functions.h"

namespace modSizeRot {

using model::clsStore;
using model::tValue;
namespace slot = model::slot;

namespace {

void storeLong(clsStore& store, int slotNumber, const tValue& value) {
  modStore::writeSlot(store, slotNumber,
                      static_cast<std::int32_t>(modGeneral::clampValue(modGeneral::toLong(value), 1, 100)));
}

std::int32_t longSlot(const clsStore& store, int slotNumber) {
  return modGeneral::toLong(modStore::readSlot(store, slotNumber));
}

float percentOf(const model::clsSnapshot& snapshot, int element, int slotNumber) {
  return static_cast<float>(modGeneral::toInteger(modSnapshot::readSnapshotSlot(snapshot, element, slotNumber))) / 100;
}

float radiansOf(const model::clsSnapshot& snapshot, int element, int slotNumber) {
  return modGeneral::degToRad(modGeneral::toSingle(modSnapshot::readSnapshotSlot(snapshot, element, slotNumber)));
}

}  // namespace

void loadSizeRot(clsStore& store) {
  constexpr std::array<std::int16_t, 10> kLoadValues = {10, 90, 180, 0, 10, 10, 10, 2, 2, 0};
  for (int e = 1; e <= model::kElementCount; ++e)
    for (int i = 0; i < 10; ++i) {
      const int slotNumber = slot::kSizeVar + i;
      if (slotNumber == slot::kMinPerClump || slotNumber == slot::kMaxPerClump)
        modStore::writeElementSlot(store, e, slotNumber, static_cast<std::int32_t>(kLoadValues[static_cast<std::size_t>(i)]));
      else
        modStore::writeElementSlot(store, e, slotNumber, kLoadValues[static_cast<std::size_t>(i)]);
    }
}

void setSizeVar(clsStore& store, const tValue& value, bool) { modStore::writeIntegerSlot(store, slot::kSizeVar, value, 0, 100); }
void setSpinStart(clsStore& store, const tValue& value, bool) { modStore::writeIntegerSlot(store, slot::kSpinStart, value, 0, 360); }
void setSpinRange(clsStore& store, const tValue& value, bool) { modStore::writeIntegerSlot(store, slot::kSpinRange, value, 0, 360); }
void setSpinShare(clsStore& store, const tValue& value, bool) { modStore::writeIntegerSlot(store, slot::kSpinShare, value, 0, 100); }

void setLean(clsStore& store, int index, const tValue& value, bool) {
  if (index < 1 || index > 3) return;
  modStore::writeIntegerSlot(store, slot::kLeanX + index - 1, value, 0, 180);
}

void setMinPerClump(clsStore& store, const tValue& value, bool editor) {
  storeLong(store, slot::kMinPerClump, value);
  const std::int32_t minimum = longSlot(store, slot::kMinPerClump);
  if (editor && longSlot(store, slot::kMaxPerClump) < minimum) setMaxPerClump(store, minimum, true);
}

void setMaxPerClump(clsStore& store, const tValue& value, bool editor) {
  storeLong(store, slot::kMaxPerClump, value);
  const std::int32_t maximum = longSlot(store, slot::kMaxPerClump);
  if (editor && longSlot(store, slot::kMinPerClump) > maximum) setMinPerClump(store, maximum, true);
}

void setTwistChance(clsStore& store, const tValue& value, bool) {
  modStore::writeIntegerSlot(store, slot::kTwistChance, value, 0, 100);
}

blade::clsSizeRot readSizeRot(const model::clsSnapshot& snapshot, int element) {
  const auto integer = [&](int slotNumber) {
    return modGeneral::toInteger(modSnapshot::readSnapshotSlot(snapshot, element, slotNumber));
  };
  blade::clsSizeRot values;
  values.sizeVar = percentOf(snapshot, element, slot::kSizeVar);
  values.spinStart = radiansOf(snapshot, element, slot::kSpinStart);
  values.spinRange = radiansOf(snapshot, element, slot::kSpinRange);
  values.spinShare = percentOf(snapshot, element, slot::kSpinShare);
  values.leanX = radiansOf(snapshot, element, slot::kLeanX);
  values.leanLeft = radiansOf(snapshot, element, slot::kLeanX + 1);
  values.leanRight = radiansOf(snapshot, element, slot::kLeanX + 2);
  values.minPerClump = integer(slot::kMinPerClump);
  values.maxPerClump = integer(slot::kMaxPerClump);
  values.twistChance = percentOf(snapshot, element, slot::kTwistChance);
  return values;
}

blade::clsItemDraws drawItemValues(model::clsRandom& random, const blade::clsSizeRot& values) {
  blade::clsItemDraws d;
  if (values.sizeVar > 0) d.size = static_cast<float>(modRandom::randomBetween(random, 0, values.sizeVar, false, true));
  d.leansX = values.leanX > 0;
  if (d.leansX) d.leanX = static_cast<float>(modRandom::randomBetween(random, 0, values.leanX, false, true));
  d.leansSide = values.leanLeft > 0 || values.leanRight > 0;
  if (d.leansSide)
    d.lean = modRandom::randomBetween(random, 0, static_cast<double>(values.leanLeft) + values.leanRight, false, false) -
             values.leanRight;
  if (static_cast<float>(random.draw()) < values.spinShare)
    d.spin = values.spinStart + modRandom::randomBetween(random, 0, values.spinRange, false, false);
  else
    d.spin = modRandom::randomBetween(random, 0, geometry::kTwoPi, false, false);
  return d;
}

geometry::tMatrix itemTransform(const blade::clsItemDraws& d) {
  using namespace modVectorMatrix;
  geometry::tMatrix m = scaleMatrix(1 + d.size, 1 + d.size, 1 + d.size);
  if (d.leansX) multiplyMatrix(m, axisRotationMatrix(1, d.leanX));
  if (d.leansSide) multiplyMatrix(m, axisRotationMatrix(3, static_cast<float>(d.lean)));
  multiplyMatrix(m, axisRotationMatrix(2, static_cast<float>(d.spin)));
  return m;
}

geometry::tMatrix drawItemTransform(model::clsRandom& random, const blade::clsSizeRot& values) {
  return itemTransform(drawItemValues(random, values));
}

std::int32_t drawClumpSize(model::clsRandom& random, const blade::clsSizeRot& values) {
  if (values.maxPerClump <= 1) return 1;
  return static_cast<std::int32_t>(modRandom::randomBetween(random, values.minPerClump, values.maxPerClump, true, false));
}

}  // namespace modSizeRot

namespace blade {

std::string clsSizeRotRecords::toTextSettings() const {
  std::string text;
  for (int e = 1; e <= model::kElementCount; ++e) {
    text += "Size_Rot " + std::to_string(e);
    for (int s = model::slot::kSizeVar; s <= model::slot::kTwistChance; ++s)
      text += ' ' + std::to_string(modGeneral::toLong(modStore::readElementSlot(store_, e, s)));
    text += modText::kLineBreak;
  }
  return text;
}

model::RecordStatus clsSizeRotRecords::fromTextSettings(std::string_view keyword, const model::tFields& fields) {
  if (keyword != "size_rot") return model::RecordStatus::NotMine;
  std::array<double, 11> values{};
  if (!modSettings::numberFields(fields, 1, values)) return model::RecordStatus::Failed;
  modStore::setActiveElement(store_, modStore::clampElement(values[0]));
  modSizeRot::setSizeVar(store_, values[1], false);
  modSizeRot::setSpinStart(store_, values[2], false);
  modSizeRot::setSpinRange(store_, values[3], false);
  modSizeRot::setSpinShare(store_, values[4], false);
  for (int lean = 1; lean <= 3; ++lean) modSizeRot::setLean(store_, lean, values[static_cast<std::size_t>(4 + lean)], false);
  modSizeRot::setMinPerClump(store_, values[8], false);
  modSizeRot::setMaxPerClump(store_, values[9], false);
  modSizeRot::setTwistChance(store_, values[10], false);
  return model::RecordStatus::Applied;
}

}  // namespace blade
