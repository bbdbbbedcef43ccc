#include "blade/curve.h"

#include <gtest/gtest.h>

#include <cmath>

#include "blade/blade_records.h"
#include "geometry/polygon_ops.h"
#include "geometry/vector_matrix.h"
#include "model/value_functions.h"

using namespace modCurve;
using blade::clsCurve;

namespace {

clsCurve curveOf(std::initializer_list<std::array<float, 3>> points, int sideNum = 4, int change = 0) {
  clsCurve curve = newCurve(3, 10, static_cast<std::int16_t>(sideNum), 0, static_cast<float>(change), 0, false);
  for (const auto& p : points) modTube::addVertex(curve.cp, p[0], p[1], 0, p[2]);
  fitIntervals(curve);
  return curve;
}

// Arc length measured independently on a dense polyline between parameters a and b.
double denseLength(const clsCurve& curve, double a, double b) {
  const int steps = 20000;
  double length = 0;
  auto previous = *curvePoint(curve.cp.v, static_cast<int>(curve.cp.v.size()), 3, static_cast<float>(a));
  for (int i = 1; i <= steps; ++i) {
    const auto next = *curvePoint(curve.cp.v, static_cast<int>(curve.cp.v.size()), 3, static_cast<float>(a + (b - a) * i / steps));
    length += modVectorMatrix::distance(previous, next);
    previous = next;
  }
  return length;
}

const clsCurve kGrass = curveOf({{0, 0, 1}, {0, 0.5f, 1}, {0.2f, 0.8f, 1}});

class CurveRecords : public ::testing::Test {
 protected:
  model::clsStore& store() { return records.store; }
  int slot(int element, int s) { return records.slot(element, s); }
  const clsCurve& curve(int element) { return modCurveRecords::curveOf(store(), element); }

  support::clsBladeRecords records;
};

}  // namespace

TEST(Curve, PassesThroughItsEndsWhateverTheWeights) {
  const int n = 3;
  auto at = [&](const clsCurve& c, float t) { return *curvePoint(c.cp.v, n, 3, t); };
  EXPECT_EQ(at(kGrass, 1).y, 0);
  EXPECT_FLOAT_EQ(at(kGrass, 5).x, 0.2f);
  EXPECT_FLOAT_EQ(at(kGrass, 5).y, 0.8f);
  EXPECT_NEAR(at(kGrass, 3).x, 0.2 / 6, 1e-6);
  EXPECT_NEAR(at(kGrass, 3).y, (4 * 0.5 + 0.8) / 6, 1e-6);

  const clsCurve heavy = curveOf({{0, 0, 1}, {0, 0.5f, 8}, {0.2f, 0.8f, 1}});
  EXPECT_EQ(at(heavy, 1).x, 0);
  EXPECT_FLOAT_EQ(at(heavy, 5).y, 0.8f);
  const float mid = at(heavy, 3).x, plain = at(kGrass, 3).x;
  EXPECT_LT(mid, plain);  // pulled towards the middle point at x = 0
}

TEST(Curve, LengthAgreesWithADenseMeasurement) {
  const double dense = denseLength(kGrass, 1, 5);
  EXPECT_NEAR(*curveLength(kGrass), dense, dense * 0.001);
  // The sharper rock outline, sampled as coarsely, still comes within 0.2 %.
  const clsCurve rock = curveOf({{-0.2f, 0, 1}, {-0.5f, 0.4f, 0.7f}, {0.5f, 0.4f, 0.7f}, {0.2f, 0, 1}});
  const double rockDense = denseLength(rock, 1, 6);
  EXPECT_NEAR(*curveLength(rock), rockDense, rockDense * 0.002);
}

TEST(Curve, NodesFollowTheSectionRule) {
  for (int change : {-30, 0, 30}) {
    const clsCurve curve = curveOf({{0, 0, 1}, {0, 0.5f, 1}, {0.2f, 0.8f, 1}}, 6, change);
    const auto t = *nodeParameters(curve.cp.v, curve);
    ASSERT_EQ(t.size(), 7u);
    EXPECT_EQ(t.front(), 1);
    const double total = denseLength(curve, 1, 5);
    const double r = 1 + change / 100.0;
    double series = 0;
    for (int i = 0; i < 6; ++i) series += std::pow(r, i);
    for (std::size_t j = 1; j < t.size(); ++j) {
      const double expected = total / series * std::pow(r, static_cast<double>(j - 1));
      EXPECT_NEAR(denseLength(curve, t[j - 1], t[j]), expected, total * 0.01) << "change " << change << " section " << j;
    }
  }
  // The nodes of the default grass curve: tests/golden/field.obj.
}

