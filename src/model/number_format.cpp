#include "model/number_format.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace modNumber {
namespace {

// Lays out the significant digits (no trailing zeros) with decimal exponent X, meaning
// value = d.ddd x 10^X, in the settings number form for a precision of p digits.
char* layOut(bool negative, const char* digits, int count, int exponent, int precision, char* out,
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
  char digits[32];  // room past the significant digits for whole-block copies
  int count = 0;  // significant digits, no trailing zeros
  int exponent = 0;
};

// Reads the library's scientific text ("-d.ddde+XX") into digits and exponent.
void parseScientific(const char* p, const char* end, clsDigits& d) {
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
void exactDigits(T v, int precision, clsDigits& d) {
  char text[48];
  const auto result = std::to_chars(text, text + sizeof text, v, std::chars_format::scientific, precision - 1);
  parseScientific(text, result.ptr, d);
}

// Powers of ten 1e-38 .. 1e51, correctly rounded: every scale a single's seven digits need.
constexpr std::array<double, 90> kPowersOfTen = {
    1e-38, 1e-37, 1e-36, 1e-35, 1e-34, 1e-33, 1e-32, 1e-31, 1e-30, 1e-29, 1e-28, 1e-27, 1e-26, 1e-25, 1e-24, 1e-23, 1e-22, 1e-21, 1e-20, 1e-19, 1e-18, 1e-17, 1e-16, 1e-15, 1e-14, 1e-13, 1e-12, 1e-11, 1e-10, 1e-9, 1e-8, 1e-7, 1e-6, 1e-5, 1e-4, 1e-3, 1e-2, 1e-1, 1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22, 1e23, 1e24, 1e25, 1e26, 1e27, 1e28, 1e29, 1e30, 1e31, 1e32, 1e33, 1e34, 1e35, 1e36, 1e37, 1e38, 1e39, 1e40, 1e41, 1e42, 1e43, 1e44, 1e45, 1e46, 1e47, 1e48, 1e49, 1e50, 1e51};


// What the fast single formatter needs for each biased binary exponent of a normal single:
// floor(exponent x log10 2) as the decimal exponent, the smallest single (as bits) that
// reaches the next power of ten, and the two scales into [1e6, 1e7).
struct clsSingleScales {
  int decade = 0;
  std::uint32_t nextDecade = 0x7F800000u;
  double lower = 0;
  double upper = 0;
};

// Built once when the program starts (nextafter is no constant expression), before any number
// is formatted.
const std::array<clsSingleScales, 256> kSingleScales = [] {
  std::array<clsSingleScales, 256> table{};
  for (int biased = 1; biased < 255; ++biased) {
    clsSingleScales& entry = table[static_cast<std::size_t>(biased)];
    entry.decade = ((biased - 127) * 78913) >> 18;
    const double next = kPowersOfTen[static_cast<std::size_t>(entry.decade + 39)];
    float threshold = static_cast<float>(next);
    if (static_cast<double>(threshold) < next) threshold = std::nextafter(threshold, INFINITY);
    entry.nextDecade = std::bit_cast<std::uint32_t>(threshold);
    entry.lower = kPowersOfTen[static_cast<std::size_t>(44 - entry.decade)];
    entry.upper = kPowersOfTen[static_cast<std::size_t>(43 - entry.decade)];
  }
  return table;
}();

// Two decimal digits of 0..99 at a time.
constexpr std::array<char, 200> kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (int i = 0; i < 100; ++i) {
    pairs[static_cast<std::size_t>(2 * i)] = static_cast<char>('0' + i / 10);
    pairs[static_cast<std::size_t>(2 * i + 1)] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

void putPair(char* out, std::uint32_t pair) { std::memcpy(out, &kDigitPairs[2 * pair], 2); }

// The digits of n < 10000000 as seven ASCII bytes, the first digit in the lowest byte (the
// order they stand in memory): four pairs looked up side by side instead of a chain of
// divisions.
std::uint64_t sevenDigitBytes(std::uint32_t n, int& count) {
  static_assert(std::endian::native == std::endian::little);
  const std::uint32_t high = n / 10000, low = n - high * 10000;
  const std::uint32_t first = high / 100, third = low / 100;
  const auto pair = [](std::uint32_t value) {
    std::uint16_t chars;
    std::memcpy(&chars, &kDigitPairs[2 * value], 2);
    return static_cast<std::uint64_t>(chars);
  };
  const std::uint64_t digits = (first + 0x30) | pair(high - first * 100) << 8 | pair(third) << 24 |
                               pair(low - third * 100) << 40;
  // The significant digits end at the last byte that is not "0".
  count = (63 - std::countl_zero(digits - 0x0030303030303030ULL)) / 8 + 1;
  return digits;
}

// The single in the settings form (zeroBeforePoint off) or the OBJ form, fast: scale it into
// [1e6, 1e7) in double precision and round. The scaling error is below 3e-9, so only a value
// that lands that close to a half-way point could round the wrong way; those few, subnormals
// and the edges of a decade return nullptr for the exact conversion to take.
template <bool zeroBeforePoint>
inline __attribute__((always_inline)) char* fastSingle(float v, char* out) {
  // Everything before the digits is looked up by the binary exponent, so that the steps from
  // the value to its digits form a short chain: a long one keeps the processor from starting
  // on the next number.
  const std::uint32_t absBits = std::bit_cast<std::uint32_t>(v) & 0x7FFFFFFFu;
  const std::uint32_t biased = absBits >> 23;
  if (biased == 0) return nullptr;  // zero and subnormals: rare enough for the slow way
  const clsSingleScales& scales = kSingleScales[biased];
  const bool up = absBits >= scales.nextDecade;
  int exponent = scales.decade + (up ? 1 : 0);
  const double scaled = static_cast<double>(std::bit_cast<float>(absBits)) * (up ? scales.upper : scales.lower);
  // Written so that NaN, which infinities and NaNs scale to, fails it too.
  if (!(scaled >= 1e6 && scaled < 1e7)) return nullptr;
  // Rounded to the nearest whole number by the carry into a double's last place; a value that
  // lands within 1e-8 of half-way takes the exact way instead.
  constexpr double kRound = 0x1.8p52;
  const double rounded = scaled + kRound;
  std::uint32_t n = static_cast<std::uint32_t>(std::bit_cast<std::uint64_t>(rounded));
  if (0.5 - std::fabs(scaled - (rounded - kRound)) < 1e-8) return nullptr;
  if (n == 10'000'000u) {
    n = 1'000'000u;
    ++exponent;
  }
  int count = 0;
  const std::uint64_t digits = sevenDigitBytes(n, count);
  // Every store below moves eight bytes at once; only the length the text moves on by counts.
  // The sign too is written always and counted only when there is one: signs come at random,
  // and a guess that fails costs more than the store.
  *out = '-';
  out += v < 0 ? 1 : 0;
  if (exponent < 7 && (exponent >= 0 || (-exponent - 1) + count <= 7)) {
    // The plain forms, "ddd.dddd" and "0.000dddd", by the same three stores with their
    // contents and places chosen without a branch: which form comes next is as good as random.
    const bool whole = exponent >= 0;
    const int intDigits = whole ? exponent + 1 : 0;
    constexpr int kLead = zeroBeforePoint ? 2 : 1;  // "0." or "."
    constexpr std::uint64_t kZeros = zeroBeforePoint ? 0x3030303030302E30ULL : 0x303030303030302EULL;
    const int zeros = whole ? 0 : -exponent - 1;
    std::uint64_t first = whole ? digits : kZeros;
    std::memcpy(out, &first, 8);
    out[whole ? intDigits : kLead - 1] = '.';
    const std::uint64_t rest = whole ? digits >> (8 * intDigits) : digits;
    const int restAt = whole ? intDigits + 1 : kLead + zeros;
    std::memcpy(out + restAt, &rest, 8);
    const int length = whole ? (count <= intDigits ? intDigits : count + 1) : kLead + zeros + count;
    return out + length;
  }
  *out++ = static_cast<char>(digits);
  if (count > 1) {
    *out++ = '.';
    const std::uint64_t rest = digits >> 8;
    std::memcpy(out, &rest, 8);
    out += count - 1;
  }
  *out++ = 'E';
  *out++ = exponent < 0 ? '-' : '+';
  putPair(out, static_cast<std::uint32_t>(exponent < 0 ? -exponent : exponent));  // a single's stays below 46
  return out + 2;
}

// layOut for the seven digits of a single from the exact conversion, by whole blocks: the digit buffer holds at least
// eight characters and out room for kMaxNumberChars, so every copy may take eight at once and
// only the length it moves on by counts.
char* layOutSingle(const clsDigits& d, char* out, bool zeroBeforePoint) {
  if (d.negative) *out++ = '-';
  const int count = d.count, exponent = d.exponent;
  if (exponent >= 0 && exponent < 7) {
    const int whole = exponent + 1;
    std::memcpy(out, d.digits, 8);
    if (count <= whole) {
      std::memset(out + count, '0', 8);
      return out + whole;
    }
    std::memmove(out + whole + 1, out + whole, 8);
    out[whole] = '.';
    return out + count + 1;
  }
  if (exponent < 0 && (-exponent - 1) + count <= 7) {
    if (zeroBeforePoint) *out++ = '0';
    *out++ = '.';
    const int zeros = -exponent - 1;
    std::memset(out, '0', 8);
    std::memcpy(out + zeros, d.digits, 8);
    return out + zeros + count;
  }
  *out++ = d.digits[0];
  if (count > 1) {
    *out++ = '.';
    std::memcpy(out, d.digits + 1, 8);
    out += count - 1;
  }
  *out++ = 'E';
  *out++ = exponent < 0 ? '-' : '+';
  int magnitude = exponent < 0 ? -exponent : exponent;
  if (magnitude >= 100) {
    *out++ = static_cast<char>('0' + magnitude / 100);
    magnitude %= 100;
  }
  putPair(out, static_cast<std::uint32_t>(magnitude));
  return out + 2;
}

template <class T>
bool special(T& v, char*& out) {
  if (std::isnan(v) || v == 0) {
    *out++ = '0';
    return true;
  }
  if (std::isinf(v)) v = v < 0 ? std::numeric_limits<T>::lowest() : std::numeric_limits<T>::max();
  return false;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

struct NumberPrefix {
  std::size_t begin = 0;  // first character of the number (its sign)
  std::size_t end = 0;    // one past the last character taken; begin == end when there is none
};

// Finds the leading number: sign, digits with an optional point, and an exponent only where
// digits follow its letter.
NumberPrefix findPrefix(std::string_view text) {
  NumberPrefix prefix;
  std::size_t i = 0;
  while (i < text.size() && isBlank(text[i])) ++i;
  prefix.begin = i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < text.size() && isDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && isDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) {
    prefix.end = prefix.begin;
    return prefix;
  }
  prefix.end = i;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && isDigit(text[j])) {
      while (j < text.size() && isDigit(text[j])) ++j;
      prefix.end = j;
    }
  }
  return prefix;
}

// Converts a prefix found above; from_chars takes no '+' and no 'd', so those are mended first.
bool convert(std::string_view number, double& value) {
  std::string text;
  text.reserve(number.size());
  bool negative = false;
  std::size_t i = 0;
  if (!number.empty() && (number[0] == '+' || number[0] == '-')) negative = number[i++] == '-';
  for (; i < number.size(); ++i) {
    char c = number[i];
    if (c == 'd' || c == 'D') c = 'e';
    if (c == '+') continue;
    text += c;
  }
  double parsed = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), parsed);
  if (result.ec == std::errc::result_out_of_range) {
    // Too small underflows to 0; too large cannot be used. Tell them apart by the magnitude:
    // leading digits before the point plus the exponent.
    std::size_t k = 0;
    while (k < text.size() && (text[k] == '0' || text[k] == '.')) ++k;
    const std::size_t exponentAt = text.find('e');
    const std::size_t intEnd = std::min({text.find('.'), exponentAt, text.size()});
    long long magnitude = static_cast<long long>(intEnd) - static_cast<long long>(std::min(k, intEnd));
    if (exponentAt != std::string::npos) {
      long long e = 0;
      const char* first = text.data() + exponentAt + 1;
      const auto er = std::from_chars(first, text.data() + text.size(), e);
      if (er.ec == std::errc::result_out_of_range) e = (*first == '-') ? -100000 : 100000;
      magnitude += e;
    }
    value = 0;
    return magnitude <= 0;
  }
  value = negative ? -parsed : parsed;
  return true;
}

}  // namespace

