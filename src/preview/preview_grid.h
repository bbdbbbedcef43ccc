#pragma once
// The 3D view's ground grid and framing over a bounded reach: any area a box or a settings file
// can hold (up to 3.4E+38, or not a number at all) gives a grid of a few hundred lines at most.

#include <vector>

#include "preview/preview_scene.h"

namespace modPreview {

// The view draws and frames within this distance of the origin.
inline constexpr float kViewReach = 1e7f;
inline constexpr int kMaxGridLines = 250;  // each way

struct clsGridLine {
  float x1, z1, x2, z2;
};

// v within the reach; what is not a number counts as 0.
float withinReach(float v);

// Lines one unit apart (5 from a field of 40, then a power of ten that gives 20 to 200 lines)
// over the scene's extent and one step beyond.
std::vector<clsGridLine> groundGrid(const preview::clsPreviewScene& scene);

}  // namespace modPreview
