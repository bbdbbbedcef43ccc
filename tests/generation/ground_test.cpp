#include "generation/ground.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "generation/ground_height_map.h"
#include "generation/ground_shapes.h"
#include "platform/raster_picture.h"

namespace {

using generation::clsGround;
using groundtest::dropRay;

clsGround groundOf(platform::clsGroundMesh mesh) {
  return modGround::prepareGround(std::make_shared<const platform::clsGroundMesh>(std::move(mesh)));
}

void addQuad(platform::clsGroundMesh& mesh, std::array<float, 3> a, std::array<float, 3> b, std::array<float, 3> c,
             std::array<float, 3> d) {
  for (const auto& p : {a, b, c, a, c, d}) mesh.corners.insert(mesh.corners.end(), p.begin(), p.end());
}

// Random points a little beyond the ground's X/Z bounds, each looked up in the grid and by the
// ray: hit or miss alike, and the same height within 1e-5 of the ground's extent.
void expectLikeTheRay(const platform::clsGroundMesh& mesh, int points, unsigned seed) {
  const clsGround ground = groundOf(mesh);
  const double extent = std::max({mesh.maxX - mesh.minX, mesh.maxY - mesh.minY, mesh.maxZ - mesh.minZ});
  std::mt19937 random(seed);
  std::uniform_real_distribution<float> x(mesh.minX - 1, mesh.maxX + 1), z(mesh.minZ - 1, mesh.maxZ + 1);
  int hits = 0;
  for (int i = 0; i < points; ++i) {
    const float px = x(random), pz = z(random);
    const generation::clsGroundHit hit = modGround::lookDown(ground, px, pz);
    const std::optional<double> ray = dropRay(mesh, px, pz);
    ASSERT_EQ(hit.hit, ray.has_value()) << px << ", " << pz;
    if (!hit.hit) continue;
    ++hits;
    EXPECT_NEAR(hit.point.y, *ray, 1e-5 * extent) << px << ", " << pz;
    EXPECT_EQ(hit.point.x, px);
    EXPECT_EQ(hit.point.z, pz);
    EXPECT_NEAR(std::hypot(hit.normal.x, hit.normal.y, hit.normal.z), 1.0, 1e-6);
    EXPECT_GE(hit.normal.y, 0);
  }
  EXPECT_GT(hits, points / 3);
}

TEST(Ground, LooksDownLikeARayDroppedOntoEveryTriangle) {
  expectLikeTheRay(groundtest::meshOf(groundtest::hills()), 4000, 1);
  // A roof over part of the hills, and deep huge triangles under all of it that make the grid
  // coarser: the highest surface is found, and the rest is still below.
  platform::clsGroundMesh layered = groundtest::meshOf(groundtest::hills(40, 30));
  addQuad(layered, {2, 6, 2}, {2, 6.5f, 5}, {6, 6.5f, 5}, {6, 6, 2});
  for (int k = 0; k < 40; ++k) addQuad(layered, {-5, -10.0f - k, -5}, {-5, -10, 15}, {15, -10, 15}, {15, -10, -5});
  layered.minX = -5, layered.maxX = 15, layered.minZ = -5, layered.maxZ = 15, layered.minY = -49;
  expectLikeTheRay(layered, 4000, 2);
  EXPECT_FLOAT_EQ(modGround::lookDown(groundOf(layered), 3, 3).point.y, 6 + 0.5f / 3);
}

TEST(Ground, EveryCornerAndEdgeOfTheSurfaceIsOnIt) {
  const groundtest::clsSurface hills = groundtest::hills();
  const clsGround ground = groundOf(groundtest::meshOf(hills));
  for (const auto& triangle : hills.triangles) {
    for (int k = 0; k < 3; ++k) {
      const auto& a = hills.points[triangle[k]];
      const auto& b = hills.points[triangle[(k + 1) % 3]];
      const generation::clsGroundHit corner = modGround::lookDown(ground, a[0], a[2]);
      ASSERT_TRUE(corner.hit) << a[0] << ", " << a[2];
      EXPECT_NEAR(corner.point.y, a[1], 1e-5);
      const generation::clsGroundHit middle = modGround::lookDown(ground, (a[0] + b[0]) / 2, (a[2] + b[2]) / 2);
      ASSERT_TRUE(middle.hit);
      EXPECT_NEAR(middle.point.y, (a[1] + b[1]) / 2, 1e-5);
    }
  }
}

TEST(Ground, PointsBesideOrInAHoleMiss) {
  groundtest::clsSurface hills = groundtest::hills();
  hills.triangles.erase(hills.triangles.begin() + 50, hills.triangles.begin() + 52);  // one square
  const platform::clsGroundMesh mesh = groundtest::meshOf(hills);
  const clsGround ground = groundOf(mesh);
  const auto& a = hills.points[(50 / 2) / 12 * 13 + (50 / 2) % 12];  // the hole's first corner
  EXPECT_FALSE(modGround::lookDown(ground, a[0] + 0.3f, a[2] + 0.3f).hit);
  EXPECT_TRUE(modGround::lookDown(ground, a[0] - 0.3f, a[2] + 0.3f).hit);
  for (const auto& [x, z] : {std::pair{-0.01f, 4.0f}, {10.01f, 4.0f}, {5.0f, -0.01f}, {5.0f, 8.01f}, {1e30f, 0.0f}})
    EXPECT_FALSE(modGround::lookDown(ground, x, z).hit) << x << ", " << z;
  EXPECT_FALSE(modGround::lookDown(groundOf({}), 0, 0).hit);
  EXPECT_FALSE(modGround::lookDown(modGround::prepareGround(nullptr), 0, 0).hit);
  expectLikeTheRay(mesh, 2000, 3);
}

TEST(Ground, FacetsGiveTheirSlopeAndNormal) {
  platform::clsGroundMesh facets;
  const float angles[] = {10, 30, 50, 70};
  for (int k = 0; k < 4; ++k) {
    const float rise = std::tan(angles[k] * 3.14159265f / 180), x0 = float(k), x1 = float(k + 1);
    addQuad(facets, {x0, 0, 0}, {x0, rise, 1}, {x1, rise, 1}, {x1, 0, 0});
  }
  facets.maxX = 4, facets.maxY = std::tan(70 * 3.14159265f / 180), facets.maxZ = 1;
  const clsGround ground = groundOf(facets);
  for (int k = 0; k < 4; ++k) {
    const generation::clsGroundHit hit = modGround::lookDown(ground, k + 0.5f, 0.5f);
    ASSERT_TRUE(hit.hit);
    EXPECT_NEAR(modGround::slopeDegrees(hit.normal), angles[k], 1e-3);
    EXPECT_NEAR(hit.normal.x, 0, 1e-6);
    EXPECT_LT(hit.normal.z, 0);  // it rises toward +Z, so it faces -Z
  }
  EXPECT_FLOAT_EQ(modGround::slopeDegrees({0, 1, 0}), 0);
  EXPECT_FLOAT_EQ(modGround::slopeDegrees({1, 0, 0}), 90);
}

TEST(GroundHeightMap, CornersStandAtTheirPixelsGrey) {
  // Greys 0, 51, 255 on the top row, 102, 153, 204 below it, over 4 x 2 units, 10 high.
  const auto grey = [](int g) { return g + 256 * g + 65536 * g; };
  const platform::RasterPicture picture(3, 2, {grey(0), grey(51), grey(255), grey(102), grey(153), grey(204)});
  platform::clsGroundMesh mesh;
  ASSERT_TRUE(modGroundHeightMap::meshFromPicture(picture, 4, 2, 10, mesh));
  EXPECT_EQ(platform::triangleCount(mesh), 4u);
  EXPECT_EQ((std::array{mesh.minX, mesh.maxX, mesh.minY, mesh.maxY, mesh.minZ, mesh.maxZ}),
            (std::array<float, 6>{0, 4, 0, 10, 0, 2}));
  const clsGround ground = groundOf(mesh);
  const float expected[2][3] = {{0, 2, 10}, {4, 6, 8}};
  for (int row = 0; row < 2; ++row) {
    for (int column = 0; column < 3; ++column) {
      const generation::clsGroundHit hit = modGround::lookDown(ground, 2.0f * column, 2.0f * row);
      ASSERT_TRUE(hit.hit);
      EXPECT_NEAR(hit.point.y, expected[row][column], 1e-5);
    }
  }
  EXPECT_NEAR(modGround::lookDown(ground, 1, 0).point.y, 1, 1e-5);  // halfway along the top edge
  EXPECT_GT(modGround::lookDown(ground, 1, 1).normal.y, 0.1f);

  // A one-pixel picture is one flat square; a huge one is sampled; no pixel or no size, nothing.
  ASSERT_TRUE(modGroundHeightMap::meshFromPicture(platform::RasterPicture(1, 1, {grey(255)}), 3, 3, -2, mesh));
  EXPECT_EQ(platform::triangleCount(mesh), 2u);
  EXPECT_FLOAT_EQ(modGround::lookDown(groundOf(mesh), 1, 2).point.y, -2);
  ASSERT_TRUE(modGroundHeightMap::meshFromPicture(
      platform::RasterPicture(3000, 4, std::vector<std::int32_t>(12000, grey(10))), 1, 1, 1, mesh));
  EXPECT_EQ(platform::triangleCount(mesh), 2u * 1024 * 3);
  EXPECT_FALSE(modGroundHeightMap::meshFromPicture(platform::RasterPicture(0, 0, {}), 1, 1, 1, mesh));
  EXPECT_FALSE(modGroundHeightMap::meshFromPicture(picture, 0, 1, 1, mesh));
  EXPECT_FALSE(modGroundHeightMap::meshFromPicture(picture, 1, NAN, 1, mesh));
  EXPECT_TRUE(mesh.corners.empty());
}

}  // namespace