char* formatSingle(float v, char* out) {
  if (char* end = fastSingle<false>(v, out)) return end;
  if (special(v, out)) return out;
  clsDigits d{};
  exactDigits(v, 7, d);
  return layOutSingle(d, out, false);
}

char* formatObjSingle(float v, char* out) {
  if (char* end = fastSingle<true>(v, out)) return end;
  if (special(v, out)) return out;
  clsDigits d{};
  exactDigits(v, 7, d);
  return layOutSingle(d, out, true);
}

char* formatSingleExact(float v, char* out) {
  if (special(v, out)) return out;
  clsDigits d;
  exactDigits(v, 7, d);
  return layOut(d.negative, d.digits, d.count, d.exponent, 7, out);
}

char* formatDouble(double v, char* out) {
  if (special(v, out)) return out;
  clsDigits d;
  exactDigits(v, 15, d);
  return layOut(d.negative, d.digits, d.count, d.exponent, 15, out);
}

void appendSingle(std::string& text, float v) {
  char buffer[kMaxNumberChars];
  text.append(buffer, static_cast<std::size_t>(formatSingle(v, buffer) - buffer));
}

void appendDouble(std::string& text, double v) {
  char buffer[kMaxNumberChars];
  text.append(buffer, static_cast<std::size_t>(formatDouble(v, buffer) - buffer));
}

