#include "model/random.h"

#include <cmath>

namespace modRandom {

double randomBetween(model::clsRandom& random, double lower, double upper, bool whole, bool maySwapSign) {
  const double r1 = random.draw();
  double value = whole ? std::trunc((upper - lower + 1) * r1 + lower) : (upper - lower) * r1 + lower;
  const double r2 = random.draw();
  if (maySwapSign && r2 < 0.5) value = -value;
  return value;
}

std::int16_t randomInteger(model::clsRandom& random, std::int16_t lower, std::int16_t upper) {
  if (lower <= 0 || upper < lower) return 0;
  return static_cast<std::int16_t>(std::trunc((upper - lower + 1) * random.draw() + lower));
}

std::pair<std::int32_t, std::int32_t> randomWindow(model::clsRandom& random, std::int32_t first,
                                                   std::int32_t last, std::int32_t width) {
  if (width < 1) width = 1;
  const std::int64_t count = static_cast<std::int64_t>(last) - first + 1;
  if (count > width) {
    const auto start = static_cast<std::int32_t>(
        first + randomBetween(random, 0, static_cast<double>(count - width), true, false));
    return {start, start + width - 1};
  }
  return {first, last};
}

}  // namespace modRandom
