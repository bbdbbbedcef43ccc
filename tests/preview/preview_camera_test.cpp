// The 3D view's camera: the mouse and wheel move it within bounds, framing shows the whole
// field in any view shape and fills it, and a new field is framed anew only when it leaves the view or
// shrinks to a small part of it.

#include <gtest/gtest.h>

#include <cmath>

#include "preview/preview_camera.h"

using preview::clsBounds;
using preview::clsCamera;

TEST(PreviewCamera, MouseAndWheelMoveItWithinBounds) {
  enum class Move { Orbit, Pan, Zoom };
  // want: from the start, target (5, 0, 5), yaw 35, pitch 30, distance 20.
  struct { Move move; float a, b; clsCamera want; } cases[] = {
      {Move::Orbit, 10, 20, {5, 0, 5, 31, 38, 20}},
      {Move::Orbit, 0, 1000, {5, 0, 5, 35, 89, 20}},  // never over the top
      {Move::Orbit, 0, -1000, {5, 0, 5, 35, -89, 20}},
      {Move::Zoom, 120, 0, {5, 0, 5, 35, 30, 20 * std::pow(0.999f, 120.0f)}},
      {Move::Zoom, 1e6f, 0, {5, 0, 5, 35, 30, modCamera::kNearest}},
      {Move::Zoom, -1e6f, 0, {5, 0, 5, 35, 30, modCamera::kFarthest}},
      // 100 pixels right in a view 800 high at distance 20: the target goes 2 left.
      {Move::Pan, 100, 0, {5 - 2 * std::cos(35 * 3.14159265f / 180), 0, 5 + 2 * std::sin(35 * 3.14159265f / 180), 35, 30, 20}},
  };
  for (const auto& c : cases) {
    clsCamera camera;
    if (c.move == Move::Orbit) modCamera::orbit(camera, c.a, c.b);
    if (c.move == Move::Pan) modCamera::pan(camera, c.a, c.b, 800);
    if (c.move == Move::Zoom) modCamera::zoom(camera, c.a);
    const float got[] = {camera.targetX, camera.targetY, camera.targetZ, camera.yaw, camera.pitch, camera.distance};
    const float want[] = {c.want.targetX, c.want.targetY, c.want.targetZ, c.want.yaw, c.want.pitch, c.want.distance};
    for (int k = 0; k < 6; ++k) EXPECT_NEAR(got[k], want[k], 1e-4f * std::max(1.0f, std::abs(want[k]))) << k;
  }
}

TEST(PreviewCamera, FramingShowsTheWholeFieldInAnyViewShape) {
  const clsBounds fields[] = {{0, 0, 0, 10, 1, 10}, {0, 0, 0, 1000, 0.5f, 1}, {-3, 0, 2, -3, 0, 2},
                              {0, 0, 0, 1e7f, 1e7f, 1e7f}, {0, -20, 0, 55, 40, 10}};
  for (const clsBounds& field : fields)
    for (float aspect : {0.3f, 1.0f, 3.0f})
      for (float yaw : {0.0f, 35.0f, 200.0f}) {
        clsCamera camera;
        camera.yaw = yaw;
        camera.pitch = 60;
        modCamera::frame(camera, field, aspect);
        EXPECT_TRUE(modCamera::showsWhole(camera, field, aspect)) << field.maxX << " " << aspect << " " << yaw;
        // Filling the view: a flat field too, whatever the view's shape.
        if (field.maxX - field.minX >= 1) EXPECT_GT(modCamera::filled(camera, field, aspect), 0.85) << field.maxX;
        EXPECT_FALSE(modCamera::frameAnew(camera, &field, field, aspect));
      }
}

TEST(PreviewCamera, ANewFieldIsFramedOnlyWhenItLeavesTheViewOrShrinks) {
  const clsBounds field{0, 0, 0, 10, 1, 10};
  // zoom: the wheel after framing the field of 10.
  struct { const char* what; float zoom; clsBounds next; bool framed; } cases[] = {
      {"grass a little longer", 0, {0, 0, 0, 10, 1.2f, 10}, false},
      {"cover area X 10 -> 14", 0, {0, 0, 0, 14, 1, 10}, true},
      {"lifted by an altitude picture", 0, {0, 0, 0, 10, 8, 10}, true},
      {"cover area 10 -> 8", 0, {0, 0, 0, 8, 1, 8}, false},
      {"cover area 10 -> 1", 0, {0, 0, 0, 1, 1, 1}, true},
      {"zoomed in on the blades: stays", 1500, {0, 0, 0, 14, 1, 10}, false},
      {"zoomed far out: stays", -1500, {0, 0, 0, 5, 1, 5}, false},
  };
  for (const auto& c : cases) {
    clsCamera camera;
    modCamera::frame(camera, field, 1.5f);
    modCamera::zoom(camera, c.zoom);
    EXPECT_EQ(modCamera::frameAnew(camera, &field, c.next, 1.5f), c.framed) << c.what;
  }
  EXPECT_TRUE(modCamera::frameAnew(clsCamera{}, nullptr, field, 1.5f));
  // A wide field that shrinks to less than half its width is framed anew.
  const clsBounds wide{0, 0, 0, 23, 1, 10};
  clsCamera onWide;
  modCamera::frame(onWide, wide, 1.5f);
  EXPECT_TRUE(modCamera::frameAnew(onWide, &wide, field, 1.5f));
  // A view made narrower frames the field anew; made wider, it keeps the camera.
  clsCamera camera;
  modCamera::frame(camera, field, 1.5f);
  EXPECT_TRUE(modCamera::frameAfterResize(camera, field, 1.5f, 0.5f));
  EXPECT_FALSE(modCamera::frameAfterResize(camera, field, 1.5f, 3.0f));
  // A picture of another shape than the view is framed for its own; a view come near to a part
  // gives the picture its camera.
  modCamera::frame(camera, field, 0.6f);
  EXPECT_GT(modCamera::filled(modCamera::forShape(camera, field, 0.6f, 16.0f / 9), field, 16.0f / 9), 0.8);
  modCamera::zoom(camera, 1500);
  EXPECT_EQ(modCamera::forShape(camera, field, 0.6f, 16.0f / 9).distance, camera.distance);
}
