// The curve, width-profile and size and rotation editors as their models see them: hit tests,
// nudges, setters through the controls, drawings, copy and paste.

#include <gtest/gtest.h>

#include "blade/curve_records.h"
#include "blade/width_profile.h"
#include "document/settings_files.h"
#include "editors/frm_curve.h"
#include "editors/frm_shape.h"
#include "editors/frm_size_rot.h"
#include "fakes/fake_platform.h"
#include "model/value_functions.h"

using namespace editors;

namespace {

class BladeEditors : public ::testing::Test {
 protected:
  int slot(int element, int s) { return modGeneral::toLong(modStore::readElementSlot(session.store(), element, s)); }
  bool apply(const std::string& text) { return modSettingsFiles::applyUserText(session.document, text, fake.platform); }
  float width(int side, int node) {
    return modWidthProfile::width(session.store(), session.project().widths, side, node);
  }
  std::vector<const clsPrimitive*> itemsOf(const clsDrawing& d, Shape shape, std::int32_t colour) {
    std::vector<const clsPrimitive*> found;
    for (const clsPrimitive& item : d.items)
      if (item.shape == shape && item.colour == colour) found.push_back(&item);
    return found;
  }

  fakes::FakePlatform fake;
  fakes::FakeDialogs dialogs;
  clsSession session{fake.platform, dialogs.dialogs, 1};
  frmCurve curve{session};
  frmShapeWi shape{session};
  frmSizeRot sizeRot{session};
};

}  // namespace

TEST_F(BladeEditors, CurvePointsArePickedWithinSevenPixelsElseMoved) {
  curve.setViewSize(400, 300);  // ox 200, oy 210, scale 210
  ASSERT_EQ(curve.activePoint(), 3);
  const auto& points = modCurveRecords::curveOf(session.store(), 1).cp.v;
  // Point 2 (0, 0.5) is at (200, 105).
  for (const auto& [dx, dy, picked] : std::vector<std::tuple<float, float, bool>>{
           {7, 0, true}, {0, -7, true}, {-7, 7, true}, {7.5f, 0, false}, {0, 8, false}}) {
    apply("");
    curve.click(200 + dx, 105 + dy);
    EXPECT_EQ(curve.activePoint(), picked ? 2 : 3) << dx << " " << dy;
    EXPECT_EQ(points[1].p.y, 0.5f);  // point 2 never moves when picked
  }
  apply("");
  // Point 3 (0.2, 0.8) is at (242, 42): a click on it moves it there, as it is never hit.
  curve.click(242, 42);
  EXPECT_FLOAT_EQ(points[2].p.x, 0.2f);
  curve.click(300, 100);
  EXPECT_FLOAT_EQ(points[2].p.x, 100.0f / 210);
  EXPECT_FLOAT_EQ(points[2].p.y, 110.0f / 210);
  // At the right edge the arrow does nothing.
  modCurveRecords::setPointPosition(session.store(), 3, 198.0f / 210, 0.5f);
  curve.arrow(Arrow::Right);
  EXPECT_FLOAT_EQ(points[2].p.x, 198.0f / 210);
  curve.arrow(Arrow::Left);
  EXPECT_FLOAT_EQ(points[2].p.x, 197.0f / 210);
}

// A weight of text that is no number is the smallest; the fourth point comes and goes with its weight.
TEST_F(BladeEditors, CurveWeights) {
  curve.applyWeight(2, "abc");
  EXPECT_EQ(curve.weightText(2), "0.1");
  curve.setUseFourPoints(true);
  EXPECT_EQ(curve.activePoint(), 4);
  EXPECT_EQ(curve.weightText(4), "1");
  curve.setUseFourPoints(false);
  EXPECT_EQ(curve.activePoint(), 3);
  EXPECT_EQ(curve.weightText(4), "");
  EXPECT_FALSE(curve.weightEnabled(4));
}

