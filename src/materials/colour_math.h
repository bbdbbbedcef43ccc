#pragma once
// Colours as red + 256 green + 65536 blue: unpacking, packing, saturating sums and the steps
// of a transit from one colour to another.

#include <array>
#include <cstdint>

namespace modColour {

using tColour = std::int32_t;

// red, green, blue; 16777216 (one above white) unpacks to (0, 0, 256).
std::array<std::int16_t, 3> getRGB(tColour colour);
// Each component / 255 as a single.
std::array<float, 3> getRGB1(tColour colour);
// Components above 255 count as 255.
tColour packColour(int red, int green, int blue);
tColour addColors(tColour c1, tColour c2);
// Step i of n from a towards b: (b - a) / n x i + a, rounded with ties to even.
std::int16_t getTransitColor1(std::int16_t a, std::int16_t b, std::int16_t i, std::int16_t n);
tColour getTransitColor(tColour c1, tColour c2, std::int16_t i, std::int16_t n);

inline constexpr tColour kWhite = 16777215;

}  // namespace modColour
