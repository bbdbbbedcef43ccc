#pragma once
// A grey picture made into a ground: a grid of squares, two triangles each, over
// (0, 0)..(sizeX, sizeZ), every corner as high as its pixel's grey / 255 x height. The picture's
// left edge is x = 0 and its top edge z = 0, as for the altitude picture.

#include "platform/ground_loader.h"
#include "platform/platform.h"

namespace generation {

// Larger pictures are sampled at this many corners a side (2,097,152 triangles at most).
inline constexpr int kMaxHeightMapCorners = 1025;

}  // namespace generation

namespace modGroundHeightMap {

// False, with mesh empty, when the picture has no pixel or a size is not a positive number.
bool meshFromPicture(const platform::IPicture& picture, float sizeX, float sizeZ, float height,
                     platform::clsGroundMesh& mesh);

}  // namespace modGroundHeightMap
