#include "geometry/vector_matrix.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace modVectorMatrix;
using geometry::clsPixel;

namespace {

void expectNear(const clsPixel& p, float x, float y, float z, float tolerance = 1e-6f) {
  EXPECT_NEAR(p.x, x, tolerance);
  EXPECT_NEAR(p.y, y, tolerance);
  EXPECT_NEAR(p.z, z, tolerance);
}

clsPixel transformed(clsPixel p, const geometry::tMatrix& m) {
  transformPoint(p, m);
  return p;
}

}  // namespace

TEST(VectorMatrix, RotationsTurnCounterClockwiseAndActInOrder) {
  expectNear(transformed({1, 0, 0}, axisRotationMatrix(3, geometry::kHalfPi)), 0, 1, 0);
  expectNear(transformed({0, 1, 0}, axisRotationMatrix(1, geometry::kHalfPi)), 0, 0, 1);
  expectNear(transformed({0, 0, 1}, axisRotationMatrix(2, geometry::kHalfPi)), 1, 0, 0);
  expectNear(transformed({1, 0, 0}, axisRotationMatrix(7, geometry::kHalfPi)), 0, 1, 0);  // other axes mean Z
  geometry::tMatrix m = translationMatrix(1, 2, 3);
  multiplyMatrix(m, axisRotationMatrix(3, geometry::kHalfPi));
  expectNear(transformed({0, 0, 0}, m), -2, 1, 3);

  // For random turns and moves, applying A then B equals applying B x A.
  std::mt19937 engine(5);
  std::uniform_real_distribution<float> angle(-6.3f, 6.3f), offset(-50, 50);
  std::uniform_int_distribution<int> axis(1, 3);
  for (int trial = 0; trial < 500; ++trial) {
    geometry::tMatrix a = translationMatrix(offset(engine), offset(engine), offset(engine));
    multiplyMatrix(a, axisRotationMatrix(static_cast<std::int16_t>(axis(engine)), angle(engine)));
    geometry::tMatrix b = axisRotationMatrix(static_cast<std::int16_t>(axis(engine)), angle(engine));
    multiplyMatrix(b, translationMatrix(offset(engine), offset(engine), offset(engine)));
    multiplyMatrix(b, scaleMatrix(2, 0.5f, 1));
    const clsPixel p = {offset(engine), offset(engine), offset(engine)};
    const clsPixel stepwise = transformed(transformed(p, a), b);
    geometry::tMatrix both = a;
    multiplyMatrix(both, b);
    const clsPixel combined = transformed(p, both);
    expectNear(combined, stepwise.x, stepwise.y, stepwise.z, 1e-3f);
    EXPECT_EQ(both[3][0], 0);
    EXPECT_EQ(both[3][3], 1);
  }
}

TEST(VectorMatrix, PointsAndVectors) {
  expectNear(pointBetween({0, 0, 0}, {2, 4, 6}, 0.5f), 1, 2, 3);
  expectNear(differencePixel({1, 1, 1}, {2, 4, 6}), 1, 3, 5);
  EXPECT_EQ(subtractPoints({1, 1, 1}, {2, 4, 6}), (geometry::tVector{1, 3, 5}));
  EXPECT_FLOAT_EQ(distance({1, 2, 3}, {4, 6, 3}), 5);
  expectNear(transformed({1, 1, 1}, scaleMatrix(2, 3, 4)), 2, 3, 4);
  geometry::tVector zero = zeroVector();
  EXPECT_EQ(normalize3(zero), zeroVector());
  geometry::tVector v = {3, 0, 4};
  normalize3(v);
  EXPECT_FLOAT_EQ(v[0], 0.6f);
  EXPECT_FLOAT_EQ(v[2], 0.8f);
  geometry::tVector huge = {std::numeric_limits<float>::infinity(), 0, 0};
  EXPECT_EQ(normalize3(huge), zeroVector());
}

TEST(VectorMatrix, NormalsOfFaces) {
  expectNear(faceNormal({0, 0, 0}, {1, 0, 0}, {0, 1, 0}), 0, 0, 1);
  expectNear(faceNormal({0, 0, 0}, {1, 0, 0}, {2, 0, 0}), 0, 0, 0);
  const clsPixel zero{0, 0, 0}, up{0, 2, 0}, x{1, 0, 0}, y{0, 1, 0};
  const clsPixel* twoNormals[] = {&zero, &up};
  expectNear(averageNormals(twoNormals), 0, 1, 0);
  const clsPixel* zeros[] = {&zero, &zero};
  expectNear(averageNormals(zeros), 0, 0, 0);
  const clsPixel* six[] = {&x, &y, &zero, &x, &y, &zero};
  expectNear(averageNormals(six), std::sqrt(0.5f), std::sqrt(0.5f), 0);
}

TEST(VectorMatrix, DirectionAngles) {
  EXPECT_FLOAT_EQ(directionAngle(0, 0), 0);
  EXPECT_FLOAT_EQ(directionAngle(0, -1), geometry::kThreeHalfPi);
  EXPECT_FLOAT_EQ(directionAngle(0, 2), geometry::kHalfPi);
  EXPECT_FLOAT_EQ(directionAngle(-3, 0), geometry::kPi);
  for (const auto& [x, y, eighths] : {std::array<float, 3>{-1, -1, 5}, {1, 1, 1}, {-1, 1, 3}, {1, -1, 7}})
    EXPECT_NEAR(directionAngle(x, y), eighths * geometry::kPi / 4, 1e-6) << x << " " << y;
}

TEST(VectorMatrix, DegreeTables) {
  EXPECT_FLOAT_EQ(sinDegrees(90), 1);
  EXPECT_FLOAT_EQ(cosDegrees(180), -1);
  EXPECT_NEAR(sinDegrees(360), 0, 1e-6);
  EXPECT_NEAR(sinDegrees(30), 0.5f, 1e-6);
  EXPECT_FLOAT_EQ(sinDegrees(-270), sinDegrees(90));  // out of range is wrapped, never read past the end
}
