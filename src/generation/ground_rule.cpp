#include "generation/ground_rule.h"

#include <algorithm>
#include <cmath>

#include "geometry/vector_matrix.h"

namespace {

bool within(float value, float from, float to) { return value >= std::min(from, to) && value <= std::max(from, to); }

}  // namespace

namespace modGroundRule {

generation::clsStanding standOn(const generation::clsGround& ground, const generation::clsGroundRule& rule, float x,
                                float z) {
  generation::clsStanding standing;
  const generation::clsGroundHit hit = modGround::lookDown(ground, x, z);
  if (!hit.hit || !within(modGround::slopeDegrees(hit.normal), rule.slopeFrom, rule.slopeTo) ||
      !within(hit.point.y, rule.heightFrom, rule.heightTo))
    return standing;
  standing.refused = false;
  standing.base = hit.point;
  standing.normal = hit.normal;
  return standing;
}

geometry::tMatrix leanWithGround(const geometry::clsPixel& normal, float leanPercent) {
  geometry::tMatrix turn{};
  for (int i = 0; i < 4; ++i) turn[i][i] = 1;
  // The axis is up x normal = (n.z, 0, -n.x); the full angle is the slope's.
  const double nx = normal.x, ny = normal.y, nz = normal.z;
  const double length = std::sqrt(nx * nx + ny * ny + nz * nz);
  const double sideways = std::sqrt(nx * nx + nz * nz);
  const double share = std::clamp(double(leanPercent), 0.0, 100.0) / 100;
  if (!(length > 0) || !std::isfinite(length) || !(sideways > 1e-12 * length) || share == 0) return turn;
  const double angle = share * std::atan2(sideways, ny);
  const double ax = nz / sideways, az = -nx / sideways;  // unit axis (ax, 0, az)
  const double c = std::cos(angle), s = std::sin(angle), t = 1 - c;
  // Rodrigues' turn about (ax, 0, az), for column vectors.
  const double m[3][3] = {{t * ax * ax + c, -s * az, t * ax * az},  //
                          {s * az, c, -s * ax},                     //
                          {t * ax * az, s * ax, t * az * az + c}};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) turn[i][j] = static_cast<float>(m[i][j]);
  }
  return turn;
}

geometry::tMatrix standingPlacement(const generation::clsStanding& standing, float leanPercent, float lift) {
  geometry::tMatrix placement = leanWithGround(standing.normal, leanPercent);
  modVectorMatrix::multiplyMatrix(
      placement, modVectorMatrix::translationMatrix(standing.base.x, standing.base.y + lift, standing.base.z));
  return placement;
}

}  // namespace modGroundRule
