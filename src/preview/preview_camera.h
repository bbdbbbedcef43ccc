#pragma once
// The 3D view's camera: turned about a target by yaw and pitch at a distance, moved along the
// ground, brought nearer, framed on the field, and the rule for when a new field is framed anew.

#include <array>

#include "preview/preview_grid.h"

namespace preview {

// A box in the scene's units, within the view's reach.
struct clsBounds {
  float minX = 0, minY = 0, minZ = 0, maxX = 1, maxY = 1, maxZ = 1;
};

struct clsCamera {
  float targetX = 5, targetY = 0, targetZ = 5;
  float yaw = 35, pitch = 30;  // degrees
  float distance = 20;
};

// Row by row, as a renderer's 4 x 4 matrix takes it.
using tViewMatrix = std::array<float, 16>;

}  // namespace preview

namespace modCamera {

inline constexpr float kFieldOfView = 45;  // degrees, from the view's bottom to its top
inline constexpr float kNearest = 0.05f;
inline constexpr float kFarthest = 30 * modPreview::kViewReach;  // the whole reach, in a view ten times as high as wide
inline constexpr double kFramedShare = 0.92;  // of the view's half width and height that a framed field fills

// The scene's bounds within the view's reach.
preview::clsBounds boundsOf(const preview::clsPreviewScene& scene);

// Mouse moves in pixels: left and right turn about the target, up and down tilt (never over the top).
void orbit(preview::clsCamera& camera, float dx, float dy);
// Along the ground, so that it follows the mouse in a view viewHeight pixels high.
void pan(preview::clsCamera& camera, float dx, float dy, int viewHeight);
// A wheel turn in eighths of a degree: forward brings the target nearer.
void zoom(preview::clsCamera& camera, float wheel);
// Looks at the bounds from as near as shows all of them, centred, keeping the direction.
void frame(preview::clsCamera& camera, const preview::clsBounds& bounds, float aspect);
// How much of the view the bounds fill: the larger of their share of its width and height (1
// for all of it), or -1 when a corner lies behind the camera.
double filled(const preview::clsCamera& camera, const preview::clsBounds& bounds, float aspect);
// The camera for a picture of aspect to of what a view of aspect from shows: where the view
// shows the whole field, the field framed for the picture's own shape from the same direction;
// else the view's camera, so that the part the user came near to stays.
preview::clsCamera forShape(const preview::clsCamera& camera, const preview::clsBounds& bounds, float from, float to);

// Projection times view, for a view aspect times as wide as high.
preview::tViewMatrix viewProjection(const preview::clsCamera& camera, float aspect);

// Every corner of the bounds in the view.
bool showsWhole(const preview::clsCamera& camera, const preview::clsBounds& bounds, float aspect);
// The bounds lie in front and cover less than a third of the view's width and of its height.
bool showsSmall(const preview::clsCamera& camera, const preview::clsBounds& bounds, float aspect);
// A new field is framed anew when there was none, when it leaves the view that showed the last
// one whole, or when it shrinks to a small part of it; otherwise the camera stays as the user
// left it (nearer, or turned to one side).
bool frameAnew(const preview::clsCamera& camera, const preview::clsBounds* last, const preview::clsBounds& next,
               float aspect);
// A view that showed the field whole and no longer does after a change of its shape is framed anew.
bool frameAfterResize(const preview::clsCamera& camera, const preview::clsBounds& bounds, float before, float after);

}  // namespace modCamera
