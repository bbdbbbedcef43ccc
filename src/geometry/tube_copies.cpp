#include "geometry/tube_copies.h"

#include "geometry/polygon_ops.h"

namespace modTube {

clsTube cloneTube(const clsTube& tube) {
  clsTube copy = newTube(tube.name, tube.matFrom, tube.matTo);
  copy.rings.reserve(tube.rings.size());
  for (const clsPolygon& ring : tube.rings) copy.rings.push_back(modPolygon::clonePolygon(ring, ring.name));
  copy.framePoints = tube.framePoints;
  return copy;
}

void jitterTube(clsTube& tube, model::clsRandom& random) {
  for (clsPolygon& ring : tube.rings) modPolygon::jitterPolygon(ring, random);
}

}  // namespace modTube
