#include "generation/ground_grid.h"

#include <algorithm>
#include <cmath>

namespace {

using generation::clsGroundGrid;

// At most this many cells (16 MB of offsets), and list entries a triangle on average before the
// grid is made coarser: a few huge triangles over a fine grid must not fill the memory.
constexpr std::int64_t kMaxCells = 4'000'000;
constexpr std::int64_t kEntriesPerTriangle = 8;

struct clsSpan {
  int column0, column1, row0, row1;  // inclusive; column0 > column1 for a triangle left out
};

clsSpan spanOf(const clsGroundGrid& grid, const float* t) {
  const double x0 = std::min({t[0], t[3], t[6]}), x1 = std::max({t[0], t[3], t[6]});
  const double z0 = std::min({t[2], t[5], t[8]}), z1 = std::max({t[2], t[5], t[8]});
  // Seen from above: twice the signed area of the triangle's shadow, against its size.
  const double ux = double(t[3]) - t[0], uz = double(t[5]) - t[2], vx = double(t[6]) - t[0], vz = double(t[8]) - t[2];
  const double shadow = ux * vz - uz * vx;
  if (!(std::fabs(shadow) > 1e-12 * ((x1 - x0) * (x1 - x0) + (z1 - z0) * (z1 - z0)))) return {1, 0, 0, 0};
  // The cells from low to high; a high bound right on a cell's edge does not reach into that
  // cell, for the triangle beside it there answers a point on that edge. Grounds made on a
  // regular grid (height fields, scans) so keep one entry a cell instead of four.
  const auto cells = [](double low, double high, double origin, double perUnit, int count) {
    const double first = std::floor((low - origin) * perUnit), end = (high - origin) * perUnit;
    double last = std::floor(end);
    if (last == end && last > first) last -= 1;
    return std::pair(static_cast<int>(std::clamp(first, 0.0, double(count - 1))),
                     static_cast<int>(std::clamp(last, 0.0, double(count - 1))));
  };
  const auto [column0, column1] = cells(x0, x1, grid.originX, grid.cellsPerX, grid.columns);
  const auto [row0, row1] = cells(z0, z1, grid.originZ, grid.cellsPerZ, grid.rows);
  return {column0, column1, row0, row1};
}

std::int64_t entriesOf(const clsSpan& span) {
  if (span.column0 > span.column1) return 0;
  return std::int64_t(span.column1 - span.column0 + 1) * (span.row1 - span.row0 + 1);
}

void shape(clsGroundGrid& grid, const platform::clsGroundMesh& mesh, std::int64_t columns, std::int64_t rows) {
  const double width = std::max(double(mesh.maxX) - mesh.minX, 1e-30);
  const double depth = std::max(double(mesh.maxZ) - mesh.minZ, 1e-30);
  grid.columns = static_cast<int>(std::max<std::int64_t>(columns, 1));
  grid.rows = static_cast<int>(std::max<std::int64_t>(rows, 1));
  grid.originX = mesh.minX;
  grid.originZ = mesh.minZ;
  grid.cellsPerX = grid.columns / width;
  grid.cellsPerZ = grid.rows / depth;
}

}  // namespace

namespace modGroundGrid {

clsGroundGrid buildGrid(const platform::clsGroundMesh& mesh) {
  clsGroundGrid grid;
  const std::size_t count = platform::triangleCount(mesh);
  if (count == 0) return grid;
  // Square cells where the ground allows: as many cells as triangles, shared by the aspect.
  const double width = std::max(double(mesh.maxX) - mesh.minX, 0.0);
  const double depth = std::max(double(mesh.maxZ) - mesh.minZ, 0.0);
  const double cells = double(std::min<std::int64_t>(std::int64_t(count), kMaxCells));
  double columns = 1, rows = 1;
  if (width > 0 && depth > 0) {
    columns = std::clamp(std::sqrt(cells * width / depth), 1.0, cells);
    rows = std::clamp(cells / columns, 1.0, cells);
  } else if (width > 0) {
    columns = cells;
  } else if (depth > 0) {
    rows = cells;
  }
  shape(grid, mesh, std::int64_t(std::ceil(columns)), std::int64_t(std::ceil(rows)));
  const float* corners = mesh.corners.data();
  // A ground of a few huge triangles over many small ones halves the grid until the lists fit.
  for (;;) {
    std::int64_t entries = 0;
    for (std::size_t t = 0; t < count; ++t) entries += entriesOf(spanOf(grid, corners + 9 * t));
    const std::int64_t cellCount = std::int64_t(grid.columns) * grid.rows;
    if (entries <= kEntriesPerTriangle * std::int64_t(count) + cellCount || cellCount == 1) break;
    shape(grid, mesh, (grid.columns + 1) / 2, (grid.rows + 1) / 2);
  }
  const std::size_t cellCount = std::size_t(grid.columns) * std::size_t(grid.rows);
  grid.firsts.assign(cellCount + 1, 0);
  for (std::size_t t = 0; t < count; ++t) {
    const clsSpan span = spanOf(grid, corners + 9 * t);
    for (int row = span.row0; row <= span.row1 && span.column0 <= span.column1; ++row) {
      for (int column = span.column0; column <= span.column1; ++column)
        ++grid.firsts[std::size_t(row) * grid.columns + column + 1];
    }
  }
  for (std::size_t c = 0; c < cellCount; ++c) grid.firsts[c + 1] += grid.firsts[c];
  grid.triangles.resize(grid.firsts[cellCount]);
  std::vector<std::uint32_t> next(grid.firsts.begin(), grid.firsts.end() - 1);
  for (std::size_t t = 0; t < count; ++t) {
    const clsSpan span = spanOf(grid, corners + 9 * t);
    for (int row = span.row0; row <= span.row1 && span.column0 <= span.column1; ++row) {
      for (int column = span.column0; column <= span.column1; ++column)
        grid.triangles[next[std::size_t(row) * grid.columns + column]++] = static_cast<std::uint32_t>(t);
    }
  }
  return grid;
}

}  // namespace modGroundGrid