std::string singleText(float v) {
  std::string text;
  appendSingle(text, v);
  return text;
}

std::string doubleText(double v) {
  std::string text;
  appendDouble(text, v);
  return text;
}

bool readNumber(std::string_view text, double& value) {
  value = 0;
  const NumberPrefix prefix = findPrefix(text);
  if (prefix.begin == prefix.end) return true;
  return convert(text.substr(prefix.begin, prefix.end - prefix.begin), value);
}

bool isNumber(std::string_view text) {
  const NumberPrefix prefix = findPrefix(text);
  if (prefix.begin == prefix.end) return false;
  for (std::size_t i = prefix.end; i < text.size(); ++i)
    if (!isBlank(text[i])) return false;
  double value = 0;
  return convert(text.substr(prefix.begin, prefix.end - prefix.begin), value);
}

std::string wholeText(double v) {
  if (!std::isfinite(v)) v = 0;
  const double rounded = std::nearbyint(v);
  char buffer[48];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, rounded, std::chars_format::fixed, 0);
  std::string text(buffer, result.ptr);
  return text == "-0" ? "0" : text;
}

std::string oneDecimalText(double v) {
  if (!std::isfinite(v)) v = 0;
  const double tenths = std::nearbyint(v * 10);
  if (std::fmod(tenths, 10) == 0) return wholeText(tenths / 10);
  char buffer[48];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, tenths / 10, std::chars_format::fixed, 1);
  return std::string(buffer, result.ptr);
}

}  // namespace modNumber
