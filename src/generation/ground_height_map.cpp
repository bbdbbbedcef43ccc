#include "generation/ground_height_map.h"

#include <algorithm>
#include <cmath>

#include "model/value_functions.h"

namespace {

// Corners along one side, at least two (a one-pixel picture gives one flat square), and the
// pixel each corner reads.
int cornersFor(int pixels) { return std::clamp(pixels, 2, generation::kMaxHeightMapCorners); }

int pixelOf(int corner, int corners, int pixels) {
  return static_cast<int>(std::lround(double(corner) * (pixels - 1) / (corners - 1)));
}

}  // namespace

namespace modGroundHeightMap {

bool meshFromPicture(const platform::IPicture& picture, float sizeX, float sizeZ, float height,
                     platform::clsGroundMesh& mesh) {
  mesh = {};
  const int width = picture.width(), depth = picture.height();
  if (width < 1 || depth < 1 || !(sizeX > 0) || !(sizeZ > 0) || !std::isfinite(sizeX) || !std::isfinite(sizeZ) ||
      !std::isfinite(height))
    return false;
  const int columns = cornersFor(width), rows = cornersFor(depth);
  std::vector<float> heights(std::size_t(columns) * std::size_t(rows));
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      const std::int32_t colour = picture.colourAt(pixelOf(column, columns, width), pixelOf(row, rows, depth));
      heights[std::size_t(row) * columns + column] = static_cast<float>(modGeneral::greyOf(colour)) / 255 * height;
    }
  }
  const auto xOf = [&](int column) { return static_cast<float>(double(sizeX) * column / (columns - 1)); };
  const auto zOf = [&](int row) { return static_cast<float>(double(sizeZ) * row / (rows - 1)); };
  mesh.corners.reserve(std::size_t(columns - 1) * std::size_t(rows - 1) * 18);
  for (int row = 0; row + 1 < rows; ++row) {
    for (int column = 0; column + 1 < columns; ++column) {
      const auto corner = [&](int c, int r) {
        mesh.corners.insert(mesh.corners.end(), {xOf(c), heights[std::size_t(r) * columns + c], zOf(r)});
      };
      // Counter-clockwise seen from above, so the normals face up.
      corner(column, row), corner(column, row + 1), corner(column + 1, row);
      corner(column + 1, row), corner(column, row + 1), corner(column + 1, row + 1);
    }
  }
  const auto [low, high] = std::minmax_element(heights.begin(), heights.end());
  mesh.minX = 0, mesh.maxX = sizeX;
  mesh.minZ = 0, mesh.maxZ = sizeZ;
  mesh.minY = *low, mesh.maxY = *high;
  return true;
}

}  // namespace modGroundHeightMap
