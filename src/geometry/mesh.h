#pragma once
// Vertices, rings and tubes: the records every generated blade, leaf and rock is built of.
// A run is a sequence of rings ending at a ring marked isEnd (or the tube's last ring); its
// first ring decides the flags and the vertex count of the whole run.

#include <cstdint>
#include <string>
#include <vector>

#include "geometry/pixel.h"

namespace geometry {

struct clsVertex {
  clsPixel p;
  clsPixel vn1;
  clsPixel vn2;
  float w = 1;
  // Random variation per axis: amount and chance in percent (curve points, compound leaflets).
  float vX = 0;
  std::int16_t fX = 0;
  float vY = 0;
  std::int16_t fY = 0;
  float vZ = 0;
  std::int16_t fZ = 0;
  bool operator==(const clsVertex&) const = default;
};

struct clsPolygon {
  std::string name;  // group name; empty for every generated ring
  bool capStart = false;
  bool capEnd = false;
  bool isClosed = false;
  bool isEnd = false;
  bool smoothAlong = false;
  bool smoothAround = false;
  std::int16_t matFrom = 0;
  std::int16_t matTo = 0;
  std::vector<clsVertex> v;
  std::vector<clsPixel> framePoints;  // carried through the same transforms as the ring
  bool operator==(const clsPolygon&) const = default;
};

struct clsTube {
  std::string name;
  std::int16_t matFrom = 0;
  std::int16_t matTo = 0;
  std::vector<clsPolygon> rings;
  std::vector<clsPixel> framePoints;
};

}  // namespace geometry

namespace modTube {

using geometry::clsPolygon;
using geometry::clsTube;
using geometry::clsVertex;

clsVertex newVertex(float x, float y, float z, float w = 1, float vX = 0, std::int16_t fX = 0, float vY = 0,
                    std::int16_t fY = 0, float vZ = 0, std::int16_t fZ = 0);
clsPolygon newPolygon(std::string name, bool capStart, bool capEnd, bool isClosed, bool isEnd, bool smoothAlong,
                      bool smoothAround, std::int16_t matFrom, std::int16_t matTo);
clsTube newTube(std::string name, std::int16_t matFrom, std::int16_t matTo);

void addVertex(clsPolygon& ring, float x, float y, float z, float w = 1, float vX = 0, std::int16_t fX = 0,
               float vY = 0, std::int16_t fY = 0, float vZ = 0, std::int16_t fZ = 0);
void addFramePoint(clsPolygon& ring, float x, float y, float z);
void addRing(clsTube& tube, clsPolygon ring);
// Marks the destination's last ring as the end of its run first when markEnd is set.
void appendTube(clsTube& destination, const clsTube& source, bool markEnd);
// Moves every position and frame point; normals are computed afterwards.
void transformTube(clsTube& tube, const geometry::tMatrix& m);

}  // namespace modTube
