#include "blade/width_profile.h"

#include <cmath>

#include "blade/curve.h"
#include "blade/curve_records.h"
#include "model/value_functions.h"

namespace modWidthProfile {

namespace slot = model::slot;

namespace {

std::int16_t integerSlot(const clsStore& store, int slotNumber) {
  return modGeneral::toInteger(modStore::readSlot(store, slotNumber));
}

void storeFlag(clsStore& store, int slotNumber, const tValue& value) {
  modStore::writeSlot(store, slotNumber, static_cast<std::int16_t>(modGeneral::toInteger(value) != 0 ? 1 : 0));
}

// Clamped to 1..node count.
void storeNode(clsStore& store, int slotNumber, const tValue& value) {
  modStore::writeIntegerSlot(store, slotNumber, value, 1, integerSlot(store, slot::kNodeCount));
}

blade::tWidthTable& tableOf(const clsStore& store, clsWidthProfile& widths, int side) {
  return widths.elements[static_cast<std::size_t>(store.activeElement - 1)].side[static_cast<std::size_t>(side)];
}

int activeSide(const clsStore& store) { return integerSlot(store, slot::kActiveSide) != 0 ? 1 : 0; }

}  // namespace

void loadShape(clsStore& store, clsWidthProfile& widths) {
  widths = clsWidthProfile{};
  for (int e = 1; e <= model::kElementCount; ++e) {
    const auto write = [&](int slotNumber, std::int16_t value) { modStore::writeElementSlot(store, e, slotNumber, value); };
    write(slot::kSymmetric, 1);
    write(slot::kNodeCount, 2);
    write(slot::kCompoundCount, model::isRock(e) ? 0 : 1);
    modStore::writeElementSlot(store, e, slot::kCompoundAngle, 30.0f);
    write(slot::kCompoundSize, -10);
    write(slot::kJointNode, 1);
    write(slot::kSplitNode, 1);
    write(slot::kSectionChange, 0);
    write(slot::kWidthVariation, 10);
    write(slot::kSecondColourNode, 2);
    write(slot::kActiveNode, 1);
    write(slot::kActiveSide, 1);
  }
}

void setSymmetric(clsStore& store, const tValue& value, bool) { storeFlag(store, slot::kSymmetric, value); }

void setNodeCount(clsStore& store, const tValue& value, bool editor) {
  const auto n = modGeneral::toClampedInteger(value, 2, blade::kMaxNodes);
  const bool topIsSecond = n == integerSlot(store, slot::kSecondColourNode);
  const bool sameCount = n == integerSlot(store, slot::kNodeCount);
  modStore::writeSlot(store, slot::kNodeCount, n);
  blade::clsCurve& curve = modCurveRecords::curveOf(store, store.activeElement);
  curve.sideNum = static_cast<std::int16_t>(n - 1);
  modCurve::fitIntervals(curve);
  if (!editor) return;
  if (n < integerSlot(store, slot::kActiveNode)) setActiveNode(store, n, true);
  // A new count moves the second colour set's node to the new top; the same count again only
  // pulls it down when it lies above the top.
  if (topIsSecond == sameCount || n < integerSlot(store, slot::kSecondColourNode)) setSecondColourNode(store, n, true);
  if (n < integerSlot(store, slot::kSplitNode)) setSplitNode(store, n, true);
}

void setCompoundCount(clsStore& store, const tValue& value, bool) {
  if (model::isRock(store.activeElement))
    modStore::writeIntegerSlot(store, slot::kCompoundCount, value, 0, 1);
  else
    modStore::writeIntegerSlot(store, slot::kCompoundCount, value, 1, 30);
}

void setCompoundAngle(clsStore& store, const tValue& value, bool) {
  modStore::writeSlot(store, slot::kCompoundAngle,
                      static_cast<float>(modGeneral::clampValue(modGeneral::toSingle(value), 0, 180)));
}

void setCompoundSize(clsStore& store, const tValue& value, bool) {
  modStore::writeIntegerSlot(store, slot::kCompoundSize, value, -100, 100);
}

void setJointNode(clsStore& store, const tValue& value, bool editor) {
  storeNode(store, slot::kJointNode, value);
  const std::int16_t joint = integerSlot(store, slot::kJointNode);
  if (editor && joint > integerSlot(store, slot::kSplitNode)) setSplitNode(store, joint, true);
}

void setSplitNode(clsStore& store, const tValue& value, bool editor) {
  storeNode(store, slot::kSplitNode, value);
  const std::int16_t split = integerSlot(store, slot::kSplitNode);
  if (editor && split < integerSlot(store, slot::kJointNode)) setJointNode(store, split, true);
}

void setSectionChange(clsStore& store, const tValue& value, bool) {
  modStore::writeIntegerSlot(store, slot::kSectionChange, value, -30, 30);
  modCurveRecords::curveOf(store, store.activeElement).changeLenPercent = integerSlot(store, slot::kSectionChange);
}

void setWidthVariation(clsStore& store, const tValue& value, bool) {
  modStore::writeIntegerSlot(store, slot::kWidthVariation, value, 0, 100);
}

void setSecondColourNode(clsStore& store, const tValue& value, bool) { storeNode(store, slot::kSecondColourNode, value); }
void setActiveNode(clsStore& store, const tValue& value, bool) { storeNode(store, slot::kActiveNode, value); }
void setActiveSide(clsStore& store, const tValue& value, bool) { storeFlag(store, slot::kActiveSide, value); }

void setWidth(const clsStore& store, clsWidthProfile& widths, int side, int node, const tValue& width, bool noMirror) {
  if (node < 1 || node > blade::kMaxNodes || side < 0 || side > 1) return;
  const float w = modGeneral::toSingle(width);
  tableOf(store, widths, side)[static_cast<std::size_t>(node - 1)] = w < 0 ? 0 : w;
  if (!noMirror && integerSlot(store, slot::kSymmetric) == 1) setWidth(store, widths, 1 - side, node, width, true);
}

void setNodeWidths(const clsStore& store, clsWidthProfile& widths, int node, const tValue& side1, const tValue& side2) {
  setWidth(store, widths, 0, node, side1, true);
  setWidth(store, widths, 1, node, side2, true);
}

float width(const clsStore& store, const clsWidthProfile& widths, int side, int node) {
  if (node == 0) node = integerSlot(store, slot::kActiveNode);
  if (node < 1 || node > blade::kMaxNodes || side < 0 || side > 1) return 0;
  return widths.elements[static_cast<std::size_t>(store.activeElement - 1)]
      .side[static_cast<std::size_t>(side)][static_cast<std::size_t>(node - 1)];
}

std::int16_t nodeCount(const clsStore& store, int element) {
  return modGeneral::toInteger(modStore::readElementSlot(store, element, slot::kNodeCount));
}

void sameAll(const clsStore& store, clsWidthProfile& widths) {
  const int side = activeSide(store);
  const float value = width(store, widths, side, 0);
  for (int j = 1; j <= integerSlot(store, slot::kNodeCount); ++j) setWidth(store, widths, side, j, value, false);
}

void alignAll(const clsStore& store, clsWidthProfile& widths) {
  const int side = activeSide(store);
  const int n = integerSlot(store, slot::kNodeCount);
  const float first = width(store, widths, side, 1), last = width(store, widths, side, n);
  constexpr float kViewLength = 1;
  const std::vector<float> positions =
      sectionPositions(kViewLength, n, static_cast<float>(integerSlot(store, slot::kSectionChange)));
  for (int j = 2; j < n; ++j)
    setWidth(store, widths, side, j, first + (last - first) * positions[static_cast<std::size_t>(j - 1)] / kViewLength,
             true);
}

void equalAbove(const clsStore& store, clsWidthProfile& widths) {
  const int side = activeSide(store);
  const int a = integerSlot(store, slot::kActiveNode);
  const int source = a >= integerSlot(store, slot::kNodeCount) ? 1 : a + 1;
  setWidth(store, widths, side, a, width(store, widths, side, source), false);
}

void equalSide(const clsStore& store, clsWidthProfile& widths) {
  const int side = activeSide(store);
  const int a = integerSlot(store, slot::kActiveNode);
  setWidth(store, widths, side, a, width(store, widths, 1 - side, a), true);
}

void equalBelow(const clsStore& store, clsWidthProfile& widths) {
  const int side = activeSide(store);
  const int a = integerSlot(store, slot::kActiveNode);
  const int source = a <= 1 ? integerSlot(store, slot::kNodeCount) : a - 1;
  setWidth(store, widths, side, a, width(store, widths, side, source), false);
}

std::vector<float> sectionPositions(float length, int nodes, float changePercent) {
  if (nodes < 2) return std::vector<float>(nodes > 0 ? 1 : 0, 0.0f);
  std::vector<float> positions(static_cast<std::size_t>(nodes), 0.0f);
  const float r = 1 + changePercent / 100;
  float section = length / static_cast<float>(nodes - 1);
  if (changePercent != 0) {
    float series = 0, power = 1;
    for (int i = 0; i < nodes - 1; ++i, power *= r) series += power;
    section = length / series;
  }
  for (std::size_t j = 1; j < positions.size(); ++j) {
    positions[j] = positions[j - 1] + section;
    if (changePercent != 0) section *= r;
  }
  return positions;
}

float varyWidth(model::clsRandom& random, float w, float v) {
  float change = static_cast<float>(random.draw()) * w * v;
  if (random.draw() < 0.5) change = -change;
  const float varied = w + change;
  return varied < 0 ? 0 : varied;
}

std::array<std::vector<float>, 2> previewWidths(const clsStore& store, const clsWidthProfile& widths,
                                                model::clsRandom& random) {
  const int n = integerSlot(store, slot::kNodeCount);
  const float v = static_cast<float>(integerSlot(store, slot::kWidthVariation)) / 100;
  std::array<std::vector<float>, 2> varied;
  for (int j = 1; j <= n; ++j)
    for (int side = 0; side < 2; ++side) varied[static_cast<std::size_t>(side)].push_back(varyWidth(random, width(store, widths, side, j), v));
  return varied;
}

}  // namespace modWidthProfile
