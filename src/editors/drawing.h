#pragma once
// What an editor's view shows, as a plain list of shapes in pixels: the widget paints the list
// as it stands, so that every drawing rule is the model's and is tested without a window system.

#include <cstdint>
#include <vector>

namespace editors {

// Colours as everywhere in the program: red + 256 green + 65536 blue.
constexpr std::int32_t rgb(int red, int green, int blue) { return red + 256 * green + 65536 * blue; }

enum class Shape : std::uint8_t {
  Line,    // from (x1, y1) to (x2, y2), size = line width
  Square,  // filled, sides size, upper left corner at (x1, y1)
  Dot,     // filled round dot of diameter size centred at (x1, y1)
  Disc,    // filled circle of radius r centred at (x1, y1)
  Arc,     // circle of radius r about (x1, y1), line width size, from angle start to end in degrees,
           // counted counter-clockwise from the right; end below start runs through 0, and
           // end = start + 360 is a full ring
  Rect,    // filled, upper left (x1, y1), width x2, height y2
};

struct clsPrimitive {
  Shape shape = Shape::Line;
  std::int32_t colour = 0;
  float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  float size = 1;
  float r = 0;
  float start = 0, end = 0;
};

struct clsDrawing {
  std::int32_t background = rgb(255, 255, 255);
  std::vector<clsPrimitive> items;
};

}  // namespace editors

namespace modDrawing {

using editors::clsDrawing;

inline void line(clsDrawing& d, float x1, float y1, float x2, float y2, std::int32_t colour, float width) {
  d.items.push_back({editors::Shape::Line, colour, x1, y1, x2, y2, width});
}
// A square marker of size s centred as the editors place them: from (x - trunc(s / 2), y - trunc(s / 2)).
inline void marker(clsDrawing& d, float x, float y, int s, std::int32_t colour) {
  d.items.push_back({editors::Shape::Square, colour, x - static_cast<float>(s / 2), y - static_cast<float>(s / 2), 0, 0,
                     static_cast<float>(s)});
}
inline void dot(clsDrawing& d, float x, float y, float size, std::int32_t colour) {
  d.items.push_back({editors::Shape::Dot, colour, x, y, 0, 0, size});
}
inline void disc(clsDrawing& d, float x, float y, float r, std::int32_t colour) {
  d.items.push_back({editors::Shape::Disc, colour, x, y, 0, 0, 1, r});
}
inline void arc(clsDrawing& d, float x, float y, float r, float width, float start, float end, std::int32_t colour) {
  d.items.push_back({editors::Shape::Arc, colour, x, y, 0, 0, width, r, start, end});
}
inline void rect(clsDrawing& d, float x, float y, float w, float h, std::int32_t colour) {
  d.items.push_back({editors::Shape::Rect, colour, x, y, w, h});
}

}  // namespace modDrawing
