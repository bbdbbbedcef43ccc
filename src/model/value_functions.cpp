#include "model/value_functions.h"

#include <cmath>
#include <limits>

#include "model/number_format.h"

namespace modGeneral {
namespace {

constexpr float kPi = 3.1415927f;

struct Numeric {
  bool numeric;
  double value;
};

Numeric numericOf(const tValue& value) {
  struct Visitor {
    Numeric operator()(std::monostate) const { return {true, 0}; }
    Numeric operator()(std::int16_t v) const { return {true, static_cast<double>(v)}; }
    Numeric operator()(std::int32_t v) const { return {true, static_cast<double>(v)}; }
    Numeric operator()(float v) const { return {true, static_cast<double>(v)}; }
    Numeric operator()(double v) const { return {true, v}; }
    Numeric operator()(bool v) const { return {true, v ? -1.0 : 0.0}; }  // a set flag is all bits set
    Numeric operator()(const std::string& v) const {
      if (!modNumber::isNumber(v)) return {false, 0};
      double read = 0;
      modNumber::readNumber(v, read);
      return {true, read};
    }
    Numeric operator()(const model::clsObjectRef&) const { return {false, 0}; }
  };
  Numeric result = std::visit(Visitor{}, value);
  if (std::isnan(result.value)) result = {false, 0};
  return result;
}

// Through single precision, rounded with ties to even (the default rounding mode), then clamped.
double roundedThroughSingle(const tValue& value, double lower, double upper) {
  const Numeric n = numericOf(value);
  if (!n.numeric) return 0;
  const double rounded = std::nearbyint(static_cast<double>(singleOf(n.value)));
  return clampValue(rounded, lower, upper);
}

}  // namespace

float singleOf(double x) {
  if (std::isnan(x)) return 0;
  constexpr double kMax = std::numeric_limits<float>::max();
  return static_cast<float>(clampValue(x, -kMax, kMax));
}

bool isNumeric(const tValue& value) { return numericOf(value).numeric; }

double toDouble(const tValue& value) { return numericOf(value).value; }

std::int16_t toInteger(const tValue& value) {
  return static_cast<std::int16_t>(roundedThroughSingle(value, -32768, 32767));
}

std::int32_t toLong(const tValue& value) {
  return static_cast<std::int32_t>(roundedThroughSingle(value, -2147483648.0, 2147483647.0));
}

float toSingle(const tValue& value) { return singleOf(numericOf(value).value); }

std::int32_t toColour(const tValue& value) {
  return static_cast<std::int32_t>(clampValue(toLong(value), 0, 16777216));
}

bool isSet(std::int16_t value) { return value != 0; }

std::int16_t toClampedInteger(const tValue& value, double lower, double upper) {
  return static_cast<std::int16_t>(clampValue(toInteger(value), lower, upper));
}

std::string toText(const tValue& value) {
  const auto* text = std::get_if<std::string>(&value);
  return text != nullptr ? *text : std::string();
}

double clampValue(double x, double lower, double upper) {
  if (x > upper) x = upper;
  if (x < lower) x = lower;
  return x;
}

double atLeast(double x, double lower) { return x < lower ? lower : x; }

double atMost(double x, double upper) { return x > upper ? upper : x; }

std::int16_t greyOf(std::int32_t colour) {
  if (colour < 0) return 0;  // a point outside the picture
  const std::int32_t red = colour % 256;
  const std::int32_t green = ((colour - red) / 256) % 256;
  const std::int32_t blue = ((colour - red) / 256 - green) / 256;
  return static_cast<std::int16_t>(std::nearbyint((red + green + blue) / 3.0));
}

float degToRad(float degrees) { return degrees * (kPi / 180.0f); }

float radToDeg(float radians) { return radians * 180.0f / kPi; }

std::int32_t wrapAngle(float degrees) {
  std::int32_t angle = toLong(degrees) % 360;
  if (angle < 0) angle += 360;
  return angle;
}

// Out of [-1, 1] the square root below has no value; such inputs are taken at the nearest end
// rather than letting NaN reach the geometry.
float arcSin(float x) {
  if (x >= 1) return kPi / 2;
  if (x <= -1) return 4.712389f;
  return std::atan(x / std::sqrt(1 - x * x));
}

float arcCos(float x) {
  if (x >= 1) return 0;
  if (x <= -1) return kPi;
  return std::atan(-x / std::sqrt(1 - x * x)) + 2 * std::atan(1.0f);
}

}  // namespace modGeneral
