#include "model/random.h"

#include <cmath>

namespace model {

void clsMersenne64::seed(std::uint64_t seed) {
  state_[0] = seed;
  for (std::size_t i = 1; i < kWords; ++i)
    state_[i] = 6364136223846793005ULL * (state_[i - 1] ^ (state_[i - 1] >> 62)) + i;
  next_ = kWords;
}

void clsMersenne64::renew() {
  constexpr std::size_t kShift = 156;
  constexpr std::uint64_t kUpper = ~std::uint64_t{0} << 31, kLower = ~kUpper, kMatrix = 0xB5026F5AA96619E9ULL;
  // Each word from its own upper bits, the next word's lower bits and the word kShift places on;
  // the odd case adds the matrix without a branch.
  const auto twist = [](std::uint64_t word, std::uint64_t next, std::uint64_t far) {
    const std::uint64_t y = (word & kUpper) | (next & kLower);
    return far ^ (y >> 1) ^ ((y & 1) * kMatrix);
  };
  std::uint64_t* s = state_.data();
  for (std::size_t k = 0; k < kWords - kShift; ++k) s[k] = twist(s[k], s[k + 1], s[k + kShift]);
  for (std::size_t k = kWords - kShift; k < kWords - 1; ++k) s[k] = twist(s[k], s[k + 1], s[k - (kWords - kShift)]);
  s[kWords - 1] = twist(s[kWords - 1], s[0], s[kShift - 1]);
  next_ = 0;
}

}  // namespace model

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
