#include "blade/width_profile.h"

#include <gtest/gtest.h>

#include "blade/blade_records.h"
#include "blade/blade_snapshot.h"

using namespace modWidthProfile;
namespace slot = model::slot;

namespace {

class WidthProfile : public ::testing::Test {
 protected:
  model::clsStore& store() { return records.store; }
  blade::clsWidthProfile& widths() { return records.widths; }
  int slotOf(int s) { return modGeneral::toInteger(modStore::readSlot(store(), s)); }
  bool apply(std::string_view line) { return support::applyLine(records.shape, line) == model::RecordStatus::Applied; }

  support::clsBladeRecords records;
};

}  // namespace

TEST_F(WidthProfile, ShapeRecordsOrderJointAndSplit) {
  ASSERT_TRUE(apply("Shape 1 1 5 1 30 -10 9 2 0 10 5 5 1"));
  EXPECT_EQ(slotOf(slot::kJointNode), 5);
  EXPECT_EQ(slotOf(slot::kSplitNode), 5);
  ASSERT_TRUE(apply("Shape 3 7 300 99 500 -500 1 1 -80 200 0 0 4"));
  modStore::setActiveElement(store(), 3);
  for (const auto& [s, value] : {std::pair{slot::kSymmetric, 1}, {slot::kNodeCount, 100}, {slot::kCompoundCount, 30},
                                 {slot::kCompoundSize, -100}, {slot::kSectionChange, -30}, {slot::kWidthVariation, 100},
                                 {slot::kSecondColourNode, 1}, {slot::kActiveSide, 1}})
    EXPECT_EQ(slotOf(s), value) << s;
  EXPECT_EQ(modGeneral::toSingle(modStore::readSlot(store(), slot::kCompoundAngle)), 180);
  EXPECT_EQ(modCurveRecords::curveOf(store(), 3).changeLenPercent, -30);
  EXPECT_FALSE(apply("Shape 1 1 5 1 30 -10 1 1 0 10 5 5"));
  EXPECT_FALSE(apply("Node_Wi 1 1 .5"));
}

TEST_F(WidthProfile, SymmetricEditingMirrorsButRecordsNever) {
  modStore::setActiveElement(store(), 1);
  setWidth(store(), widths(), 0, 3, 0.07f, false);
  EXPECT_FLOAT_EQ(width(store(), widths(), 1, 3), 0.07f);
  setWidth(store(), widths(), 1, 2, -0.1, false);
  EXPECT_EQ(width(store(), widths(), 0, 2), 0);
  EXPECT_EQ(width(store(), widths(), 1, 2), 0);
  setWidth(store(), widths(), 0, 101, 1, false);  // outside the table: ignored

  ASSERT_TRUE(apply("Node_Wi 1 3 .05 .02"));
  ASSERT_TRUE(apply("Node_Wi 1 4 -.1 .03"));
  EXPECT_FLOAT_EQ(width(store(), widths(), 0, 3), 0.05f);
  EXPECT_FLOAT_EQ(width(store(), widths(), 1, 3), 0.02f);
  EXPECT_EQ(width(store(), widths(), 0, 4), 0);
}

TEST_F(WidthProfile, NodeCountCarriesTheDependentNodes) {
  modStore::setActiveElement(store(), 1);
  setSecondColourNode(store(), 3, true);
  setNodeCount(store(), 6, true);
  EXPECT_EQ(slotOf(slot::kSecondColourNode), 6);
  setNodeCount(store(), 6, true);  // the same count again leaves it
  EXPECT_EQ(slotOf(slot::kSecondColourNode), 6);
  setActiveNode(store(), 5, true);
  setJointNode(store(), 2, true);
  setSplitNode(store(), 4, true);
  setNodeCount(store(), 3, true);
  EXPECT_EQ(slotOf(slot::kActiveNode), 3);
  EXPECT_EQ(slotOf(slot::kSplitNode), 3);
  EXPECT_EQ(slotOf(slot::kJointNode), 2);
  EXPECT_EQ(modCurveRecords::curveOf(store(), 1).sideNum, 2);
  setSplitNode(store(), 1, true);
  EXPECT_EQ(slotOf(slot::kJointNode), 1);
  setJointNode(store(), 3, true);
  EXPECT_EQ(slotOf(slot::kSplitNode), 3);
  // Widths beyond the node count are kept for when it grows again.
  EXPECT_FLOAT_EQ(width(store(), widths(), 0, 4), 3.846154E-02f);
}

