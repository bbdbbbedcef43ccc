#pragma once
// A plain grid over X/Z that lists, for every cell, the ground's triangles whose X/Z bounds
// touch it: a downward look-up then tests only the few triangles of one cell.

#include <cstdint>
#include <vector>

#include "platform/ground_loader.h"

namespace generation {

struct clsGroundGrid {
  double originX = 0;
  double originZ = 0;
  double cellsPerX = 0;  // cells per unit along X
  double cellsPerZ = 0;
  int columns = 0;  // along X
  int rows = 0;     // along Z
  // Cell c = row x columns + column lists triangles[firsts[c]] up to triangles[firsts[c + 1]].
  std::vector<std::uint32_t> firsts;
  std::vector<std::uint32_t> triangles;
};

// A point this share of a cell outside the grid still looks into its edge cell, so that a point
// on the ground's rim, rounded outward, finds its triangles. Inside, none is needed: a point
// and a triangle's corner at the same place fall into the same cell, for both are placed by the
// same rounding, which never reverses an order.
inline constexpr double kCellMargin = 1e-3;

}  // namespace generation

namespace modGroundGrid {

// About one cell a triangle; triangles that stand upright (no area seen from above) are left
// out, for nothing can land on them.
generation::clsGroundGrid buildGrid(const platform::clsGroundMesh& mesh);

// The cell of (x, z), or -1 when the point lies outside the grid. A triangle is listed in the
// cells its X/Z bounds cover, as this places their corners.
inline std::int64_t cellAt(const generation::clsGroundGrid& grid, double x, double z) {
  const double u = (x - grid.originX) * grid.cellsPerX;
  const double v = (z - grid.originZ) * grid.cellsPerZ;
  using generation::kCellMargin;
  if (!(u >= -kCellMargin && v >= -kCellMargin && u <= grid.columns + kCellMargin && v <= grid.rows + kCellMargin))
    return -1;
  const auto column = static_cast<std::int64_t>(u < 0 ? 0 : u >= grid.columns ? grid.columns - 1 : u);
  const auto row = static_cast<std::int64_t>(v < 0 ? 0 : v >= grid.rows ? grid.rows - 1 : v);
  return row * grid.columns + column;
}

}  // namespace modGroundGrid
