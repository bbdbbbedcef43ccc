#include "geometry/mesh.h"

#include "geometry/vector_matrix.h"

namespace modTube {

clsVertex newVertex(float x, float y, float z, float w, float vX, std::int16_t fX, float vY, std::int16_t fY,
                    float vZ, std::int16_t fZ) {
  clsVertex vertex;
  vertex.p = {x, y, z};
  vertex.w = w;
  vertex.vX = vX;
  vertex.fX = fX;
  vertex.vY = vY;
  vertex.fY = fY;
  vertex.vZ = vZ;
  vertex.fZ = fZ;
  return vertex;
}

clsPolygon newPolygon(std::string name, bool capStart, bool capEnd, bool isClosed, bool isEnd, bool smoothAlong,
                      bool smoothAround, std::int16_t matFrom, std::int16_t matTo) {
  clsPolygon ring;
  ring.name = std::move(name);
  ring.capStart = capStart;
  ring.capEnd = capEnd;
  ring.isClosed = isClosed;
  ring.isEnd = isEnd;
  ring.smoothAlong = smoothAlong;
  ring.smoothAround = smoothAround;
  ring.matFrom = matFrom;
  ring.matTo = matTo;
  return ring;
}

clsTube newTube(std::string name, std::int16_t matFrom, std::int16_t matTo) {
  clsTube tube;
  tube.name = std::move(name);
  tube.matFrom = matFrom;
  tube.matTo = matTo;
  return tube;
}

void addVertex(clsPolygon& ring, float x, float y, float z, float w, float vX, std::int16_t fX, float vY,
               std::int16_t fY, float vZ, std::int16_t fZ) {
  ring.v.push_back(newVertex(x, y, z, w, vX, fX, vY, fY, vZ, fZ));
}

void addFramePoint(clsPolygon& ring, float x, float y, float z) { ring.framePoints.push_back({x, y, z}); }

void addRing(clsTube& tube, clsPolygon ring) { tube.rings.push_back(std::move(ring)); }

void appendTube(clsTube& destination, const clsTube& source, bool markEnd) {
  if (markEnd && !destination.rings.empty()) destination.rings.back().isEnd = true;
  destination.rings.insert(destination.rings.end(), source.rings.begin(), source.rings.end());
}

void transformTube(clsTube& tube, const geometry::tMatrix& m) {
  for (clsPolygon& ring : tube.rings) {
    for (clsVertex& vertex : ring.v) modVectorMatrix::transformPoint(vertex.p, m);
    for (geometry::clsPixel& point : ring.framePoints) modVectorMatrix::transformPoint(point, m);
  }
  for (geometry::clsPixel& point : tube.framePoints) modVectorMatrix::transformPoint(point, m);
}

}  // namespace modTube
