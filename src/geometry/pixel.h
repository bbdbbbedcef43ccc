#pragma once
// Points and free vectors of the single-precision geometry space (Y up, right-handed).

#include <array>

namespace geometry {

struct clsPixel {
  float x = 0;
  float y = 0;
  float z = 0;
  bool operator==(const clsPixel&) const = default;
};

// A free vector (x, y, z).
using tVector = std::array<float, 3>;

// 4 x 4 matrix for column vectors: m[row][column], the translation in column 4 (index 3).
using tMatrix = std::array<std::array<float, 4>, 4>;

inline clsPixel newPixel(float x, float y, float z) { return {x, y, z}; }

inline bool isZero(const clsPixel& p) { return p.x == 0 && p.y == 0 && p.z == 0; }

inline constexpr float kPi = 3.1415927f;
inline constexpr float kTwoPi = 6.2831855f;
inline constexpr float kHalfPi = 1.5707964f;
inline constexpr float kThreeHalfPi = 4.712389f;

}  // namespace geometry
