#pragma once
// Vertex normals of a tube, from the two triangles of every quad between consecutive rings.

#include "geometry/mesh.h"

namespace modTube {

// Fills vn1 and vn2 of every vertex in runs that smooth along or around; other runs, and runs
// of one ring, keep (0, 0, 0).
void computeNormals(clsTube& tube);

}  // namespace modTube
