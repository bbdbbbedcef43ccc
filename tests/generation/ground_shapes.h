#pragma once
// Small grounds for the tests, and a look-up that knows nothing of the grid: a ray dropped
// onto every triangle.

#include <array>
#include <cmath>
#include <optional>
#include <vector>

#include "platform/ground_loader.h"

namespace groundtest {

using tPoint = std::array<float, 3>;

// A surface as shared corners and triangles of corner numbers, as mesh files hold it.
struct clsSurface {
  std::vector<tPoint> points;
  std::vector<std::array<unsigned, 3>> triangles;
};

// Hills over (0, 0)..(10, 8) on a grid of columns x rows squares; half of them wound the other
// way, as exporters are not all alike.
inline clsSurface hills(int columns = 12, int rows = 9) {
  clsSurface surface;
  for (int j = 0; j <= rows; ++j) {
    for (int i = 0; i <= columns; ++i) {
      const float x = 10.0f * float(i) / float(columns), z = 8.0f * float(j) / float(rows);
      surface.points.push_back({x, 2.0f * std::sin(x * 0.7f) * std::cos(z * 0.5f) + 0.3f * z, z});
    }
  }
  for (int j = 0; j < rows; ++j) {
    for (int i = 0; i < columns; ++i) {
      const unsigned a = unsigned(j * (columns + 1) + i), b = a + 1, c = a + unsigned(columns) + 1, d = c + 1;
      surface.triangles.push_back({a, c, b});
      surface.triangles.push_back((i + j) % 2 == 0 ? std::array{b, c, d} : std::array{b, d, c});
    }
  }
  return surface;
}

inline platform::clsGroundMesh meshOf(const clsSurface& surface) {
  platform::clsGroundMesh mesh;
  bool first = true;
  for (const auto& triangle : surface.triangles) {
    for (unsigned index : triangle) {
      const tPoint& p = surface.points[index];
      mesh.corners.insert(mesh.corners.end(), p.begin(), p.end());
      mesh.minX = first ? p[0] : std::min(mesh.minX, p[0]), mesh.maxX = first ? p[0] : std::max(mesh.maxX, p[0]);
      mesh.minY = first ? p[1] : std::min(mesh.minY, p[1]), mesh.maxY = first ? p[1] : std::max(mesh.maxY, p[1]);
      mesh.minZ = first ? p[2] : std::min(mesh.minZ, p[2]), mesh.maxZ = first ? p[2] : std::max(mesh.maxZ, p[2]);
      first = false;
    }
  }
  return mesh;
}

// The highest crossing of a vertical ray through (x, z) with any triangle (Moller-Trumbore), in
// double; nothing when the ray misses them all.
inline std::optional<double> dropRay(const platform::clsGroundMesh& mesh, double x, double z) {
  std::optional<double> best;
  const double origin[3] = {x, 1e6, z}, direction[3] = {0, -1, 0};
  for (std::size_t t = 0; t + 9 <= mesh.corners.size(); t += 9) {
    const float* c = mesh.corners.data() + t;
    const double e1[3] = {double(c[3]) - c[0], double(c[4]) - c[1], double(c[5]) - c[2]};
    const double e2[3] = {double(c[6]) - c[0], double(c[7]) - c[1], double(c[8]) - c[2]};
    const double p[3] = {direction[1] * e2[2] - direction[2] * e2[1], direction[2] * e2[0] - direction[0] * e2[2],
                         direction[0] * e2[1] - direction[1] * e2[0]};
    const double det = e1[0] * p[0] + e1[1] * p[1] + e1[2] * p[2];
    if (std::fabs(det) < 1e-15) continue;
    const double s[3] = {origin[0] - c[0], origin[1] - c[1], origin[2] - c[2]};
    const double u = (s[0] * p[0] + s[1] * p[1] + s[2] * p[2]) / det;
    if (u < -1e-9 || u > 1 + 1e-9) continue;
    const double q[3] = {s[1] * e1[2] - s[2] * e1[1], s[2] * e1[0] - s[0] * e1[2], s[0] * e1[1] - s[1] * e1[0]};
    const double v = (direction[0] * q[0] + direction[1] * q[1] + direction[2] * q[2]) / det;
    if (v < -1e-9 || u + v > 1 + 1e-9) continue;
    const double distance = (e2[0] * q[0] + e2[1] * q[1] + e2[2] * q[2]) / det;
    const double height = origin[1] - distance;
    if (!best || height > *best) best = height;
  }
  return best;
}

}  // namespace groundtest
