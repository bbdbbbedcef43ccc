#include "model/random.h"

#include <gtest/gtest.h>

#include <random>

using model::clsRandom;
using namespace modRandom;

namespace {

// True when a has used exactly `draws` more numbers than b.
bool aheadBy(clsRandom a, clsRandom b, int draws) {
  for (int i = 0; i < draws; ++i) b.draw();
  return a.draw() == b.draw();
}

}  // namespace

TEST(Random, SameSeedSameSequence) {
  clsRandom a(42), b(42), c(43);
  for (int i = 0; i < 100; ++i) {
    const double r = a.draw();
    EXPECT_GE(r, 0.0);
    EXPECT_LT(r, 1.0);
    EXPECT_EQ(r, b.draw());
  }
  EXPECT_NE(a.draw(), c.draw());
}

TEST(Random, TheGeneratorIsTheStandardSixtyFourBitMersenneTwister) {
  for (std::uint64_t seed : {0ULL, 1ULL, 5489ULL, 0xFFFFFFFFFFFFFFFFULL}) {
    model::clsMersenne64 ours(seed);
    std::mt19937_64 standard(seed);
    for (int i = 0; i < 2000; ++i) ASSERT_EQ(ours(), standard()) << seed << " " << i;
    ours.seed(seed + 1);
    standard.seed(seed + 1);
    EXPECT_EQ(ours(), standard());
  }
}

TEST(Random, BetweenAlwaysTakesTwoDraws) {
  clsRandom random(1), reference(1);
  for (int i = 0; i < 200; ++i) {
    EXPECT_EQ(randomBetween(random, 1, 1, true, false), 1);
    ASSERT_TRUE(aheadBy(random, reference, 2 * (i + 1)));
  }
  bool sawNegative = false, sawPositive = false;
  for (int i = 0; i < 200; ++i) {
    const double v = randomBetween(random, 2, 5, false, true);
    EXPECT_GE(std::abs(v), 2);
    EXPECT_LT(std::abs(v), 5);
    (v < 0 ? sawNegative : sawPositive) = true;
  }
  EXPECT_TRUE(sawNegative && sawPositive);
}

TEST(Random, WholeNumbersCoverTheRangeEvenly) {
  clsRandom random(3);
  int counts[4] = {};
  for (int i = 0; i < 40000; ++i) {
    const double v = randomBetween(random, 1, 4, true, false);
    ASSERT_GE(v, 1);
    ASSERT_LE(v, 4);
    ++counts[static_cast<int>(v) - 1];
  }
  for (int count : counts) EXPECT_NEAR(count, 10000, 500);
}

TEST(Random, IntegerTakesOneDrawOrNone) {
  clsRandom random(5), reference(5);
  for (int i = 0; i < 100; ++i) {
    const auto v = randomInteger(random, 3, 6);
    EXPECT_GE(v, 3);
    EXPECT_LE(v, 6);
  }
  EXPECT_TRUE(aheadBy(random, reference, 100));
  EXPECT_EQ(randomInteger(random, 0, 5), 0);
  EXPECT_EQ(randomInteger(random, 5, 4), 0);
  EXPECT_TRUE(aheadBy(random, reference, 100));
}

TEST(Random, WindowStaysInsideTheRange) {
  clsRandom random(9);
  for (int i = 0; i < 1000; ++i) {
    const auto [start, end] = randomWindow(random, 1, 10, 4);
    EXPECT_GE(start, 1);
    EXPECT_LE(start, 7);
    EXPECT_EQ(end, start + 3);
  }
  EXPECT_EQ(randomWindow(random, 1, 3, 5), std::make_pair(1, 3));
  EXPECT_EQ(randomWindow(random, 4, 4, 0), std::make_pair(4, 4));  // a width below 1 counts as 1
}
