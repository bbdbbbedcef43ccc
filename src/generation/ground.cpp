#include "generation/ground.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Barycentric weights this far below 0 still count as inside, so that a point on an edge that
// two triangles share, rounded either way, lands on one of them.
constexpr double kEdgeTolerance = 1e-7;

}  // namespace

namespace modGround {

generation::clsGround prepareGround(std::shared_ptr<const platform::clsGroundMesh> mesh) {
  generation::clsGround ground;
  if (mesh == nullptr) return ground;
  ground.grid = modGroundGrid::buildGrid(*mesh);
  ground.mesh = std::move(mesh);
  return ground;
}

generation::clsGroundHit lookDown(const generation::clsGround& ground, float x, float z) {
  generation::clsGroundHit best;
  if (ground.mesh == nullptr || ground.grid.firsts.empty()) return best;
  const std::int64_t cell = modGroundGrid::cellAt(ground.grid, x, z);
  if (cell < 0) return best;
  const float* corners = ground.mesh->corners.data();
  double bestHeight = -std::numeric_limits<double>::infinity();
  const float* bestTriangle = nullptr;
  for (std::uint32_t i = ground.grid.firsts[std::size_t(cell)]; i < ground.grid.firsts[std::size_t(cell) + 1]; ++i) {
    const float* t = corners + 9 * std::size_t(ground.grid.triangles[i]);
    const double ax = t[0], az = t[2], bx = t[3], bz = t[5], cx = t[6], cz = t[8];
    const double area = (bx - ax) * (cz - az) - (bz - az) * (cx - ax);
    const double wa = ((bx - x) * (cz - z) - (bz - z) * (cx - x)) / area;
    const double wb = ((cx - x) * (az - z) - (cz - z) * (ax - x)) / area;
    const double wc = 1.0 - wa - wb;
    if (wa < -kEdgeTolerance || wb < -kEdgeTolerance || wc < -kEdgeTolerance) continue;
    const double height = wa * t[1] + wb * t[4] + wc * t[7];
    if (height > bestHeight) {
      bestHeight = height;
      bestTriangle = t;
    }
  }
  if (bestTriangle == nullptr) return best;
  const float* t = bestTriangle;
  const double ux = double(t[3]) - t[0], uy = double(t[4]) - t[1], uz = double(t[5]) - t[2];
  const double vx = double(t[6]) - t[0], vy = double(t[7]) - t[1], vz = double(t[8]) - t[2];
  double nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
  // Either winding: the side a falling clump lands on faces up.
  const double length = std::sqrt(nx * nx + ny * ny + nz * nz) * (ny < 0 ? -1 : 1);
  nx /= length, ny /= length, nz /= length;
  best.hit = true;
  best.point = {x, static_cast<float>(bestHeight), z};
  best.normal = {static_cast<float>(nx), static_cast<float>(ny), static_cast<float>(nz)};
  return best;
}

float slopeDegrees(const geometry::clsPixel& normal) {
  return static_cast<float>(std::acos(std::clamp(double(normal.y), -1.0, 1.0)) * 180.0 / 3.14159265358979323846);
}

}  // namespace modGround
