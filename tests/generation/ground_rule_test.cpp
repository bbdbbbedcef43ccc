#include "generation/ground_rule.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "generation/ground_shapes.h"
#include "geometry/vector_matrix.h"

namespace {

constexpr double kDegrees = 180 / 3.14159265358979323846;

// Four strips side by side along X, each rising toward +Z at its own angle.
generation::clsGround facets(const float (&angles)[4]) {
  auto mesh = std::make_shared<platform::clsGroundMesh>();
  for (int k = 0; k < 4; ++k) {
    const float rise = std::tan(angles[k] / float(kDegrees)), x0 = float(k), x1 = float(k + 1);
    for (const std::array<float, 3>& p :
         {std::array{x0, 0.0f, 0.0f}, {x0, rise, 1}, {x1, rise, 1}, {x0, 0.0f, 0.0f}, {x1, rise, 1}, {x1, 0.0f, 0.0f}})
      mesh->corners.insert(mesh->corners.end(), p.begin(), p.end());
  }
  mesh->maxX = 4, mesh->maxZ = 1, mesh->maxY = std::tan(angles[3] / float(kDegrees));
  return modGround::prepareGround(mesh);
}

TEST(GroundRule, SlopeAndHeightBandsRefuseCandidates) {
  const generation::clsGround ground = facets({10, 30, 50, 70});
  generation::clsGroundRule rule;
  rule.slopeFrom = 60, rule.slopeTo = 20;  // the wrong way round is read the right way
  std::mt19937 random(5);
  std::uniform_real_distribution<float> x(0.001f, 3.999f), z(0, 1);
  int kept = 0;
  for (int i = 0; i < 4000; ++i) {
    const float px = x(random), pz = z(random);
    const generation::clsStanding standing = modGroundRule::standOn(ground, rule, px, pz);
    const int facet = int(px);
    ASSERT_EQ(standing.refused, facet == 0 || facet == 3) << px << ", " << pz;
    if (standing.refused) continue;
    ++kept;
    EXPECT_EQ(standing.base.x, px);
    EXPECT_EQ(standing.base.z, pz);
    EXPECT_NEAR(standing.base.y, *groundtest::dropRay(*ground.mesh, px, pz), 1e-5);
    EXPECT_NEAR(std::acos(standing.normal.y) * kDegrees, facet == 1 ? 30 : 50, 1e-3);
  }
  EXPECT_GT(kept, 1600);

  // Heights 0.2 to 0.5 only, wherever the slope; and nothing beside the ground.
  rule = {};
  rule.heightFrom = 0.2f, rule.heightTo = 0.5f;
  for (int i = 0; i < 4000; ++i) {
    const float px = x(random), pz = z(random);
    const generation::clsStanding standing = modGroundRule::standOn(ground, rule, px, pz);
    const double height = *groundtest::dropRay(*ground.mesh, px, pz);
    if (std::fabs(height - 0.2) > 1e-5 && std::fabs(height - 0.5) > 1e-5) {
      EXPECT_EQ(standing.refused, height < 0.2 || height > 0.5) << height;
    }
    if (!standing.refused) {
      EXPECT_TRUE(standing.base.y >= 0.2f && standing.base.y <= 0.5f);
    }
  }
  EXPECT_TRUE(modGroundRule::standOn(ground, {}, 5, 0.5f).refused);
  EXPECT_FALSE(modGroundRule::standOn(ground, {}, 2.5f, 0.5f).refused);
}

// The angle in degrees between the turned +Y and n; from sine and cosine both, which keeps
// small angles exact.
double angleToUp(const geometry::tMatrix& turn, const geometry::clsPixel& n) {
  const double ux = turn[0][1], uy = turn[1][1], uz = turn[2][1];
  const double cx = uy * n.z - uz * n.y, cy = uz * n.x - ux * n.z, cz = ux * n.y - uy * n.x;
  return std::atan2(std::sqrt(cx * cx + cy * cy + cz * cz), ux * n.x + uy * n.y + uz * n.z) * kDegrees;
}

TEST(GroundRule, LeaningTurnsUpTowardTheNormal) {
  std::mt19937 random(9);
  std::uniform_real_distribution<float> side(-1, 1), up(0.05f, 1);
  for (int i = 0; i < 500; ++i) {
    geometry::clsPixel n{side(random), up(random), side(random)};
    const float length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
    n = {n.x / length, n.y / length, n.z / length};
    const double slope = angleToUp(modGroundRule::leanWithGround({0, 1, 0}, 0), n);
    const geometry::tMatrix full = modGroundRule::leanWithGround(n, 100);
    EXPECT_LT(angleToUp(full, n), 0.01);
    // Half the lean is half the angle, in the same plane; the turn keeps lengths and handedness.
    const geometry::tMatrix half = modGroundRule::leanWithGround(n, 50);
    EXPECT_NEAR(angleToUp(half, n), slope / 2, 0.01);
    EXPECT_NEAR(angleToUp(half, {0, 1, 0}), slope / 2, 0.01);
    const auto& m = half;
    const double det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                       m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                       m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    EXPECT_NEAR(det, 1, 1e-5);
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(std::hypot(m[0][c], m[1][c], m[2][c]), 1, 1e-5);
    EXPECT_EQ(modGroundRule::leanWithGround(n, 0), modGroundRule::leanWithGround({0, 1, 0}, 100));
  }
  geometry::tMatrix identity{};
  for (int k = 0; k < 4; ++k) identity[k][k] = 1;
  EXPECT_EQ(modGroundRule::leanWithGround({0.6f, 0.8f, 0}, 0), identity);
  EXPECT_EQ(modGroundRule::leanWithGround({0.6f, 0.8f, 0}, -30), identity);
  EXPECT_EQ(modGroundRule::leanWithGround({0, 1, 0}, 100), identity);
  EXPECT_EQ(modGroundRule::leanWithGround({0, 0, 0}, 100), identity);
  EXPECT_LT(angleToUp(modGroundRule::leanWithGround({0.6f, 0.8f, 0}, 250), {0.6f, 0.8f, 0}), 0.01);

  // Placed: the item's foot on the base, lifted straight up; its axis along the normal.
  generation::clsStanding standing;
  standing.base = {1, 2, 3}, standing.normal = {0, 0.8f, -0.6f};
  const geometry::tMatrix placement = modGroundRule::standingPlacement(standing, 100, 0.5f);
  geometry::clsPixel foot{0, 0, 0}, tip{0, 1, 0};
  modVectorMatrix::transformPoint(foot, placement);
  modVectorMatrix::transformPoint(tip, placement);
  EXPECT_EQ(foot, (geometry::clsPixel{1, 2.5f, 3}));
  EXPECT_NEAR(tip.x - foot.x, 0, 1e-6);
  EXPECT_NEAR(tip.y - foot.y, 0.8f, 1e-6);
  EXPECT_NEAR(tip.z - foot.z, -0.6f, 1e-6);
}

}  // namespace
