#pragma once
// Points, vectors and 4 x 4 matrices. Sums and products are formed in double precision and
// rounded to single precision when stored. A further transform B accumulates onto A as B x A.

#include <cstdint>
#include <span>

#include "geometry/pixel.h"

namespace modVectorMatrix {

using geometry::clsPixel;
using geometry::tMatrix;
using geometry::tVector;

tMatrix identityMatrix();
tMatrix translationMatrix(float tx, float ty, float tz);
tMatrix scaleMatrix(float sx, float sy, float sz);
// Axis 1 X, 2 Y, anything else Z; positive angles turn counter-clockwise seen from the axis' end.
tMatrix axisRotationMatrix(std::int16_t axis, float angle);
// a becomes b x a: b takes effect after everything already in a.
void multiplyMatrix(tMatrix& a, const tMatrix& b);
void transformPoint(clsPixel& point, const tMatrix& m);

tVector subtractPoints(const clsPixel& a, const clsPixel& b);  // b - a
clsPixel differencePixel(const clsPixel& a, const clsPixel& b);  // b - a
float distance(const clsPixel& a, const clsPixel& b);
clsPixel pointBetween(const clsPixel& a, const clsPixel& b, float t);
tVector pixelToVector(const clsPixel& p);
tVector zeroVector();
// Unit vector, or (0, 0, 0) when the length is 0 or not a positive number; also overwrites v.
tVector normalize3(tVector& v);
clsPixel normalize3(const clsPixel& p);
// Points towards a viewer who sees p1, p2, p3 counter-clockwise; (0, 0, 0) for a degenerate one.
clsPixel faceNormal(const clsPixel& p1, const clsPixel& p2, const clsPixel& p3);
// The normalised mean of the normals that are not exactly zero; (0, 0, 0) when all are.
clsPixel averageNormals(std::span<const clsPixel* const> normals);
// Direction of (u, v) in radians, in [0, 2 pi).
float directionAngle(float u, float v);

// sin and cos of whole degrees 0..360, for the per-section twist of blades.
float sinDegrees(int degrees);
float cosDegrees(int degrees);

}  // namespace modVectorMatrix
