#include "materials/colour_math.h"

#include <cmath>

namespace modColour {

std::array<std::int16_t, 3> getRGB(tColour colour) {
  const std::int32_t red = colour % 256;
  const std::int32_t rest = colour - red;
  const std::int32_t green = (rest / 256) % 256;
  const std::int32_t blue = (rest / 256 - green) / 256;
  return {static_cast<std::int16_t>(red), static_cast<std::int16_t>(green), static_cast<std::int16_t>(blue)};
}

std::array<float, 3> getRGB1(tColour colour) {
  const auto rgb = getRGB(colour);
  return {static_cast<float>(rgb[0] / 255.0), static_cast<float>(rgb[1] / 255.0), static_cast<float>(rgb[2] / 255.0)};
}

tColour packColour(int red, int green, int blue) {
  const auto cap = [](int c) { return c > 255 ? 255 : c; };
  return cap(red) + 256 * cap(green) + 65536 * cap(blue);
}

tColour addColors(tColour c1, tColour c2) {
  const auto a = getRGB(c1), b = getRGB(c2);
  return packColour(a[0] + b[0], a[1] + b[1], a[2] + b[2]);
}

std::int16_t getTransitColor1(std::int16_t a, std::int16_t b, std::int16_t i, std::int16_t n) {
  if (n < 1) return a;
  const auto d = static_cast<std::int16_t>(b - a);
  const double value = (static_cast<double>(d) / n) * i + a;
  return static_cast<std::int16_t>(std::nearbyint(value));
}

tColour getTransitColor(tColour c1, tColour c2, std::int16_t i, std::int16_t n) {
  const auto a = getRGB(c1), b = getRGB(c2);
  // Packed as they come: the one colour above white (blue 256) keeps its 256 in the pool.
  return getTransitColor1(a[0], b[0], i, n) + 256 * getTransitColor1(a[1], b[1], i, n) +
         65536 * getTransitColor1(a[2], b[2], i, n);
}

}  // namespace modColour
