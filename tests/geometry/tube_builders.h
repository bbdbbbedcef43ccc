#pragma once
// Tubes as the builders make them, for the geometry tests.

#include <cmath>

#include "geometry/mesh.h"

namespace support {

// A ring of n vertices on a circle of the given radius around the Y axis at height y.
inline geometry::clsPolygon circleRing(int n, float radius, float y, bool along, bool around) {
  geometry::clsPolygon ring = modTube::newPolygon("", false, false, true, false, along, around, 0, 0);
  for (int k = 0; k < n; ++k) {
    const double angle = 2 * 3.14159265358979 * k / n;
    modTube::addVertex(ring, static_cast<float>(radius * std::cos(angle)), y,
                       static_cast<float>(-radius * std::sin(angle)));
  }
  return ring;
}

// A straight blade of `rings` open rings of two vertices, width along Z, growing along Y.
inline geometry::clsTube bladeTube(int rings, bool along, bool around) {
  geometry::clsTube tube = modTube::newTube("", 0, 0);
  for (int r = 0; r < rings; ++r) {
    geometry::clsPolygon ring = modTube::newPolygon("", false, false, false, false, along, around, 0, 0);
    const float half = 0.05f * static_cast<float>(rings - r) / static_cast<float>(rings);
    modTube::addVertex(ring, 0.01f * static_cast<float>(r * r), static_cast<float>(r) * 0.25f, half);
    modTube::addVertex(ring, 0.01f * static_cast<float>(r * r), static_cast<float>(r) * 0.25f, -half);
    modTube::addRing(tube, ring);
  }
  return tube;
}

}  // namespace support
