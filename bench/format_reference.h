#pragma once
// The seven-digit single formatter as it stood before its digit emission and layout were
// rewritten: kept verbatim as the reference that the new one must equal for every single
// (the exhaustive check and the side-by-side benchmark).

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace referenceFormat {
namespace detail {

// Lays out the significant digits (no trailing zeros) with decimal exponent X, meaning
// value = d.ddd x 10^X, in the settings number form for a precision of p digits.
inline char* layOut(bool negative, const char* digits, int count, int exponent, int precision, char* out,
             bool zeroBeforePoint = false) {
  if (negative) *out++ = '-';
  const bool plain = exponent < precision && (exponent >= 0 || (-exponent - 1) + count <= precision);
  if (plain) {
    if (exponent >= 0) {
      for (int i = 0; i <= exponent; ++i) *out++ = i < count ? digits[i] : '0';
      if (count > exponent + 1) {
        *out++ = '.';
        for (int i = exponent + 1; i < count; ++i) *out++ = digits[i];
      }
    } else {
      if (zeroBeforePoint) *out++ = '0';
      *out++ = '.';
      for (int i = 0; i < -exponent - 1; ++i) *out++ = '0';
      for (int i = 0; i < count; ++i) *out++ = digits[i];
    }
    return out;
  }
  *out++ = digits[0];
  if (count > 1) {
    *out++ = '.';
    for (int i = 1; i < count; ++i) *out++ = digits[i];
  }
  *out++ = 'E';
  *out++ = exponent < 0 ? '-' : '+';
  int magnitude = exponent < 0 ? -exponent : exponent;
  if (magnitude >= 100) {
    *out++ = static_cast<char>('0' + magnitude / 100);
    magnitude %= 100;
  }
  *out++ = static_cast<char>('0' + magnitude / 10);
  *out++ = static_cast<char>('0' + magnitude % 10);
  return out;
}

struct clsDigits {
  bool negative = false;
  char digits[24];
  int count = 0;  // significant digits, no trailing zeros
  int exponent = 0;
};

// Reads the library's scientific text ("-d.ddde+XX") into digits and exponent.
inline void parseScientific(const char* p, const char* end, clsDigits& d) {
  d.negative = *p == '-';
  if (d.negative) ++p;
  d.count = 0;
  for (; p < end && *p != 'e'; ++p)
    if (*p != '.') d.digits[d.count++] = *p;
  while (d.count > 1 && d.digits[d.count - 1] == '0') --d.count;
  d.exponent = 0;
  std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), end, d.exponent);
}

// Exact rounding to `precision` significant digits through the library's precision conversion.
template <class T>
inline void exactDigits(T v, int precision, clsDigits& d) {
  char text[48];
  const auto result = std::to_chars(text, text + sizeof text, v, std::chars_format::scientific, precision - 1);
  parseScientific(text, result.ptr, d);
}

// Powers of ten 1e-38 .. 1e51, correctly rounded: every scale a single's seven digits need.
constexpr std::array<double, 90> kPowersOfTen = {
    1e-38, 1e-37, 1e-36, 1e-35, 1e-34, 1e-33, 1e-32, 1e-31, 1e-30, 1e-29, 1e-28, 1e-27, 1e-26, 1e-25, 1e-24, 1e-23, 1e-22, 1e-21, 1e-20, 1e-19, 1e-18, 1e-17, 1e-16, 1e-15, 1e-14, 1e-13, 1e-12, 1e-11, 1e-10, 1e-9, 1e-8, 1e-7, 1e-6, 1e-5, 1e-4, 1e-3, 1e-2, 1e-1, 1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22, 1e23, 1e24, 1e25, 1e26, 1e27, 1e28, 1e29, 1e30, 1e31, 1e32, 1e33, 1e34, 1e35, 1e36, 1e37, 1e38, 1e39, 1e40, 1e41, 1e42, 1e43, 1e44, 1e45, 1e46, 1e47, 1e48, 1e49, 1e50, 1e51};

inline double tenTo(int k) { return kPowersOfTen[static_cast<std::size_t>(std::clamp(k, -38, 51) + 38)]; }

// The 7 significant digits of a single, fast: scale it into [1e6, 1e7) in double precision and
// round. The scaling error is below 3e-9, so only a value that lands that close to a half-way
// point could round the wrong way; those few take the exact library conversion.
inline void singleDigits(float v, clsDigits& d) {
  const double magnitude = std::fabs(static_cast<double>(v));
  const auto bits = std::bit_cast<std::uint32_t>(v);
  const int binaryExponent = static_cast<int>((bits >> 23) & 0xff) - 127;
  if (binaryExponent == -127) {  // subnormal: rare enough for the exact way
    exactDigits(v, 7, d);
    return;
  }
  // floor(binaryExponent x log10 2), exact over the range of a single's exponents
  int exponent = (binaryExponent * 78913) >> 18;
  double scaled = magnitude * tenTo(6 - exponent);
  if (scaled >= 1e7) scaled = magnitude * tenTo(6 - ++exponent);
  if (scaled < 1e6) scaled = magnitude * tenTo(6 - --exponent);
  if (scaled < 1e6 || scaled >= 1e7) {
    exactDigits(v, 7, d);
    return;
  }
  const double whole = static_cast<double>(static_cast<std::uint32_t>(scaled));
  const double fraction = scaled - whole;
  if (std::fabs(fraction - 0.5) < 1e-8) {
    exactDigits(v, 7, d);
    return;
  }
  auto n = static_cast<std::uint32_t>(whole) + (fraction > 0.5 ? 1u : 0u);
  if (n == 10'000'000u) {
    n = 1'000'000u;
    ++exponent;
  }
  d.negative = v < 0;
  d.exponent = exponent;
  for (int i = 6; i >= 0; --i, n /= 10) d.digits[i] = static_cast<char>('0' + n % 10);
  d.count = 7;
  while (d.count > 1 && d.digits[d.count - 1] == '0') --d.count;
}

template <class T>
inline bool special(T& v, char*& out) {
  if (std::isnan(v) || v == 0) {
    *out++ = '0';
    return true;
  }
  if (std::isinf(v)) v = v < 0 ? std::numeric_limits<T>::lowest() : std::numeric_limits<T>::max();
  return false;
}

}  // namespace detail

inline char* formatSingle(float v, char* out) {
  using namespace detail;
  if (special(v, out)) return out;
  clsDigits d;
  singleDigits(v, d);
  return layOut(d.negative, d.digits, d.count, d.exponent, 7, out);
}

inline char* formatObjSingle(float v, char* out) {
  using namespace detail;
  if (special(v, out)) return out;
  clsDigits d;
  singleDigits(v, d);
  return layOut(d.negative, d.digits, d.count, d.exponent, 7, out, true);
}

}  // namespace referenceFormat
