#include "model/value_functions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace modGeneral;

TEST(ValueFunctions, IntegerConversionsRoundTiesToEvenAndClamp) {
  for (const auto& [v, whole] : {std::pair<double, int>{2.5, 2}, {3.5, 4}, {-2.5, -2}, {-40000, -32768}})
    EXPECT_EQ(toInteger(v), whole) << v;
  EXPECT_EQ(toInteger(40000), 32767);
  EXPECT_EQ(toInteger(std::string("x")), 0);
  EXPECT_EQ(toInteger(std::string(" 12 ")), 12);
  EXPECT_EQ(toInteger(std::string("12abc")), 0);  // typed input must be wholly numeric
  EXPECT_EQ(toLong(1e12), 2147483647);
  EXPECT_EQ(toLong(-1e12), -2147483647 - 1);
  EXPECT_EQ(toLong(std::numeric_limits<double>::infinity()), 2147483647);
  EXPECT_EQ(toLong(std::numeric_limits<double>::quiet_NaN()), 0);
  // Through single precision: the low bits of large integers are lost on the way.
  EXPECT_EQ(toLong(16777217), 16777216);
  EXPECT_EQ(toInteger(model::tValue{}), 0);
  EXPECT_EQ(toInteger(true), -1);
}

TEST(ValueFunctions, SingleAndColourConversions) {
  EXPECT_FLOAT_EQ(toSingle(std::string(".5")), 0.5f);
  EXPECT_FLOAT_EQ(toSingle(std::string("abc")), 0.0f);
  EXPECT_FLOAT_EQ(toSingle(1e300), std::numeric_limits<float>::max());
  EXPECT_TRUE(std::isfinite(toSingle(-std::numeric_limits<double>::infinity())));
  EXPECT_EQ(toColour(-5), 0);
  EXPECT_EQ(toColour(99999999), 16777216);
  EXPECT_EQ(toColour(255.4), 255);
  for (const auto& [colour, grey] : {std::pair<int, int>{16777215, 255}, {255, 85}, {-1, 0}, {0x010203, 2}})
    EXPECT_EQ(greyOf(colour), grey) << colour;
}

TEST(ValueFunctions, ClampsLetTheLowerBoundWinWhenTheBoundsCross) {
  EXPECT_EQ(clampValue(5, 10, 1), 10);
  EXPECT_EQ(clampValue(50, 1, 10), 10);
}

TEST(ValueFunctions, AnglesWrapIntoOneTurnAndStayNumbers) {
  EXPECT_EQ(wrapAngle(-30), 330);
  EXPECT_EQ(wrapAngle(725), 5);
  EXPECT_FLOAT_EQ(arcSin(-1), 4.712389f);  // within one turn, never negative
  EXPECT_FALSE(std::isnan(arcSin(1.5f)));
  EXPECT_FALSE(std::isnan(arcCos(-7)));
}
