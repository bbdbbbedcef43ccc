#pragma once
// The 3D view's ground grid and framing over a bounded reach: any area a box or a settings file
// can hold (up to 3.4E+38, or not a number at all) gives a grid of a few hundred lines at most.

#include <vector>

#include "preview/preview_scene.h"

namespace modPreview {

// The view draws and frames within this distance of the origin.
inline constexpr float kViewReach = 1e30f;
inline constexpr int kMaxGridLines = 250;  // each way

struct clsGridLine {
  float x1, z1, x2, z2;
};

// v within the reach; what is not a number counts as 0.
float withinReach(float v);

// A rectangle on the ground, x1 <= x2 and z1 <= z2.
struct clsGroundRect {
  float x1, z1, x2, z2;
};

// Lines one unit apart (5 from a field of 40, then a power of ten that gives 20 to 200 lines)
// over the scene's extent and one step beyond.
std::vector<clsGridLine> groundGrid(const preview::clsPreviewScene& scene);

// Each element's coverage rectangle, from the origin to (cover X, cover Z): its outline, and a
// band just outside it (a few pixels wide when the field is framed), drawn above the grid so
// that it shows where it lies on grid lines.
std::vector<clsGridLine> coverageOutlines(const preview::clsPreviewScene& scene);
std::vector<clsGroundRect> coverageBands(const preview::clsPreviewScene& scene);

}  // namespace modPreview
