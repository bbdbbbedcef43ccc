#pragma once
// Points, vectors and 4 x 4 matrices. Sums and products are formed in double precision and
// rounded to single precision when stored. A further transform B accumulates onto A as B x A.

#include <cmath>
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
inline void multiplyMatrix(tMatrix& a, const tMatrix& b);
inline void transformPoint(clsPixel& point, const tMatrix& m);

tVector subtractPoints(const clsPixel& a, const clsPixel& b);  // b - a
clsPixel differencePixel(const clsPixel& a, const clsPixel& b);  // b - a
float distance(const clsPixel& a, const clsPixel& b);
clsPixel pointBetween(const clsPixel& a, const clsPixel& b, float t);
tVector pixelToVector(const clsPixel& p);
tVector zeroVector();
// Unit vector, or (0, 0, 0) when the length is 0 or not a positive number; also overwrites v.
inline tVector normalize3(tVector& v);
clsPixel normalize3(const clsPixel& p);
// Points towards a viewer who sees p1, p2, p3 counter-clockwise; (0, 0, 0) for a degenerate one.
inline clsPixel faceNormal(const clsPixel& p1, const clsPixel& p2, const clsPixel& p3);
// The normalised mean of the normals that are not exactly zero; (0, 0, 0) when all are.
clsPixel averageNormals(std::span<const clsPixel* const> normals);
// Direction of (u, v) in radians, in [0, 2 pi).
float directionAngle(float u, float v);

// sin and cos of whole degrees 0..360, for the per-section twist of blades.
float sinDegrees(int degrees);
float cosDegrees(int degrees);

// The few operations every generated vertex goes through, here so that they inline into the
// builders' loops.

namespace detail {
// The square root is the correctly rounded power 0.5.
inline float lengthOf(double x, double y, double z) { return static_cast<float>(std::sqrt(x * x + y * y + z * z)); }
}  // namespace detail

inline void multiplyMatrix(tMatrix& a, const tMatrix& b) {
  tMatrix product;
  for (int i = 0; i < 4; ++i) {
    // Each entry sums its four products in the order k = 0..3, from 0, a row at a time.
    double sum[4] = {0, 0, 0, 0};
    for (int k = 0; k < 4; ++k)
      for (int j = 0; j < 4; ++j) sum[j] += static_cast<double>(b[i][k]) * a[k][j];
    for (int j = 0; j < 4; ++j) product[i][j] = static_cast<float>(sum[j]);
  }
  a = product;
}

inline void transformPoint(clsPixel& point, const tMatrix& m) {
  const double x = point.x, y = point.y, z = point.z;
  point.x = static_cast<float>(m[0][0] * x + m[0][1] * y + m[0][2] * z + m[0][3]);
  point.y = static_cast<float>(m[1][0] * x + m[1][1] * y + m[1][2] * z + m[1][3]);
  point.z = static_cast<float>(m[2][0] * x + m[2][1] * y + m[2][2] * z + m[2][3]);
}

inline tVector normalize3(tVector& v) {
  const float length = detail::lengthOf(v[0], v[1], v[2]);
  if (!(length > 0) || !std::isfinite(length)) {
    v = {0, 0, 0};
    return v;
  }
  for (float& c : v) c /= length;  // the same as dividing in double and rounding
  return v;
}

inline clsPixel faceNormal(const clsPixel& p1, const clsPixel& p2, const clsPixel& p3) {
  const double a1 = static_cast<double>(p2.x) - p1.x, a2 = static_cast<double>(p2.y) - p1.y,
               a3 = static_cast<double>(p2.z) - p1.z;
  const double b1 = static_cast<double>(p3.x) - p1.x, b2 = static_cast<double>(p3.y) - p1.y,
               b3 = static_cast<double>(p3.z) - p1.z;
  tVector n = {static_cast<float>(a2 * b3 - a3 * b2), static_cast<float>(a3 * b1 - a1 * b3),
               static_cast<float>(a1 * b2 - a2 * b1)};
  normalize3(n);
  return {n[0], n[1], n[2]};
}

}  // namespace modVectorMatrix
