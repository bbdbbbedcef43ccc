#pragma once
// Whole-tube copies and their random variation, for the leaflets of a compound leaf.

#include "geometry/mesh.h"
#include "model/random.h"

namespace modTube {

// A deep copy: every ring and frame point copied, nothing shared.
clsTube cloneTube(const clsTube& tube);
// jitterPolygon on every ring in order.
void jitterTube(clsTube& tube, model::clsRandom& random);

}  // namespace modTube
