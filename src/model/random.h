#pragma once
// The one uniform generator of a program run and the draws built on it. The number and order
// of draws is part of the behaviour: randomBetween always takes two, randomInteger one.

#include <array>
#include <cstdint>
#include <utility>

namespace model {

// The 64-bit Mersenne Twister, word for word the sequence of std::mt19937_64 for the same
// seed, with its state renewed in straight loops that the compiler can keep in registers and
// vector lanes; the generator's draws are a tenth of a creation run.
class clsMersenne64 {
 public:
  explicit clsMersenne64(std::uint64_t seed) { this->seed(seed); }
  void seed(std::uint64_t seed);
  std::uint64_t operator()() {
    if (next_ >= kWords) renew();
    std::uint64_t z = state_[next_++];
    z ^= (z >> 29) & 0x5555555555555555ULL;
    z ^= (z << 17) & 0x71D67FFFEDA60000ULL;
    z ^= (z << 37) & 0xFFF7EEE000000000ULL;
    return z ^ (z >> 43);
  }

 private:
  static constexpr std::size_t kWords = 312;
  void renew();
  std::array<std::uint64_t, kWords> state_{};
  std::size_t next_ = kWords;
};

class clsRandom {
 public:
  explicit clsRandom(std::uint64_t seed) : engine_(seed) {}
  void seed(std::uint64_t seed) { engine_.seed(seed); }
  // Uniform in [0, 1).
  double draw() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }

 private:
  clsMersenne64 engine_;
};

}  // namespace model

namespace modRandom {

double randomBetween(model::clsRandom& random, double lower, double upper, bool whole, bool maySwapSign);
std::int16_t randomInteger(model::clsRandom& random, std::int16_t lower, std::int16_t upper);
// A run of width consecutive indexes inside first..last (the whole range when it is narrower).
std::pair<std::int32_t, std::int32_t> randomWindow(model::clsRandom& random, std::int32_t first,
                                                   std::int32_t last, std::int32_t width);

}  // namespace modRandom
