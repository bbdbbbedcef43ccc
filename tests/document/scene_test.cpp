// Rocks and whole scenes of all eleven elements, read back by two general OBJ readers.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include "support/assimp_readback.h"
#include "support/field_run.h"
#include "support/obj_readback.h"

using support::clsFieldRun;
using support::onlyElements;

namespace {

const std::string kGrassColours =
    " 17408 15360 17920 2 24320 15360 17920 2 17408 15360 17920 0 17408 15360 17920 0 17408 15360 17920 0 "
    "17408 15360 17920 0 <empty> <empty>\r\n";

}  // namespace

TEST(Scene, DefaultRocksAreClosedSmoothSurfaces) {
  clsFieldRun run("rocks");
  ASSERT_TRUE(run.apply(onlyElements({8})));
  ASSERT_EQ(run.create(1).outcome, document::RunOutcome::Done);
  const support::clsReadBack read = support::readObjFile(run.path("field.obj"));
  ASSERT_TRUE(read.valid) << read.error;
  EXPECT_EQ(read.warning, "");
  constexpr std::size_t kVertices = 10 * 10, kFaces = 9 * 10 + 2;
  ASSERT_EQ(read.vertices, 100 * kVertices);
  ASSERT_EQ(read.faces, 100 * kFaces);
  EXPECT_EQ(read.facesWithNormals, 100 * (kFaces - 2));  // caps carry no normal references
  EXPECT_EQ(read.badNormals, 0u);

  const tinyobj::mesh_t& mesh = read.shapes.at(0).mesh;
  std::size_t offset = 0;
  for (std::size_t rock = 0; rock < 100; ++rock) {
    std::map<std::pair<int, int>, int> edges;
    for (std::size_t f = rock * kFaces; f < (rock + 1) * kFaces; ++f) {
      const std::size_t corners = mesh.num_face_vertices[f];
      for (std::size_t c = 0; c < corners; ++c) {
        const int a = mesh.indices[offset + c].vertex_index, b = mesh.indices[offset + (c + 1) % corners].vertex_index;
        ASSERT_GE(a, static_cast<int>(rock * kVertices));
        ASSERT_LT(a, static_cast<int>((rock + 1) * kVertices));
        ++edges[{std::min(a, b), std::max(a, b)}];
      }
      offset += corners;
    }
    for (const auto& [edge, count] : edges) ASSERT_EQ(count, 2) << "rock " << rock << " edge " << edge.first << "-" << edge.second;
  }
}

TEST(Scene, AllElevenElementsInOneRun) {
  clsFieldRun run("scene");
  ASSERT_TRUE(run.apply(onlyElements({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11})));
  ASSERT_EQ(run.create(2, "meadow").outcome, document::RunOutcome::Done);

  const support::clsReadBack read = support::readObjFile(run.path("meadow.obj"));
  ASSERT_TRUE(read.valid) << read.error;
  EXPECT_EQ(read.warning, "");
  EXPECT_EQ(read.vertices, 7000u * 10 + 400u * 100);
  EXPECT_EQ(read.badNormals, 0u);
  for (int material : read.shapes.at(0).mesh.material_ids) ASSERT_GE(material, 0);

  const support::clsAssimpRead assimp = support::readWithAssimp(run.path("meadow.obj"));
  ASSERT_TRUE(assimp.loaded) << assimp.error;
  // Assimp logs that the first "usemtl" comes before any object line; the frame of the file has
  // none by design, and the import is whole. Nothing else may be reported.
  std::vector<std::string> reported;
  for (const std::string& line : assimp.warnings)
    if (line.find("No object detected to attach a new mesh instance") == std::string::npos) reported.push_back(line);
  EXPECT_EQ(reported, std::vector<std::string>{});
  EXPECT_EQ(assimp.materials, 118u + 1);  // ours and Assimp's default material
  EXPECT_EQ(assimp.faces, read.faces);
  // Assimp's reading of the colours: the .glb tests, beside their own.
}