TEST_F(BladeEditors, CurveToOriginMovesOnlyAcross) {
  curve.toOrigin(1);
  EXPECT_EQ(modCurveRecords::curveOf(session.store(), 1).cp.v[2].p.x, 0);
  EXPECT_FLOAT_EQ(modCurveRecords::curveOf(session.store(), 1).cp.v[2].p.y, 0.8f);
}

TEST_F(BladeEditors, CurveVariationGoesToEveryElementThoughRocksCannotVaryInZ) {
  curve.setActiveElement(9);
  EXPECT_FALSE(curve.zVariationEnabled());
  curve.sameVariationToAll("5", "6", "250");
  for (int e = 1; e <= 11; ++e) EXPECT_EQ(slot(e, 6), 100) << e;
  EXPECT_EQ(session.store().activeElement, 9);
}

TEST_F(BladeEditors, CurveDrawingShowsTheNodesAndTheParentWithoutVariation) {
  curve.setViewSize(400, 300);
  const auto& stored = modCurveRecords::curveOf(session.store(), 1);
  model::clsRandom unused(0);
  const auto nodes = modCurve::nodePolyline(stored, false, unused);
  ASSERT_TRUE(nodes);
  const clsDrawing drawn = curve.drawing();
  const auto lines = itemsOf(drawn, Shape::Line, frmCurve::kNodeLine);
  ASSERT_EQ(lines.size(), nodes->v.size() - 1);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_FLOAT_EQ(lines[i]->x1, 200 + nodes->v[i].p.x * 210);
    EXPECT_FLOAT_EQ(lines[i]->y1, 210 - nodes->v[i].p.y * 210);
  }
  const clsDrawing parent = curve.drawing();
  curve.drawRandom();
  const clsDrawing varied = curve.drawing();
  EXPECT_NE(itemsOf(varied, Shape::Line, frmCurve::kNodeLine)[3]->x2, lines[3]->x2);
  curve.applyVariation("0", "0", "0");
  curve.drawRandom();
  const clsDrawing still = curve.drawing();
  ASSERT_EQ(still.items.size(), parent.items.size());
  for (std::size_t i = 0; i < still.items.size(); ++i) EXPECT_FLOAT_EQ(still.items[i].x1, parent.items[i].x1);
}

TEST_F(BladeEditors, WidthHandlesArePickedInsideSevenPixelsElseMoved) {
  shape.setViewSize(200, 300);  // H 200, cx 100, foot 250; node 2 of 5 at y 200
  modWidthProfile::setActiveNode(session.store(), 1, true);
  ASSERT_EQ(shape.activeSide(), 1);  // the right side, -Z
  const auto v = shape.view();
  // A click on the left half, away from every handle, closes the active (right) side.
  shape.click(10, 120);
  EXPECT_EQ(width(1, 1), 0);
  // Exactly on the active handle: it moves there; 7 pixels off another handle is no hit.
  shape.click(v.cx + 20, v.y[0]);
  EXPECT_FLOAT_EQ(width(1, 1), 20.0f / 200);
  const auto h2 = shape.handle(v, 1, 2);
  shape.click(h2.x + 7, h2.y);
  EXPECT_EQ(shape.activeNode(), 1);
  shape.click(h2.x + 6.5f, h2.y);
  EXPECT_EQ(shape.activeNode(), 2);
  // Symmetric: the left handle drags the right one along.
  shape.click(shape.handle(v, 0, 2).x, h2.y);
  EXPECT_EQ(shape.activeSide(), 0);
  shape.drag(v.cx - 30, h2.y);
  EXPECT_FLOAT_EQ(width(0, 2), 30.0f / 200);
  EXPECT_FLOAT_EQ(width(1, 2), 30.0f / 200);
}

