#pragma once
// Turning user input and stored values into slot values: numeric checks, rounding to nearest
// with ties to even, clamping, and the few angle helpers every editor shares.

#include <cstdint>

#include "model/tagged_value.h"

namespace modGeneral {

using model::tValue;

// True when the value is a number or a text that reads wholly as one (blanks around it allowed).
bool isNumeric(const tValue& value);
// The number a value stands for; 0 when it is not numeric.
double toDouble(const tValue& value);

std::int16_t toInteger(const tValue& value);
std::int32_t toLong(const tValue& value);
float toSingle(const tValue& value);
std::int32_t toColour(const tValue& value);
bool isSet(std::int16_t value);
// An integer slot's value from any input: toInteger, then clampValue with the slot's bounds.
std::int16_t toClampedInteger(const tValue& value, double lower, double upper);
// The text a slot holds; "" when it holds no text.
std::string toText(const tValue& value);

double clampValue(double x, double lower, double upper);
double atLeast(double x, double lower);
double atMost(double x, double upper);

std::int16_t greyOf(std::int32_t colour);

float degToRad(float degrees);
float radToDeg(float radians);
std::int32_t wrapAngle(float degrees);
float arcSin(float x);
float arcCos(float x);

// A double as a finite single: NaN reads as 0, magnitudes beyond the single range are clamped.
float singleOf(double x);

}  // namespace modGeneral