struct clsCombination {
  const char* name;
  std::string settings;
  bool rock;
  bool normals;
};

class Builders : public ::testing::TestWithParam<clsCombination> {};

TEST_P(Builders, ReadBackWhole) {
  const clsCombination& combination = GetParam();
  clsFieldRun run(std::string("combination-") + combination.name);
  const int element = combination.rock ? 8 : 1;
  ASSERT_TRUE(run.apply(onlyElements({element}) + "Alpha " + std::to_string(element) + " 10 10 40 <empty> 0 -1\r\n" +
                        combination.settings));
  ASSERT_EQ(run.create(3).outcome, document::RunOutcome::Done);
  const support::clsReadBack read = support::readObjFile(run.path("field.obj"));
  ASSERT_TRUE(read.valid) << read.error;
  EXPECT_EQ(read.warning, "");
  EXPECT_GT(read.faces, 0u);
  EXPECT_EQ(read.badNormals, 0u);
  for (int material : read.shapes.at(0).mesh.material_ids) ASSERT_GE(material, 0);
  const std::size_t caps = combination.rock ? 2 * 40 : 0;
  EXPECT_EQ(read.facesWithNormals, combination.normals ? read.faces - caps : 0u);
  EXPECT_EQ(read.normals > 0, combination.normals);
}

INSTANTIATE_TEST_SUITE_P(
    Combinations, Builders,
    ::testing::Values(
        clsCombination{"twistedBlade", "Size_Rot 1 20 330 60 50 30 30 30 1 1 100\r\n", false, true},
        clsCombination{"compoundLeaf", "Shape 1 1 5 5 30 -10 2 3 0 10 5 5 1\r\n", false, true},
        clsCombination{"secondColourSet", "Shape 1 1 5 1 30 -10 1 1 0 10 3 5 1\r\n", false, true},
        clsCombination{"rainbows", "Shape 1 1 5 1 30 -10 1 1 0 10 3 5 1\r\nMaterial 1 1 1" + kGrassColours, false, true},
        clsCombination{"rainbowCompound", "Shape 1 1 5 4 30 -10 1 2 0 10 2 5 1\r\nMaterial 1 1 1" + kGrassColours, false, true},
        clsCombination{"smoothRock", "", true, true},
        clsCombination{"facetedRock", "Shape 8 1 10 0 30 -10 1 1 0 0 10 10 1\r\n", true, false},
        clsCombination{"roughRainbowRock", "Shape 8 1 10 1 30 -10 1 1 20 10 6 10 1\r\nMaterial 8 1 1" + kGrassColours, true, true}),
    [](const auto& info) { return std::string(info.param.name); });

// A small field of a fixed seed, byte for byte: any change to what the program writes shows
// as a difference against tests/golden (QUENMOOR_UPDATE_GOLDEN=1 writes them anew).
TEST(Scene, SmallFieldMatchesTheGoldenFiles) {
  clsFieldRun run("golden");
  ASSERT_TRUE(run.apply(onlyElements({1, 8}) + "Alpha 1 2 2 3 <empty> 0 -1\r\nAlpha 8 2 2 1 <empty> 0 -1\r\n" +
                        "Shape 8 1 10 0 30 -10 1 1 0 0 10 10 1\r\n"));
  ASSERT_EQ(run.create(7).outcome, document::RunOutcome::Done);
  for (const std::string name : {"field.grass", "field.mtl", "field.obj"}) {
    const std::filesystem::path golden = std::filesystem::path(QUENMOOR_GOLDEN_DIR) / name;
    if (std::getenv("QUENMOOR_UPDATE_GOLDEN") != nullptr) std::ofstream(golden, std::ios::binary) << run.read(name);
    std::ifstream in(golden, std::ios::binary);
    EXPECT_EQ(run.read(name), std::string(std::istreambuf_iterator<char>(in), {})) << name;
  }
  // Another seed gives another field: Cli.SettingsFileIsAppliedOverTheDefaults.
}
