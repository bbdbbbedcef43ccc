#include "geometry/item_normals.h"

#include <gtest/gtest.h>

#include <cmath>

#include "geometry/tube_builders.h"

using namespace modTube;
using geometry::clsPixel;

namespace {

double dot(const clsPixel& a, float x, float y, float z) { return a.x * x + a.y * y + a.z * z; }

// The tube as an item with its normals computed, read back into its rings' vertices.
void computeNormals(geometry::clsTube& tube) {
  geometry::clsItemList list;
  model::clsRandom random(1);
  modItemList::addTube(list, tube, true, random);
  modItemNormals::computeNormals(list, 0, 1);
  const clsPixel* point = list.points.data();
  for (std::size_t r = 0; r < tube.rings.size(); ++r) {
    const int normals = geometry::normalsPerVertex(list.rings[r].flags);
    for (std::size_t k = 0; k < list.rings[r].count; ++k) {
      ++point;
      clsVertex& vertex = tube.rings[r].v[k];
      vertex.vn1 = normals >= 1 ? *point++ : clsPixel{};
      vertex.vn2 = normals == 2 ? *point++ : clsPixel{};
    }
  }
}

}  // namespace

TEST(Normals, FlatBladeFacesAlongX) {
  geometry::clsTube tube = support::bladeTube(2, true, true);
  for (auto& ring : tube.rings)
    for (auto& vertex : ring.v) vertex.p.x = 0;  // a flat ribbon in the Y-Z plane
  computeNormals(tube);
  for (const auto& ring : tube.rings)
    for (const auto& vertex : ring.v) {
      EXPECT_NEAR(std::fabs(vertex.vn1.x), 1, 1e-6);
      EXPECT_NEAR(vertex.vn1.y, 0, 1e-6);
      EXPECT_EQ(vertex.vn1.x, tube.rings[0].v[0].vn1.x);  // one side throughout
    }
}

TEST(Normals, SmoothCylinderNormalsAreRadial) {
  geometry::clsTube tube = modTube::newTube("", 0, 0);
  for (int r = 0; r < 4; ++r) addRing(tube, support::circleRing(16, 2, static_cast<float>(r), true, true));
  computeNormals(tube);
  double sign = 0;
  for (const auto& ring : tube.rings)
    for (const auto& vertex : ring.v) {
      const float radius = std::hypot(vertex.p.x, vertex.p.z);
      const double along = dot(vertex.vn1, vertex.p.x / radius, 0, vertex.p.z / radius);
      EXPECT_GT(std::fabs(along), 0.99);  // the triangles around a vertex are not symmetric
      if (sign == 0) sign = along;
      EXPECT_GT(along * sign, 0);  // all outward or all inward
      EXPECT_NEAR(std::hypot(vertex.vn1.x, vertex.vn1.y, vertex.vn1.z), 1, 1e-5);
    }
}

TEST(Normals, UnsmoothedRunsAndSingleRingsKeepZero) {
  geometry::clsTube tube = support::bladeTube(3, false, false);
  appendTube(tube, support::bladeTube(1, true, true), true);
  computeNormals(tube);
  for (const auto& ring : tube.rings)
    for (const auto& vertex : ring.v) {
      EXPECT_TRUE(geometry::isZero(vertex.vn1));
      EXPECT_TRUE(geometry::isZero(vertex.vn2));
    }
}

TEST(Normals, DegenerateFacesAreFilledFromTheirNeighbours) {
  geometry::clsTube tube = modTube::newTube("", 0, 0);
  for (int r = 0; r < 2; ++r) {
    geometry::clsPolygon ring = support::circleRing(4, 1, static_cast<float>(r), true, false);
    ring.isClosed = false;
    ring.v[1].p = ring.v[0].p;  // a collapsed edge: the quad at position 1 has no area
    modTube::addRing(tube, ring);
  }
  computeNormals(tube);
  for (const auto& vertex : tube.rings[1].v) {
    EXPECT_FALSE(geometry::isZero(vertex.vn1));
    EXPECT_FALSE(geometry::isZero(vertex.vn2));
  }
}
