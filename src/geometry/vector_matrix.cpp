#include "geometry/vector_matrix.h"

#include <cmath>

#include "model/value_functions.h"

namespace modVectorMatrix {
namespace {

struct clsDegreeTables {
  std::array<float, 361> sine{};
  std::array<float, 361> cosine{};
  clsDegreeTables() {
    for (int d = 0; d <= 360; ++d) {
      const double radians = d * static_cast<double>(geometry::kPi) / 180.0;
      sine[static_cast<std::size_t>(d)] = static_cast<float>(std::sin(radians));
      cosine[static_cast<std::size_t>(d)] = static_cast<float>(std::cos(radians));
    }
  }
};

const clsDegreeTables& degreeTables() {
  static const clsDegreeTables tables;
  return tables;
}

}  // namespace

tMatrix identityMatrix() {
  tMatrix m{};
  for (int i = 0; i < 4; ++i) m[i][i] = 1;
  return m;
}

tMatrix translationMatrix(float tx, float ty, float tz) {
  tMatrix m = identityMatrix();
  m[0][3] = tx;
  m[1][3] = ty;
  m[2][3] = tz;
  return m;
}

tMatrix scaleMatrix(float sx, float sy, float sz) {
  tMatrix m = identityMatrix();
  m[0][0] = sx;
  m[1][1] = sy;
  m[2][2] = sz;
  return m;
}

tMatrix axisRotationMatrix(std::int16_t axis, float angle) {
  const auto co = static_cast<float>(std::cos(static_cast<double>(angle)));
  const auto si = static_cast<float>(std::sin(static_cast<double>(angle)));
  tMatrix m = identityMatrix();
  int a = 0, b = 1;  // the two coordinates that turn
  if (axis == 1) a = 1, b = 2;
  if (axis == 2) a = 2, b = 0;  // z, x: x' = co x + si z
  m[a][a] = co;
  m[a][b] = -si;
  m[b][a] = si;
  m[b][b] = co;
  return m;
}

tVector subtractPoints(const clsPixel& a, const clsPixel& b) { return {b.x - a.x, b.y - a.y, b.z - a.z}; }

clsPixel differencePixel(const clsPixel& a, const clsPixel& b) { return {b.x - a.x, b.y - a.y, b.z - a.z}; }

float distance(const clsPixel& a, const clsPixel& b) {
  return detail::lengthOf(static_cast<double>(b.x) - a.x, static_cast<double>(b.y) - a.y, static_cast<double>(b.z) - a.z);
}

clsPixel pointBetween(const clsPixel& a, const clsPixel& b, float t) {
  return {static_cast<float>(a.x + (static_cast<double>(b.x) - a.x) * t),
          static_cast<float>(a.y + (static_cast<double>(b.y) - a.y) * t),
          static_cast<float>(a.z + (static_cast<double>(b.z) - a.z) * t)};
}

tVector pixelToVector(const clsPixel& p) { return {p.x, p.y, p.z}; }

tVector zeroVector() { return {0, 0, 0}; }

clsPixel normalize3(const clsPixel& p) {
  tVector v = pixelToVector(p);
  normalize3(v);
  return {v[0], v[1], v[2]};
}

clsPixel averageNormals(std::span<const clsPixel* const> normals) {
  double x = 0, y = 0, z = 0;
  int used = 0;
  for (const clsPixel* n : normals) {
    if (geometry::isZero(*n)) continue;
    x += n->x, y += n->y, z += n->z;
    ++used;
  }
  if (used == 0) return {};
  tVector mean = {static_cast<float>(x / used), static_cast<float>(y / used), static_cast<float>(z / used)};
  normalize3(mean);
  return {mean[0], mean[1], mean[2]};
}

float directionAngle(float u, float v) {
  using namespace geometry;
  if (u == 0 && v == 0) return 0;
  if (u == 0) return v > 0 ? kHalfPi : kThreeHalfPi;
  if (v == 0) return u > 0 ? 0 : kPi;
  const float reference =
      modGeneral::arcSin(std::fabs(v) / static_cast<float>(std::sqrt(static_cast<double>(u) * u + static_cast<double>(v) * v)));
  if (u > 0 && v > 0) return reference;
  if (u < 0 && v > 0) return kPi - reference;
  if (u < 0) return kPi + reference;
  return kTwoPi - reference;
}

namespace {
// Callers bring angles into 0..360 first; anything else is wrapped rather than read out of bounds.
std::size_t degreeIndex(int degrees) {
  if (degrees < 0 || degrees > 360) degrees = ((degrees % 360) + 360) % 360;
  return static_cast<std::size_t>(degrees);
}
}  // namespace

float sinDegrees(int degrees) { return degreeTables().sine[degreeIndex(degrees)]; }
float cosDegrees(int degrees) { return degreeTables().cosine[degreeIndex(degrees)]; }

}  // namespace modVectorMatrix
