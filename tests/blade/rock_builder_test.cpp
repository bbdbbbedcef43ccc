#include "blade/rock_builder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "blade/width_profile.h"
#include "geometry/vector_matrix.h"

using namespace modRockBuilder;

namespace {

// One variant whose outline arches from the origin to (1, 0, 0) and whose section arches from
// the origin to (0, 0, -1); with flatSection the section has no height at all.
struct clsRockFixture {
  explicit clsRockFixture(int n, bool smooth, bool flatSection = false) {
    geometry::clsPolygon outline = modTube::newPolygon("", true, true, false, false, false, false, 0, 0);
    geometry::clsPolygon section = modTube::newPolygon("", false, false, true, false, smooth, smooth, 0, 0);
    for (int k = 0; k < n; ++k) {
      const float t = static_cast<float>(k) / static_cast<float>(n - 1);
      const float arch = static_cast<float>(std::sin(3.14159265 * t)) * 0.4f;
      modTube::addVertex(outline, t, arch, 0);
      modTube::addVertex(section, 0, flatSection ? 0 : arch, -t);
      widths.side[0][static_cast<std::size_t>(k)] = widths.side[1][static_cast<std::size_t>(k)] = 0.2f;
    }
    profiles.outline.push_back(outline);
    profiles.section.push_back(section);
    in.nodes = n;
    in.secondNode = n;
    in.first1 = 71, in.last1 = 79, in.first2 = 80, in.last2 = 82;
    in.smooth = smooth;
    in.widths = &widths;
    in.sizeRot.spinShare = 1;
  }
  std::string build(std::uint64_t seed = 1) {
    geometry::clsItemList items;
    model::clsRandom random(seed);
    buildRock(items, in, profiles, 1, modVectorMatrix::identityMatrix(), random);
    std::string text;
    modItemList::appendItemText(text, items, 0, "m_rock");
    return text;
  }
  blade::clsRockProfiles profiles;
  blade::clsScaledWidths widths;
  blade::clsItemInputs in;
};

std::vector<std::string> lines(const std::string& text, const std::string& start) {
  std::vector<std::string> found;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    if (line.rfind(start, 0) == 0) found.push_back(line.substr(0, line.size() - 1));
  return found;
}

std::vector<std::array<float, 3>> positions(const std::string& text) {
  std::vector<std::array<float, 3>> points;
  for (const std::string& line : lines(text, "v ")) {
    std::array<float, 3> p{};
    std::istringstream(line.substr(2)) >> p[0] >> p[1] >> p[2];
    points.push_back(p);
  }
  return points;
}

}  // namespace

TEST(RockBuilder, EndRingsLieFlatAndAreCapped) {
  const geometry::clsPolygon end = endRing(0.3f, 0.1f, 5, 2, true, 7);
  ASSERT_EQ(end.v.size(), 5u);
  EXPECT_FLOAT_EQ(end.v.front().p.z, 0.3f);
  EXPECT_FLOAT_EQ(end.v.back().p.z, -0.1f);
  for (const auto& vertex : end.v) EXPECT_EQ(vertex.p.y, 0);
  EXPECT_TRUE(end.capStart && end.capEnd && end.isClosed && end.smoothAlong);

  clsRockFixture rock(5, true);
  const std::string text = rock.build();
  const auto points = positions(text);
  ASSERT_EQ(points.size(), 25u);
  for (int k = 0; k < 5; ++k) {
    EXPECT_EQ(points[static_cast<std::size_t>(k)][1], 0);
    EXPECT_EQ(points[static_cast<std::size_t>(20 + k)][1], 0);
  }
  const auto faces = lines(text, "f");
  ASSERT_EQ(faces.size(), 4u * 5 + 2);
  EXPECT_EQ(faces.front(), "f -5 -4 -3 -2 -1");
  EXPECT_EQ(faces.back(), "f -1 -2 -3 -4 -5");
  EXPECT_EQ(lines(text, "vn ").size(), 25u);
  EXPECT_EQ(text.rfind("usemtl m_rock7", 0), 0u);
}

TEST(RockBuilder, AFlatSectionIsNotStretchedUp) {
  clsRockFixture rock(5, true, true);
  for (const auto& p : positions(rock.build())) {
    EXPECT_TRUE(std::isfinite(p[1]));
    EXPECT_NEAR(p[1], 0, 1e-6);
  }
}

TEST(RockBuilder, TwoNodesMakeTwoEndRings) {
  clsRockFixture rock(2, false);
  const auto faces = lines(rock.build(), "f");
  EXPECT_EQ(faces, (std::vector<std::string>{"f -2 -1", "f -1 -3 -4 -2", "f -2 -4 -3 -1", "f -1 -2"}));
}
