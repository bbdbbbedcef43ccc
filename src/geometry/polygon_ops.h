#pragma once
// Moving, turning, scaling, copying and randomly varying whole rings and polylines. Each acts
// on the vertices first to last, then on the frame points first to last.

#include <cstdint>
#include <string>

#include "geometry/mesh.h"
#include "model/random.h"

namespace modPolygon {

using geometry::clsPixel;
using geometry::clsPolygon;

void movePolygon(clsPolygon& polygon, const clsPixel& offset);
// About the line through centre parallel to axis 1 (X), 2 (Y) or 3 (Z); normals turn about the
// origin. Any other axis leaves the polygon as it is.
void rotatePolygon(clsPolygon& polygon, const clsPixel& centre, std::int16_t axis, float angle);
// Mode 0 scales x, y and z; 1 x only; 2 y only; 3 z only; any other mode nothing.
void scalePolygon(clsPolygon& polygon, const clsPixel& centre, float factor, std::int16_t mode);
void scalePolygonAndVariation(clsPolygon& polygon, const clsPixel& centre, float factor, std::int16_t mode);
void transformPolygon(clsPolygon& polygon, const geometry::tMatrix& m);
clsPolygon clonePolygon(const clsPolygon& polygon, std::string name);
// Random offsets from each vertex's own variation amounts and chances; frame points stay.
void jitterPolygon(clsPolygon& polygon, model::clsRandom& random);
// The random draws jitterPolygon makes for polygon, leaving it as it is.
void drawJitter(const clsPolygon& polygon, model::clsRandom& random);
clsPolygon cloneAndJitter(const clsPolygon& polygon, std::string name, model::clsRandom& random);

}  // namespace modPolygon