TEST_F(WidthProfile, EditingButtons) {
  modStore::setActiveElement(store(), 1);
  setActiveSide(store(), 0, true);
  setNodeWidths(store(), widths(), 1, 0.1, 0.1);
  setNodeWidths(store(), widths(), 5, 0.3, 0.3);
  alignAll(store(), widths());
  EXPECT_FLOAT_EQ(width(store(), widths(), 0, 3), 0.2f);
  EXPECT_FLOAT_EQ(width(store(), widths(), 1, 3), 6.307692E-02f);  // the other side stays

  setActiveNode(store(), 5, true);
  equalAbove(store(), widths());
  EXPECT_FLOAT_EQ(width(store(), widths(), 0, 5), 0.1f);
  setActiveNode(store(), 1, true);
  setNodeWidths(store(), widths(), 5, 0.25, 0.3);
  equalBelow(store(), widths());
  EXPECT_FLOAT_EQ(width(store(), widths(), 0, 1), 0.25f);
  EXPECT_FLOAT_EQ(width(store(), widths(), 1, 1), 0.25f);  // symmetric: followed
  setNodeWidths(store(), widths(), 1, 0.25, 0.5);
  equalSide(store(), widths());
  EXPECT_FLOAT_EQ(width(store(), widths(), 0, 1), 0.5f);
  sameAll(store(), widths());
  for (int j = 1; j <= 5; ++j) EXPECT_FLOAT_EQ(width(store(), widths(), 1, j), 0.5f);
}

TEST(SectionRule, GeometricSections) {
  const std::vector<float> even = sectionPositions(1, 5, 0);
  EXPECT_EQ(even, (std::vector<float>{0, 0.25f, 0.5f, 0.75f, 1}));
  const std::vector<float> growing = sectionPositions(2, 4, 10);
  EXPECT_FLOAT_EQ(growing.back(), 2);
  EXPECT_FLOAT_EQ((growing[3] - growing[2]) / (growing[2] - growing[1]), 1.1f);
  EXPECT_FLOAT_EQ((growing[2] - growing[1]) / (growing[1] - growing[0]), 1.1f);
}

TEST(RandomWidth, VariesWithinItsShareAndAlwaysDrawsTwice) {
  model::clsRandom random(3), reference(3);
  for (int i = 0; i < 1000; ++i) {
    const float w = varyWidth(random, 0.1f, 0.5f);
    EXPECT_GE(w, 0.05f);
    EXPECT_LE(w, 0.15f);
  }
  EXPECT_EQ(varyWidth(random, 0.1f, 0), 0.1f);
  EXPECT_EQ(varyWidth(random, 0, 1), 0);
  for (int i = 0; i < 2004; ++i) reference.draw();
  EXPECT_EQ(random.draw(), reference.draw());
}

TEST_F(WidthProfile, SnapshotScalesEveryCurveByElementOnesLength) {
  store().grassLength = 2;
  const model::clsSnapshot snapshot = modSnapshot::makeSnapshot(store());
  const float factor = modBladeSnapshot::curveScaleFactor(snapshot, 2);
  const float length = *modCurve::curveLength(modCurveRecords::curveOf(store(), 1));
  EXPECT_FLOAT_EQ(factor, 2 / length);
  const blade::clsScaledWidths grass = modBladeSnapshot::scaledWidths(snapshot, widths(), 1, factor);
  EXPECT_FLOAT_EQ(grass.scaledLength, 2);
  EXPECT_FLOAT_EQ(grass.side[0][1], 2 * 6.307692E-02f);
  const blade::clsScaledWidths rock = modBladeSnapshot::scaledWidths(snapshot, widths(), 8, factor);
  EXPECT_FLOAT_EQ(rock.scaledLength, factor * 0.4f);  // foot to end of the outline
  EXPECT_FLOAT_EQ(rock.side[1][9], factor * 0.4f * 9.384616E-02f);
}
