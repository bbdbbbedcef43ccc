#include "model/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>


using namespace modNumber;

TEST(NumberFormat, SinglesDoublesAndObjNumbers) {
  constexpr float kMax = std::numeric_limits<float>::max(), kInf = std::numeric_limits<float>::infinity();
  const std::pair<float, const char*> singles[] = {
      {0.5f, ".5"}, {-0.2f, "-.2"}, {0.04153846f, "4.153846E-02"}, {-10, "-10"}, {0, "0"}, {-0.0f, "0"}, {1, "1"},
      {0.1953846f, ".1953846"}, {0.09384616f, "9.384616E-02"}, {0.05f, ".05"}, {1.0f / 3, ".3333333"},
      {1.0f / 30, "3.333334E-02"},  // the single is 0.033333335
      {1234567, "1234567"}, {12345678, "1.234568E+07"}, {10000000, "1E+07"}, {123.25f, "123.25"}, {9.9999999f, "10"},
      {1e-20f, "1E-20"}, {kMax, "3.402823E+38"}, {kInf, "3.402823E+38"},
      {std::numeric_limits<float>::quiet_NaN(), "0"}};
  for (const auto& [v, text] : singles) EXPECT_EQ(singleText(v), text) << text;
  // OBJ and MTL numbers keep a digit before the point.
  char buffer[kMaxNumberChars];
  for (const auto& [v, text] : {std::pair<float, const char*>{0.5f, "0.5"}, {-0.25f, "-0.25"},
                                {0.04153846f, "4.153846E-02"}, {12.5f, "12.5"}, {0, "0"}})
    EXPECT_EQ(std::string(buffer, formatObjSingle(v, buffer)), text);
  // Doubles keep fifteen digits.
  for (const auto& [v, text] : {std::pair<double, const char*>{1.0 / 3, ".333333333333333"},
                                {1.0 / 30, "3.33333333333333E-02"}, {7, "7"}, {1e100, "1E+100"}, {-2.5e-300, "-2.5E-300"}})
    EXPECT_EQ(doubleText(v), text);
}

TEST(NumberFormat, ReadsTheLeadingNumber) {
  double v = -1;
  // "2e": an exponent letter without digits is not taken.
  for (const auto& [text, value] : {std::pair<const char*, double>{"  12abc", 12}, {".5", 0.5}, {"+3e2x", 300},
                                    {"2e", 2}, {"1D3", 1000}}) {
    EXPECT_TRUE(readNumber(text, v)) << text;
    EXPECT_EQ(v, value) << text;
  }
  EXPECT_TRUE(readNumber("-.2", v));
  EXPECT_DOUBLE_EQ(v, -0.2);
  EXPECT_TRUE(readNumber("4.153846E-02", v));
  EXPECT_DOUBLE_EQ(v, 0.04153846);
  for (const char* none : {"", "abc", "nan", "inf", "-", ".", "e5", "<empty>"}) {
    EXPECT_TRUE(readNumber(none, v)) << none;
    EXPECT_EQ(v, 0) << none;
  }
  EXPECT_TRUE(readNumber("1e-999", v));
  EXPECT_EQ(v, 0);
  EXPECT_FALSE(readNumber("1e999", v));
  EXPECT_FALSE(readNumber("-1e999", v));
  EXPECT_FALSE(readNumber(std::string(400, '9'), v));
  EXPECT_TRUE(readNumber("0.0000e99999999999999999999", v));
  EXPECT_FALSE(readNumber("5e99999999999999999999", v));
}

TEST(NumberFormat, WholeNumbersOnly) {
  for (const char* number : {" 007 ", "-1.5E+03"}) EXPECT_TRUE(isNumber(number)) << number;
  for (const char* text : {"12 apples", "", "tall"}) EXPECT_FALSE(isNumber(text)) << text;
}

TEST(NumberFormat, WrittenSinglesReadBackToWithinSevenDigits) {
  std::mt19937 engine(7);
  std::uniform_real_distribution<float> mantissa(-10, 10);
  std::uniform_int_distribution<int> exponent(-30, 30);
  for (int i = 0; i < 20000; ++i) {
    const float v = mantissa(engine) * std::pow(10.0f, static_cast<float>(exponent(engine)));
    if (!std::isfinite(v)) continue;
    double back = 0;
    const std::string text = singleText(v);
    ASSERT_TRUE(readNumber(text, back)) << text;
    EXPECT_NEAR(back, v, std::abs(v) * 6e-7) << text;
    EXPECT_EQ(text.find('e'), std::string::npos);
    EXPECT_EQ(text.find(','), std::string::npos);
  }
}

TEST(NumberFormat, TitleNumbers) {
  for (const auto& [v, text] : {std::pair<double, const char*>{0.2, "0.2"}, {0, "0"}, {0.04, "0"},
                                {1.25, "1.2"} /* ties to even */, {12.96, "13"}})
    EXPECT_EQ(oneDecimalText(v), text);
  EXPECT_EQ(wholeText(30.1), "30");
  EXPECT_EQ(wholeText(2.5), "2");
  EXPECT_EQ(wholeText(99.5), "100");
}

TEST(NumberFormat, FastSinglesAgreeWithTheExactConversion) {
  std::mt19937 engine(3);
  std::uniform_int_distribution<std::uint32_t> bits;
  std::vector<float> values = {9.999999e-5f, 9.9999995f, 0.99999994f, 1.0000001f, 8388607.5f, 16777215.0f,
                               1.2345675f,  1e-45f,      1.17549435e-38f, 3.4028235e38f, 0.1f, 0.3f};
  for (int i = 0; i < 2'000'000; ++i) {
    float v;
    const std::uint32_t b = bits(engine);
    std::memcpy(&v, &b, sizeof v);
    values.push_back(v);
  }
  for (int i = 0; i < 100000; ++i) values.push_back(static_cast<float>(i) / 1000.0f);
  char fast[kMaxNumberChars];
  char exact[kMaxNumberChars];
  for (float v : values) {
    const std::string a(fast, formatSingle(v, fast));
    const std::string b(exact, formatSingleExact(v, exact));
    ASSERT_EQ(a, b) << std::hexfloat << v;
    // The OBJ form is the same text with a digit before a leading point.
    std::string obj = b;
    const std::size_t point = obj[0] == '-' ? 1 : 0;
    if (obj[point] == '.') obj.insert(point, "0");
    ASSERT_EQ(std::string(fast, formatObjSingle(v, fast)), obj) << std::hexfloat << v;
  }
}
