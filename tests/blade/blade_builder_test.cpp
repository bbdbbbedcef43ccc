#include "blade/blade_builder.h"

#include <gtest/gtest.h>

#include <sstream>

#include "geometry/vector_matrix.h"

using namespace modBladeBuilder;

namespace {

// The text of the items built into the list, material names "m" + number.
std::string textOf(geometry::clsItemList& items) {
  std::string text;
  for (std::size_t i = 0; i < items.items.size(); ++i) modItemList::appendItemText(text, items, i, "m");
  modItemList::clearItems(items);
  return text;
}

// A straight blade of n nodes, 0.05 wide on each side, 1 long.
struct clsStraightBlade {
  explicit clsStraightBlade(int n) {
    widths.scaledLength = 1;
    for (int i = 0; i < n; ++i) {
      nodes.push_back({0, static_cast<float>(i) / static_cast<float>(n - 1), 0});
      widths.side[0][static_cast<std::size_t>(i)] = widths.side[1][static_cast<std::size_t>(i)] = 0.05f;
      path.v.push_back(modTube::newVertex(0, static_cast<float>(i) / static_cast<float>(n - 1), 0));
    }
    in.nodes = n;
    in.secondNode = n;
    in.first1 = 1, in.last1 = 7, in.first2 = 8, in.last2 = 10;
    in.widths = &widths;
    in.sizeRot.spinShare = 1;  // spin start 0, range 0: no turn, but its three draws
  }
  std::vector<geometry::clsPixel> nodes;
  blade::clsScaledWidths widths;
  geometry::clsPolygon path;
  blade::clsItemInputs in;
  // The text of the simple blade, built with random.
  std::string build(model::clsRandom& random) {
    geometry::clsItemList items;
    geometry::clsTube work;
    modBladeBuilder::buildBlade(items, work, in, nodes, modVectorMatrix::identityMatrix(), random);
    return textOf(items);
  }
};

std::vector<std::string> linesStarting(const std::string& text, const std::string& start) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    if (line.rfind(start, 0) == 0) lines.push_back(line.substr(0, line.size() - 1));
  return lines;
}

}  // namespace

TEST(BladeRing, TwistTurnsTheWidthAboutTheVerticalAxis) {
  const geometry::clsPolygon flat = bladeRing(1, 2, 3, 0.5f, 0.25f, 0, 4);
  EXPECT_FLOAT_EQ(flat.v[0].p.z, 3.5f);
  EXPECT_FLOAT_EQ(flat.v[1].p.z, 2.75f);
  EXPECT_TRUE(flat.smoothAlong && flat.smoothAround && !flat.isClosed);
  EXPECT_EQ(flat.matFrom, 4);
  const geometry::clsPolygon turned = bladeRing(0, 0, 0, 1, 1, 200, 0);
  EXPECT_FLOAT_EQ(turned.v[0].p.x, modVectorMatrix::sinDegrees(200));
  EXPECT_FLOAT_EQ(turned.v[0].p.z, modVectorMatrix::cosDegrees(200));
  const geometry::clsPolygon back = bladeRing(0, 0, 0, 1, 1, -200, 0);
  EXPECT_FLOAT_EQ(back.v[0].p.x, modVectorMatrix::sinDegrees(160));
}

TEST(SimpleBlade, DrawsOnlyWhatItsSettingsAskFor) {
  clsStraightBlade blade(2);
  model::clsRandom random(1), reference(1);
  const std::string text = blade.build(random);
  // colour (2), spin (3), no width, size or lean draws; no ring material draws.
  for (int i = 0; i < 5; ++i) reference.draw();
  EXPECT_EQ(random.draw(), reference.draw());
  EXPECT_EQ(linesStarting(text, "f").size(), 1u);
  ASSERT_EQ(linesStarting(text, "usemtl").size(), 1u);
  EXPECT_EQ(text.rfind("usemtl m", 0), 0u);
}

TEST(SimpleBlade, RainbowBandsTakeConsecutiveMaterials) {
  clsStraightBlade blade(5);
  blade.in.rainbow1 = true;
  model::clsRandom random(2);
  const auto materials = linesStarting(blade.build(random), "usemtl");
  ASSERT_EQ(materials.size(), 5u);  // one a ring
  EXPECT_EQ(materials[0], materials[1]);
  const int start = std::stoi(materials[1].substr(8));
  for (int band = 1; band < 4; ++band) EXPECT_EQ(materials[static_cast<std::size_t>(band + 1)], "usemtl m" + std::to_string(start + band));
  EXPECT_LE(start + 3, 7);
}

TEST(SimpleBlade, SecondColourSetFromItsNode) {
  clsStraightBlade blade(5);
  blade.in.secondNode = 3;
  blade.in.secondUsed = true;
  model::clsRandom random(3);
  const auto materials = linesStarting(blade.build(random), "usemtl");
  ASSERT_EQ(materials.size(), 3u);  // the blade's own, then rings 4 and 5
  EXPECT_LE(std::stoi(materials[0].substr(8)), 7);
  EXPECT_EQ(materials[1], materials[2]);
  EXPECT_GE(std::stoi(materials[1].substr(8)), 8);
}

TEST(CompoundLeaf, FansOutAroundTheJoint) {
  clsStraightBlade blade(5);
  blade.in.leaves = 2;
  blade.in.leafAngle = 0.5f;
  blade.in.jointNode = 1;
  blade.in.splitNode = 1;
  geometry::clsItemList items;
  model::clsRandom random(4);
  buildCompoundLeaf(items, blade.in, blade.path, modVectorMatrix::identityMatrix(), random);
  const std::string text = textOf(items);
  // Two leaflets of five rings, no stem.
  EXPECT_EQ(linesStarting(text, "v ").size(), 20u);
  EXPECT_EQ(linesStarting(text, "f ").size(), 8u);

  blade.in.jointNode = blade.in.splitNode = 5;
  buildCompoundLeaf(items, blade.in, blade.path, modVectorMatrix::identityMatrix(), random);
  const std::string top = textOf(items);
  // Leaflets of the top ring alone make no faces; the stem of five rings makes four.
  EXPECT_EQ(linesStarting(top, "f ").size(), 4u);
  EXPECT_EQ(blade.path.v[4].p.y, 1);  // the variant's ring is left as it was
}
