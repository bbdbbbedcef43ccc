#pragma once
// The artist's terrain under the field: its triangles and the grid that finds, for a point
// (x, z), the highest surface point below it, as a clump dropped from above would land.

#include <memory>

#include "generation/ground_grid.h"
#include "geometry/pixel.h"
#include "platform/ground_loader.h"

namespace generation {

struct clsGround {
  std::shared_ptr<const platform::clsGroundMesh> mesh;
  clsGroundGrid grid;
};

struct clsGroundHit {
  bool hit = false;           // false: no surface under the point
  geometry::clsPixel point;   // on the surface; point.y is the ground's height there
  geometry::clsPixel normal;  // of unit length, pointing up (y >= 0)
};

}  // namespace generation

namespace modGround {

// Makes a loaded ground ready for look-ups; an empty mesh gives a ground that every look-up misses.
generation::clsGround prepareGround(std::shared_ptr<const platform::clsGroundMesh> mesh);

// The highest surface point under (x, z); a point on an edge or the rim counts as on the ground.
generation::clsGroundHit lookDown(const generation::clsGround& ground, float x, float z);

// The true angle between a unit normal and up, in degrees: acos(n.y).
float slopeDegrees(const geometry::clsPixel& normal);

}  // namespace modGround
