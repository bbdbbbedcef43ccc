#pragma once
// The one uniform generator of a program run and the draws built on it. The number and order
// of draws is part of the behaviour: randomBetween always takes two, randomInteger one.

#include <cstdint>
#include <random>
#include <utility>

namespace model {

class clsRandom {
 public:
  explicit clsRandom(std::uint64_t seed) : engine_(seed) {}
  void seed(std::uint64_t seed) { engine_.seed(seed); }
  // Uniform in [0, 1).
  double draw() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }

 private:
  std::mt19937_64 engine_;
};

}  // namespace model

namespace modRandom {

double randomBetween(model::clsRandom& random, double lower, double upper, bool whole, bool maySwapSign);
std::int16_t randomInteger(model::clsRandom& random, std::int16_t lower, std::int16_t upper);
// A run of width consecutive indexes inside first..last (the whole range when it is narrower).
std::pair<std::int32_t, std::int32_t> randomWindow(model::clsRandom& random, std::int32_t first,
                                                   std::int32_t last, std::int32_t width);

}  // namespace modRandom