TEST_F(BladeEditors, WidthButtonsStayInTheirBoundsAndPasteCopiesTheProfile) {
  for (int i = 0; i < 10; ++i) shape.changeNodeCount(-1);
  EXPECT_EQ(shape.nodeCount(), 2);
  for (int i = 0; i < 120; ++i) shape.changeNodeCount(1);
  EXPECT_EQ(shape.nodeCount(), 100);
  // The curve view follows the node count the width editor set.
  curve.setViewSize(400, 300);
  const clsDrawing hundred = curve.drawing();
  EXPECT_EQ(itemsOf(hundred, Shape::Line, frmCurve::kNodeLine).size(), 99u);

  apply("");
  modWidthProfile::setActiveNode(session.store(), 3, true);
  shape.copy();
  shape.setActiveElement(3);
  shape.paste();
  for (int s = 9; s <= 18; ++s) EXPECT_EQ(slot(3, s), slot(1, s)) << s;
  EXPECT_EQ(slot(3, 19), 5);  // its own active node, not element 1's 3
  EXPECT_EQ(session.project().widths.elements[2].side, session.project().widths.elements[0].side);
}

TEST_F(BladeEditors, RandomWidthsWithoutVariationAreTheExactOnes) {
  shape.setViewSize(200, 300);
  shape.applyWidthVar("0");
  const clsDrawing exact = shape.drawing();
  shape.drawRandom();
  const clsDrawing random = shape.drawing();
  ASSERT_EQ(random.items.size(), exact.items.size());
  for (std::size_t i = 0; i < exact.items.size(); ++i) EXPECT_EQ(random.items[i].x1, exact.items[i].x1);
  shape.setActiveElement(9);
  EXPECT_TRUE(shape.isRock());
  shape.setSmooth(false);
  EXPECT_EQ(slot(9, 11), 0);
}

TEST_F(BladeEditors, DialsDrawTheirArcsAsTheRangesSay) {
  const auto arcOf = [](const clsDrawing& d, std::size_t k) { return std::pair{d.items[k].start, d.items[k].end}; };
  struct clsCase { int start, range; std::pair<float, float> arc; };
  for (const clsCase& c : {clsCase{350, 20, {350, 10}}, clsCase{120, 0, {120, 121}}, clsCase{360, 0, {0, 1}},
                        clsCase{30, 360, {30, 390}}}) {
    sizeRot.setBar(frmSizeRot::kSpinStartBar, c.start);
    sizeRot.setBar(frmSizeRot::kSpinRangeBar, c.range);
    EXPECT_EQ(arcOf(sizeRot.spinDial(100, 100), 1), c.arc) << c.start << " " << c.range;
  }
  sizeRot.setBar(frmSizeRot::kLeanXBar, 0);
  const clsDrawing lean = sizeRot.leanDial(100, 100);
  EXPECT_EQ(arcOf(lean, 1), (std::pair<float, float>{90, 91}));
  EXPECT_EQ(lean.items[0].r, 45);  // r0 = cx - 5
  EXPECT_EQ(lean.items[1].r, 35);
  sizeRot.setBar(frmSizeRot::kLeanXBar, 180);  // leaning both ways by 180 covers the whole ring
  EXPECT_EQ(arcOf(sizeRot.leanDial(100, 100), 1), (std::pair<float, float>{270, 630}));
  EXPECT_EQ(sizeRot.barText(frmSizeRot::kLeanLeftBar), "Random lean +Z rotation  30 deg");
}

TEST_F(BladeEditors, ClumpCountsKeepTheirOrder) {
  ASSERT_TRUE(apply("Size_Rot 1 20 330 60 50 30 30 30 4 4 0\r\nSize_Rot 2 0 0 0 0 0 0 0 5 3 0\r\n"));
  sizeRot.changeMinimum(1);
  EXPECT_EQ(sizeRot.minText(), "5");
  EXPECT_EQ(sizeRot.maxText(), "5");
  sizeRot.setActiveElement(2);
  sizeRot.copy();
  sizeRot.setActiveElement(1);
  sizeRot.paste();
  EXPECT_EQ(sizeRot.minText(), "3");
  EXPECT_EQ(sizeRot.maxText(), "3");
  sizeRot.setActiveElement(8);
  EXPECT_FALSE(sizeRot.twistVisible());
  EXPECT_EQ(sizeRot.label(5), "Min rocks/clump");
  EXPECT_EQ(sizeRot.label(6), "Max rocks/clump");
}
