#include "geometry/polygon_ops.h"

#include <gtest/gtest.h>

#include <cmath>

#include "geometry/vector_matrix.h"

using namespace modPolygon;
using geometry::clsPolygon;

namespace {

clsPolygon onePoint(float x, float y, float z) {
  clsPolygon polygon = modTube::newPolygon("", false, false, false, false, false, false, 0, 0);
  modTube::addVertex(polygon, x, y, z);
  modTube::addFramePoint(polygon, x, y, z);
  return polygon;
}

}  // namespace

TEST(PolygonOps, MoveTurnScale) {
  clsPolygon polygon = onePoint(2, 1, 0);
  polygon.v[0].vn1 = {1, 0, 0};
  rotatePolygon(polygon, {1, 1, 0}, 3, geometry::kHalfPi);
  EXPECT_NEAR(polygon.v[0].p.x, 1, 1e-6);
  EXPECT_NEAR(polygon.v[0].p.y, 2, 1e-6);
  EXPECT_NEAR(polygon.framePoints[0].y, 2, 1e-6);
  EXPECT_NEAR(polygon.v[0].vn1.y, 1, 1e-6);  // normals turn about the origin
  rotatePolygon(polygon, {0, 0, 0}, 9, 1.0f);
  EXPECT_NEAR(polygon.v[0].p.x, 1, 1e-6);

  clsPolygon scaled = onePoint(3, 2, 5);
  scalePolygon(scaled, {0, 1, 0}, 2, 2);
  EXPECT_FLOAT_EQ(scaled.v[0].p.x, 3);
  EXPECT_FLOAT_EQ(scaled.v[0].p.y, 3);
  EXPECT_FLOAT_EQ(scaled.v[0].p.z, 5);
  scalePolygon(scaled, {0, 0, 0}, 2, 0);
  EXPECT_FLOAT_EQ(scaled.framePoints[0].x, 6);  // frame points follow every operation
  movePolygon(scaled, {1, 1, 1});
  EXPECT_FLOAT_EQ(scaled.v[0].p.z, 11);

  clsPolygon varied = onePoint(1, 1, 1);
  varied.v[0].vX = 2;
  scalePolygonAndVariation(varied, {0, 0, 0}, 3, 1);
  EXPECT_FLOAT_EQ(varied.v[0].p.x, 3);
  EXPECT_FLOAT_EQ(varied.v[0].p.y, 1);
  EXPECT_FLOAT_EQ(varied.v[0].vX, 6);

  clsPolygon moved = onePoint(1, 2, 3);
  transformPolygon(moved, modVectorMatrix::translationMatrix(1, 1, 1));
  EXPECT_FLOAT_EQ(moved.v[0].p.z, 4);
  EXPECT_FLOAT_EQ(moved.framePoints[0].z, 4);
}

TEST(PolygonOps, JitterDrawsOncePerAxisAndThreeTimesWhenItMoves) {
  clsPolygon polygon = onePoint(0, 0, 0);
  polygon.v[0].vX = 1;
  polygon.v[0].fX = 100;  // always moves: three draws
  polygon.v[0].vY = 1;
  polygon.v[0].fY = 0;  // never moves: one draw
  polygon.v[0].vZ = 0.5f;
  polygon.v[0].fZ = 100;
  model::clsRandom random(4), reference(4);
  const clsPolygon moved = cloneAndJitter(polygon, "", random);
  EXPECT_FLOAT_EQ(polygon.v[0].p.x, 0);  // the source stays as it was
  EXPECT_FLOAT_EQ(moved.v[0].p.y, 0);
  EXPECT_LE(std::fabs(moved.v[0].p.x), 1);
  EXPECT_LE(std::fabs(moved.v[0].p.z), 0.5f);
  EXPECT_EQ(moved.framePoints[0].x, 0);
  for (int i = 0; i < 7; ++i) reference.draw();
  EXPECT_EQ(random.draw(), reference.draw());
}
