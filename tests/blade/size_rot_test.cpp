#include "blade/size_rot.h"

#include <gtest/gtest.h>

#include <cmath>

#include "blade/blade_records.h"
#include "geometry/vector_matrix.h"

using namespace modSizeRot;

namespace {

class SizeRot : public ::testing::Test {
 protected:
  model::clsStore& store() { return records.store; }
  std::int32_t slot(int element, int s) { return records.slot(element, s); }
  model::RecordStatus apply(std::string_view line) { return support::applyLine(records.sizeRot, line); }
  std::string sizeRotLine(int element) {
    const std::string text = records.sizeRot.toTextSettings();
    const std::size_t at = text.find("Size_Rot " + std::to_string(element) + " ");
    return at == std::string::npos ? std::string() : text.substr(at, text.find("\r\n", at) - at);
  }

  support::clsBladeRecords records;
};

geometry::clsPixel tipOf(const geometry::tMatrix& m) {
  geometry::clsPixel tip{0, 1, 0};
  modVectorMatrix::transformPoint(tip, m);
  return tip;
}

}  // namespace

TEST_F(SizeRot, RecordsAreClampedButNotOrdered) {
  ASSERT_EQ(apply("Size_Rot 2 20 330 60 50 200 30 30 0 1 0"), model::RecordStatus::Applied);
  EXPECT_EQ(sizeRotLine(2), "Size_Rot 2 20 330 60 50 180 30 30 1 1 0");
  // A record may leave the minimum above the maximum; only the editor keeps them in order.
  ASSERT_EQ(apply("Size_Rot 3 0 0 0 0 0 0 0 7 2 0"), model::RecordStatus::Applied);
  EXPECT_EQ(sizeRotLine(3), "Size_Rot 3 0 0 0 0 0 0 0 7 2 0");
  EXPECT_EQ(apply("Size_Rot 3 0 0 0 0 0 0 0 7 2"), model::RecordStatus::Failed);
}

TEST_F(SizeRot, EditorKeepsMinimumAndMaximumInOrder) {
  modStore::setActiveElement(store(), 4);
  setMaxPerClump(store(), 3, true);
  setMinPerClump(store(), 5, true);
  EXPECT_EQ(slot(4, model::slot::kMaxPerClump), 5);
  setMinPerClump(store(), 4, true);
  setMaxPerClump(store(), 2, true);
  EXPECT_EQ(slot(4, model::slot::kMinPerClump), 2);
  setMinPerClump(store(), 0, true);
  EXPECT_EQ(slot(4, model::slot::kMinPerClump), 1);
  setLean(store(), 2, 200, true);
  EXPECT_EQ(slot(4, 26), 180);
  setLean(store(), 4, 50, true);
  EXPECT_EQ(slot(4, 28), 1);  // no lean 4: nothing stored
  setSpinStart(store(), std::string("abc"), true);
  EXPECT_EQ(slot(4, 22), 0);
}

TEST(SizeRotDraws, SpinConfinedOrFree) {
  blade::clsSizeRot values;
  values.spinShare = 1;
  values.spinStart = modGeneral::degToRad(90);
  model::clsRandom random(8);
  for (int i = 0; i < 20; ++i) {
    const geometry::clsPixel x = [&] {
      geometry::clsPixel p{1, 0, 0};
      modVectorMatrix::transformPoint(p, drawItemTransform(random, values));
      return p;
    }();
    EXPECT_NEAR(x.x, 0, 1e-6);  // every item spun by exactly 90 degrees about Y
    EXPECT_NEAR(x.z, -1, 1e-6);
  }
  values.spinShare = 0;  // free spin: the three draws (choice and angle) still happen
  model::clsRandom a(2), b(2);
  drawItemTransform(a, values);
  for (int i = 0; i < 3; ++i) b.draw();
  EXPECT_EQ(a.draw(), b.draw());
}

TEST(SizeRotDraws, LeansSizeAndTheirDraws) {
  blade::clsSizeRot values;
  values.leanLeft = modGeneral::degToRad(20);
  values.spinShare = 1;  // spin start 0, range 0: no turn about Y
  model::clsRandom random(9);
  for (int i = 0; i < 200; ++i) {
    const geometry::clsPixel tip = tipOf(drawItemTransform(random, values));
    EXPECT_LE(tip.x, 1e-6);  // leaning left turns the tip towards -X
    EXPECT_GE(tip.x, -std::sin(modGeneral::degToRad(20)) - 1e-6);
  }
  values.leanLeft = 0;
  values.sizeVar = 0.2f;
  values.leanX = modGeneral::degToRad(30);
  model::clsRandom a(3), b(3);
  const geometry::clsPixel tip = tipOf(drawItemTransform(a, values));
  const float length = std::hypot(tip.x, tip.y, tip.z);
  EXPECT_GE(length, 0.8f);
  EXPECT_LE(length, 1.2f);
  for (int i = 0; i < 2 + 2 + 3; ++i) b.draw();  // size, lean X, spin; no lean Z draws
  EXPECT_EQ(a.draw(), b.draw());
}

TEST(SizeRotDraws, ClumpSizes) {
  blade::clsSizeRot values;
  values.minPerClump = 3;
  values.maxPerClump = 5;
  model::clsRandom random(1);
  int seen[6] = {};
  for (int i = 0; i < 3000; ++i) ++seen[drawClumpSize(random, values)];
  EXPECT_EQ(seen[0] + seen[1] + seen[2], 0);
  EXPECT_GT(seen[3], 900);
  EXPECT_GT(seen[5], 900);
  values.minPerClump = 7;
  values.maxPerClump = 1;
  EXPECT_EQ(drawClumpSize(random, values), 1);
}
