#include "preview/preview_camera.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace modCamera {

using preview::clsBounds;
using preview::clsCamera;
using preview::tViewMatrix;

namespace {

constexpr double kDegree = std::numbers::pi / 180;
using tMatrix = std::array<double, 16>;

tMatrix multiply(const tMatrix& a, const tMatrix& b) {
  tMatrix m{};
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      for (int k = 0; k < 4; ++k) m[4 * r + c] += a[4 * r + k] * b[4 * k + c];
  return m;
}

tMatrix translation(double x, double y, double z) { return {1, 0, 0, x, 0, 1, 0, y, 0, 0, 1, z, 0, 0, 0, 1}; }

tMatrix viewProjectionOf(const clsCamera& camera, float aspect) {
  const double d = camera.distance, a = aspect > 0 ? aspect : 1;
  const double f = 1 / std::tan(kFieldOfView / 2 * kDegree);
  const double nearPlane = std::max(0.01, d / 1000), farPlane = d * 20 + 100;
  const tMatrix projection = {f / a, 0, 0, 0, 0, f, 0, 0, 0, 0, -(farPlane + nearPlane) / (farPlane - nearPlane),
                              -2 * farPlane * nearPlane / (farPlane - nearPlane), 0, 0, -1, 0};
  const double p = camera.pitch * kDegree, y = -camera.yaw * kDegree;
  const tMatrix tilt = {1, 0, 0, 0, 0, std::cos(p), -std::sin(p), 0, 0, std::sin(p), std::cos(p), 0, 0, 0, 0, 1};
  const tMatrix turn = {std::cos(y), 0, std::sin(y), 0, 0, 1, 0, 0, -std::sin(y), 0, std::cos(y), 0, 0, 0, 0, 1};
  return multiply(multiply(multiply(projection, translation(0, 0, -d)), multiply(tilt, turn)),
                  translation(-camera.targetX, -camera.targetY, -camera.targetZ));
}

// Where the bounds' corners fall in the view, from -1 to 1 across and up; false when one lies
// behind the camera.
bool projected(const clsCamera& camera, const clsBounds& b, float aspect, double& left, double& right, double& bottom,
               double& top) {
  const tMatrix m = viewProjectionOf(camera, aspect);
  left = bottom = INFINITY, right = top = -INFINITY;
  for (int corner = 0; corner < 8; ++corner) {
    const double x = corner & 1 ? b.maxX : b.minX, y = corner & 2 ? b.maxY : b.minY, z = corner & 4 ? b.maxZ : b.minZ;
    const double w = m[12] * x + m[13] * y + m[14] * z + m[15];
    if (!(w > 0)) return false;
    const double across = (m[0] * x + m[1] * y + m[2] * z + m[3]) / w, up = (m[4] * x + m[5] * y + m[6] * z + m[7]) / w;
    left = std::min(left, across), right = std::max(right, across);
    bottom = std::min(bottom, up), top = std::max(top, up);
  }
  return true;
}

}  // namespace

clsBounds boundsOf(const preview::clsPreviewScene& s) {
  using modPreview::withinReach;
  clsBounds b{withinReach(s.minX), withinReach(s.minY), withinReach(s.minZ),
              withinReach(s.maxX), withinReach(s.maxY), withinReach(s.maxZ)};
  b.maxX = std::max(b.maxX, b.minX), b.maxY = std::max(b.maxY, b.minY), b.maxZ = std::max(b.maxZ, b.minZ);
  return b;
}

void orbit(clsCamera& camera, float dx, float dy) {
  camera.yaw -= dx * 0.4f;
  camera.pitch = std::clamp(camera.pitch + dy * 0.4f, -89.0f, 89.0f);
}

void pan(clsCamera& camera, float dx, float dy, int viewHeight) {
  // Along the screen's right and away from it, scaled so that the ground follows the mouse.
  const float perPixel = camera.distance / static_cast<float>(std::max(1, viewHeight)) * 0.8f;
  const float yaw = camera.yaw * static_cast<float>(kDegree);
  camera.targetX -= (std::cos(yaw) * dx + std::sin(yaw) * dy) * perPixel;
  camera.targetZ -= (-std::sin(yaw) * dx + std::cos(yaw) * dy) * perPixel;
}

void zoom(clsCamera& camera, float wheel) {
  camera.distance = std::clamp(camera.distance * std::pow(0.999f, wheel), kNearest, kFarthest);
}

