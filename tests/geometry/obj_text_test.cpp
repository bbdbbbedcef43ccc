#include "support/obj_text.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "geometry/tube_builders.h"

using namespace modTube;
using geometry::clsTube;

namespace {

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    EXPECT_NE(end, std::string::npos) << "every line ends with CR LF";
    if (end == std::string::npos) break;
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

std::vector<std::string> facesOf(const std::string& text) {
  std::vector<std::string> faces;
  for (const std::string& line : linesOf(text))
    if (line.rfind("f", 0) == 0) faces.push_back(line);
  return faces;
}

std::string text(const clsTube& tube, bool writeNormals = true) {
  model::clsRandom random(1);
  return tubeToObjText(tube, writeNormals, random, "m");
}

clsTube squareTube(bool along, bool around) {
  clsTube tube = newTube("", 0, 0);
  addRing(tube, support::circleRing(4, 1, 0, along, around));
  addRing(tube, support::circleRing(4, 1, 1, along, around));
  return tube;
}

}  // namespace

TEST(ObjText, ClosedRingsSmoothedBothWays) {
  const std::vector<std::string> lines = linesOf(text(squareTube(true, true)));
  ASSERT_EQ(lines.size(), 8u + 8u + 4u);
  EXPECT_EQ(lines[8].rfind("v ", 0), 0u);
  EXPECT_EQ(lines[9].rfind("vn ", 0), 0u);
  EXPECT_EQ(lines[16], "f -1//-1 -5//-5 -6//-6 -2//-2");
  EXPECT_EQ(lines[17], "f -2//-2 -6//-6 -7//-7 -3//-3");
  EXPECT_EQ(lines[18], "f -3//-3 -7//-7 -8//-8 -4//-4");
  EXPECT_EQ(lines[19], "f -4//-4 -8//-8 -5//-5 -1//-1");
}

TEST(ObjText, OneSmoothingFlagWritesTwoNormalsPerVertex) {
  const std::string along = text(squareTube(true, false));
  EXPECT_EQ(facesOf(along).at(0), "f -1//-2 -5//-10 -6//-11 -2//-3");
  const std::string around = text(squareTube(false, true));
  EXPECT_EQ(facesOf(around).at(0), "f -1//-2 -5//-9 -6//-11 -2//-4");
  std::size_t normals = 0;
  for (const std::string& line : linesOf(along)) normals += line.rfind("vn ", 0) == 0;
  EXPECT_EQ(normals, 16u);
}

TEST(ObjText, BladeRingPairs) {
  // With normals: the grass blades of tests/golden/field.obj.
  const std::string plain = text(support::bladeTube(2, true, true), false);
  EXPECT_EQ(facesOf(plain), std::vector<std::string>{"f -1 -3 -4 -2"});
  EXPECT_EQ(plain.find("vn "), std::string::npos);
  EXPECT_EQ(facesOf(text(support::bladeTube(5, false, false))).size(), 4u);
}

TEST(ObjText, MaterialLines) {
  clsTube tube = support::bladeTube(3, true, true);
  tube.matFrom = tube.matTo = 7;
  tube.rings[1].matFrom = tube.rings[1].matTo = 2;
  std::vector<std::string> materials;
  for (const std::string& line : linesOf(text(tube)))
    if (line.rfind("usemtl", 0) == 0) materials.push_back(line);
  EXPECT_EQ(materials, (std::vector<std::string>{"usemtl m7", "usemtl m2", "usemtl m7"}));
  EXPECT_EQ(text(support::bladeTube(3, true, true)).find("usemtl"), std::string::npos);
}

TEST(ObjText, RunsDoNotConnect) {
  clsTube first = squareTube(true, true);
  appendTube(first, squareTube(false, false), true);
  appendTube(first, support::bladeTube(3, true, false), true);
  const std::vector<std::string> faces = facesOf(text(first));
  ASSERT_EQ(faces.size(), 4u + 4u + 2u);
  EXPECT_EQ(faces[4], "f -1 -5 -6 -2");
  EXPECT_EQ(faces[8], "f -1//-2 -3//-6 -4//-7 -2//-3");
}