TEST(Curve, DegenerateCurves) {
  const clsCurve point = curveOf({{0.3f, 0.3f, 1}, {0.3f, 0.3f, 1}, {0.3f, 0.3f, 1}});
  EXPECT_EQ(*curveLength(point), 0);
  const std::vector<float> atFoot = *nodeParameters(point.cp.v, point);
  for (float t : atFoot) EXPECT_EQ(t, 1);

  clsCurve weightless = kGrass;
  for (auto& p : weightless.cp.v) p.w = 0;  // only possible by going around the setters
  EXPECT_FALSE(curvePoint(weightless.cp.v, 3, 3, 2).has_value());
  model::clsRandom random(1);
  EXPECT_FALSE(nodePolyline(weightless, false, random).has_value());
  EXPECT_FALSE(curveLength(weightless).has_value());
}

TEST(Curve, FitIntervals) {
  EXPECT_EQ(curveOf({{0, 0, 1}, {0, 1, 1}, {0, 2, 1}, {0, 3, 1}}, 9).intervals, 15);
  EXPECT_EQ(curveOf({{0, 0, 1}, {0, 1, 1}, {0, 2, 1}}, 1).intervals, 5);
  EXPECT_EQ(curveOf({{0, 0, 1}, {0, 1, 1}, {0, 2, 1}}, 4).intervals, 10);
  EXPECT_EQ(curveOf({{0, 0, 1}, {0, 1, 1}, {0, 2, 1}}, 99).intervals, 170);
}

TEST_F(CurveRecords, VariantsMoveThePointsWithinTheirAmounts) {
  model::clsRandom random(5);
  const clsCurve& grass = curve(1);
  for (int i = 0; i < 300; ++i) {
    const auto varied = modPolygon::cloneAndJitter(grass.cp, "", random);
    EXPECT_EQ(varied.v[0].p.x, grass.cp.v[0].p.x);
    EXPECT_EQ(varied.v[0].p.y, grass.cp.v[0].p.y);
    EXPECT_LT(std::fabs(varied.v[1].p.x - grass.cp.v[1].p.x), 0.05f);
    EXPECT_LT(std::fabs(varied.v[1].p.y - grass.cp.v[1].p.y), 0.05f);
    EXPECT_LT(std::fabs(varied.v[2].p.x - grass.cp.v[2].p.x), 0.1f);
    for (const auto& p : varied.v) EXPECT_EQ(p.p.z, 0);
  }
  const clsCurve& rock = curve(8);
  for (int i = 0; i < 100; ++i) {
    const auto varied = modPolygon::cloneAndJitter(rock.cp, "", random);
    EXPECT_EQ(varied.v[0].p.x, rock.cp.v[0].p.x);
    EXPECT_EQ(varied.v[3].p.x, rock.cp.v[3].p.x);
    EXPECT_EQ(varied.v[3].p.y, rock.cp.v[3].p.y);
  }
}

TEST_F(CurveRecords, ReadingClampsAndSwitchesPointCounts) {
  ASSERT_EQ(support::applyLine(records.curve, "Curve 2 150 -5 7 9 0 0 0 1 0 .5 1 .2 .8 1"), model::RecordStatus::Applied);
  for (const auto& [s, value] : {std::pair{4, 100}, {5, 0}, {6, 7}, {7, 4}, {8, 1}}) EXPECT_EQ(slot(2, s), value) << s;
  ASSERT_EQ(curve(2).cp.v.size(), 4u);
  EXPECT_EQ(curve(2).cp.v[3].p.x, 0);
  EXPECT_EQ(curve(2).cp.v[3].w, 1);
  EXPECT_FLOAT_EQ(curve(2).cp.v[3].vX, 1.0f);  // the new tip carries the full variation

  modStore::setActiveElement(store(), 2);
  modCurveRecords::setActivePoint(store(), 4);
  modCurveRecords::setPointCount(store(), 3);
  EXPECT_EQ(slot(2, 8), 3);
  EXPECT_EQ(curve(2).cp.v.size(), 3u);
  modCurveRecords::setPointWeight(store(), 2, 50);
  EXPECT_EQ(curve(2).cp.v[1].w, 10);
  modCurveRecords::setPointPosition(store(), 4, 1, 1);  // no fourth point: nothing happens
  EXPECT_EQ(curve(2).cp.v.size(), 3u);
}

TEST_F(CurveRecords, AShortCurveLineFails) {
  EXPECT_EQ(support::applyLine(records.curve, "Curve 1"), model::RecordStatus::Failed);
  // Four points need all eighteen fields.
  EXPECT_EQ(support::applyLine(records.curve, "Curve 8 20 20 0 4 3 -.2 0 1 -.5 .4 .7 .5 .4 .7 .2 0"), model::RecordStatus::Failed);
}