void frame(clsCamera& camera, const clsBounds& b, float aspect) {
  camera.targetX = (b.minX + b.maxX) / 2, camera.targetY = (b.minY + b.maxY) / 2, camera.targetZ = (b.minZ + b.maxZ) / 2;
  const double dx = double(b.maxX) - b.minX, dy = double(b.maxY) - b.minY, dz = double(b.maxZ) - b.minZ;
  const double radius = std::max(0.5, std::sqrt(dx * dx + dy * dy + dz * dz) / 2);
  // The sphere about the bounds fits between both pairs of the view's sides: far enough always.
  const double halfUp = kFieldOfView / 2 * kDegree;
  const double halfAcross = std::atan(std::tan(halfUp) * (aspect > 0 ? aspect : 1));
  const double sphere = radius / std::sin(std::min(halfUp, halfAcross)) * 1.05;
  const double nearest = 0.5 / std::sin(std::min(halfUp, halfAcross)) * 1.05;  // a field of a unit at least
  // The box itself, as it lies in this view, fills it to kFramedShare, centred: nearer than the
  // sphere for a flat field seen from above, and for a view of another shape than the field.
  for (int round = 0; round < 2; ++round) {
    double low = std::min(nearest, sphere), high = sphere;
    for (int i = 0; i < 50 && high - low > high * 1e-4; ++i) {
      const double mid = (low + high) / 2;
      camera.distance = static_cast<float>(mid);
      double left, right, bottom, top;
      const bool fits = projected(camera, b, aspect, left, right, bottom, top) && left >= -kFramedShare &&
                        right <= kFramedShare && bottom >= -kFramedShare && top <= kFramedShare;
      (fits ? high : low) = mid;
    }
    camera.distance = static_cast<float>(std::clamp<double>(high, kNearest, kFarthest));
    double left, right, bottom, top;
    if (round == 1 || !projected(camera, b, aspect, left, right, bottom, top)) break;
    // Moved across the view so that the box's picture is centred, then brought near again.
    const double up = camera.distance * std::tan(halfUp), across = up * (aspect > 0 ? aspect : 1);
    const double shiftRight = (left + right) / 2 * across, shiftUp = (bottom + top) / 2 * up;
    const double p = camera.pitch * kDegree, y = camera.yaw * kDegree;
    // The view's right and up in the scene (turned by yaw about Y, tilted by pitch).
    const double rightX = std::cos(y), rightZ = -std::sin(y);
    const double upX = -std::sin(p) * std::sin(y), upY = std::cos(p), upZ = -std::sin(p) * std::cos(y);
    camera.targetX += static_cast<float>(shiftRight * rightX + shiftUp * upX);
    camera.targetY += static_cast<float>(shiftUp * upY);
    camera.targetZ += static_cast<float>(shiftRight * rightZ + shiftUp * upZ);
  }
}

double filled(const clsCamera& camera, const clsBounds& bounds, float aspect) {
  double left, right, bottom, top;
  if (!projected(camera, bounds, aspect, left, right, bottom, top)) return -1;
  return std::max(right - left, top - bottom) / 2;
}

clsCamera forShape(const clsCamera& camera, const clsBounds& bounds, float from, float to) {
  if (!showsWhole(camera, bounds, from)) return camera;  // a part the user chose, as the view shows it
  clsCamera out = camera;
  frame(out, bounds, to);
  return out;
}

tViewMatrix viewProjection(const clsCamera& camera, float aspect) {
  const tMatrix m = viewProjectionOf(camera, aspect);
  tViewMatrix out{};
  std::transform(m.begin(), m.end(), out.begin(), [](double v) { return static_cast<float>(v); });
  return out;
}

bool showsWhole(const clsCamera& camera, const clsBounds& bounds, float aspect) {
  double left, right, bottom, top;
  return projected(camera, bounds, aspect, left, right, bottom, top) && left >= -1 && right <= 1 && bottom >= -1 &&
         top <= 1;
}

bool showsSmall(const clsCamera& camera, const clsBounds& bounds, float aspect) {
  double left, right, bottom, top;
  return projected(camera, bounds, aspect, left, right, bottom, top) && right - left < 2.0 / 3 && top - bottom < 2.0 / 3;
}

bool frameAnew(const clsCamera& camera, const clsBounds* last, const clsBounds& next, float aspect) {
  if (last == nullptr) return true;
  if (showsWhole(camera, *last, aspect) && !showsWhole(camera, next, aspect)) return true;
  if (!showsSmall(camera, *last, aspect) && showsSmall(camera, next, aspect)) return true;
  // A field that filled the view and shrank to well under its size (cover X 23 -> 10).
  const double before = filled(camera, *last, aspect), after = filled(camera, next, aspect);
  return showsWhole(camera, *last, aspect) && before >= 0.5 && after >= 0 && after < 0.6 * before;
}

bool frameAfterResize(const clsCamera& camera, const clsBounds& bounds, float before, float after) {
  return showsWhole(camera, bounds, before) && !showsWhole(camera, bounds, after);
}

}  // namespace modCamera
