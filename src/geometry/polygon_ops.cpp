#include "geometry/polygon_ops.h"

#include <cmath>

#include "geometry/vector_matrix.h"

namespace modPolygon {
namespace {

// Applies f to every vertex position, then to every frame point.
template <class F>
void eachPoint(clsPolygon& polygon, F f) {
  for (geometry::clsVertex& vertex : polygon.v) f(vertex.p);
  for (clsPixel& point : polygon.framePoints) f(point);
}

void turn(clsPixel& point, const clsPixel& centre, std::int16_t axis, float sn, float cs) {
  const double dx = static_cast<double>(point.x) - centre.x;
  const double dy = static_cast<double>(point.y) - centre.y;
  const double dz = static_cast<double>(point.z) - centre.z;
  switch (axis) {
    case 1:
      point.y = static_cast<float>(centre.y + dy * cs - dz * sn);
      point.z = static_cast<float>(centre.z + dy * sn + dz * cs);
      break;
    case 2:
      point.x = static_cast<float>(centre.x + dx * cs + dz * sn);
      point.z = static_cast<float>(centre.z - dx * sn + dz * cs);
      break;
    case 3:
      point.x = static_cast<float>(centre.x + dx * cs - dy * sn);
      point.y = static_cast<float>(centre.y + dx * sn + dy * cs);
      break;
    default:
      break;
  }
}

float scaled(float k, float centre, float factor) {
  return static_cast<float>((static_cast<double>(k) - centre) * factor + centre);
}

// One draw for the chance; two more for an offset when the chance comes up.
float offset(model::clsRandom& random, float amount, std::int16_t chance) {
  const auto roll = static_cast<float>(100 * random.draw());
  if (!(roll < chance)) return 0;
  const double size = random.draw() * amount;
  return static_cast<float>(random.draw() < 0.5 ? -size : size);
}

}  // namespace

void movePolygon(clsPolygon& polygon, const clsPixel& offset) {
  eachPoint(polygon, [&](clsPixel& p) {
    p.x += offset.x;
    p.y += offset.y;
    p.z += offset.z;
  });
}

void rotatePolygon(clsPolygon& polygon, const clsPixel& centre, std::int16_t axis, float angle) {
  const auto sn = static_cast<float>(std::sin(static_cast<double>(angle)));
  const auto cs = static_cast<float>(std::cos(static_cast<double>(angle)));
  eachPoint(polygon, [&](clsPixel& p) { turn(p, centre, axis, sn, cs); });
  for (geometry::clsVertex& vertex : polygon.v) {
    turn(vertex.vn1, {}, axis, sn, cs);
    turn(vertex.vn2, {}, axis, sn, cs);
  }
}

void scalePolygon(clsPolygon& polygon, const clsPixel& centre, float factor, std::int16_t mode) {
  if (mode < 0 || mode > 3) return;
  eachPoint(polygon, [&](clsPixel& p) {
    if (mode == 0 || mode == 1) p.x = scaled(p.x, centre.x, factor);
    if (mode == 0 || mode == 2) p.y = scaled(p.y, centre.y, factor);
    if (mode == 0 || mode == 3) p.z = scaled(p.z, centre.z, factor);
  });
}

void scalePolygonAndVariation(clsPolygon& polygon, const clsPixel& centre, float factor, std::int16_t mode) {
  scalePolygon(polygon, centre, factor, mode);
  for (geometry::clsVertex& vertex : polygon.v) {
    vertex.vX *= factor;
    vertex.vY *= factor;
    vertex.vZ *= factor;
  }
}

void transformPolygon(clsPolygon& polygon, const geometry::tMatrix& m) {
  eachPoint(polygon, [&](clsPixel& p) { modVectorMatrix::transformPoint(p, m); });
}

clsPolygon clonePolygon(const clsPolygon& polygon, std::string name) {
  clsPolygon copy = polygon;
  copy.name = std::move(name);
  return copy;
}

void jitterPolygon(clsPolygon& polygon, model::clsRandom& random) {
  for (geometry::clsVertex& vertex : polygon.v) {
    vertex.p.x += offset(random, vertex.vX, vertex.fX);
    vertex.p.y += offset(random, vertex.vY, vertex.fY);
    vertex.p.z += offset(random, vertex.vZ, vertex.fZ);
  }
}

void drawJitter(const clsPolygon& polygon, model::clsRandom& random) {
  for (const geometry::clsVertex& vertex : polygon.v) {
    offset(random, vertex.vX, vertex.fX);
    offset(random, vertex.vY, vertex.fY);
    offset(random, vertex.vZ, vertex.fZ);
  }
}

clsPolygon cloneAndJitter(const clsPolygon& polygon, std::string name, model::clsRandom& random) {
  clsPolygon copy = clonePolygon(polygon, std::move(name));
  jitterPolygon(copy, random);
  return copy;
}

}  // namespace modPolygon
