#include "model/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "support/format_reference.h"

using namespace modNumber;

TEST(NumberFormat, SinglesAsTheSettingsTextWritesThem) {
  EXPECT_EQ(singleText(0.5f), ".5");
  EXPECT_EQ(singleText(-0.2f), "-.2");
  EXPECT_EQ(singleText(0.04153846f), "4.153846E-02");
  EXPECT_EQ(singleText(-10), "-10");
  EXPECT_EQ(singleText(0), "0");
  EXPECT_EQ(singleText(-0.0f), "0");
  EXPECT_EQ(singleText(1), "1");
  EXPECT_EQ(singleText(0.1953846f), ".1953846");
  EXPECT_EQ(singleText(0.09384616f), "9.384616E-02");
  EXPECT_EQ(singleText(0.05f), ".05");
  EXPECT_EQ(singleText(1.0f / 3), ".3333333");
  EXPECT_EQ(singleText(1.0f / 30), "3.333334E-02");  // the single is 0.033333335
  EXPECT_EQ(singleText(1234567), "1234567");
  EXPECT_EQ(singleText(12345678), "1.234568E+07");
  EXPECT_EQ(singleText(10000000), "1E+07");
  EXPECT_EQ(singleText(123.25f), "123.25");
  EXPECT_EQ(singleText(9.9999999f), "10");
  EXPECT_EQ(singleText(1e-20f), "1E-20");
  EXPECT_EQ(singleText(std::numeric_limits<float>::max()), "3.402823E+38");
  EXPECT_EQ(singleText(std::numeric_limits<float>::infinity()), "3.402823E+38");
  EXPECT_EQ(singleText(std::numeric_limits<float>::quiet_NaN()), "0");
}

TEST(NumberFormat, ObjNumbersKeepADigitBeforeThePoint) {
  char buffer[kMaxNumberChars];
  const auto obj = [&](float v) { return std::string(buffer, formatObjSingle(v, buffer)); };
  EXPECT_EQ(obj(0.5f), "0.5");
  EXPECT_EQ(obj(-0.25f), "-0.25");
  EXPECT_EQ(obj(0.04153846f), "4.153846E-02");
  EXPECT_EQ(obj(12.5f), "12.5");
  EXPECT_EQ(obj(0), "0");
}

TEST(NumberFormat, DoublesKeepFifteenDigits) {
  EXPECT_EQ(doubleText(1.0 / 3), ".333333333333333");
  EXPECT_EQ(doubleText(1.0 / 30), "3.33333333333333E-02");
  EXPECT_EQ(doubleText(7), "7");
  EXPECT_EQ(doubleText(1e100), "1E+100");
  EXPECT_EQ(doubleText(-2.5e-300), "-2.5E-300");
}

TEST(NumberFormat, ReadsTheLeadingNumber) {
  double v = -1;
  EXPECT_TRUE(readNumber("  12abc", v));
  EXPECT_EQ(v, 12);
  EXPECT_TRUE(readNumber(".5", v));
  EXPECT_EQ(v, 0.5);
  EXPECT_TRUE(readNumber("-.2", v));
  EXPECT_DOUBLE_EQ(v, -0.2);
  EXPECT_TRUE(readNumber("4.153846E-02", v));
  EXPECT_DOUBLE_EQ(v, 0.04153846);
  EXPECT_TRUE(readNumber("+3e2x", v));
  EXPECT_EQ(v, 300);
  EXPECT_TRUE(readNumber("2e", v));  // an exponent letter without digits is not taken
  EXPECT_EQ(v, 2);
  EXPECT_TRUE(readNumber("1D3", v));
  EXPECT_EQ(v, 1000);
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
  EXPECT_TRUE(isNumber(" 007 "));
  EXPECT_TRUE(isNumber("-1.5E+03"));
  EXPECT_FALSE(isNumber("12 apples"));
  EXPECT_FALSE(isNumber(""));
  EXPECT_FALSE(isNumber("tall"));
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
  EXPECT_EQ(oneDecimalText(0.2), "0.2");
  EXPECT_EQ(oneDecimalText(0), "0");
  EXPECT_EQ(oneDecimalText(0.04), "0");
  EXPECT_EQ(oneDecimalText(1.25), "1.2");  // ties to even
  EXPECT_EQ(oneDecimalText(12.96), "13");
  EXPECT_EQ(wholeText(30.1), "30");
  EXPECT_EQ(wholeText(2.5), "2");
  EXPECT_EQ(wholeText(99.5), "100");
}

TEST(NumberFormat, FastSinglesAgreeWithTheExactConversionAndTheFormerFormatter) {
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
    const std::string obj(fast, formatObjSingle(v, fast));
    ASSERT_EQ(obj, std::string(exact, referenceFormat::formatObjSingle(v, exact))) << std::hexfloat << v;
  }
}
