// Tubes written through the object writer into a real file and read back by tinyobjloader.

#include <gtest/gtest.h>

#include <filesystem>

#include "generation/obj_writer.h"
#include "geometry/normals.h"
#include "support/obj_text.h"
#include "geometry/tube_builders.h"
#include "platform/native/std_file_system.h"
#include "support/obj_readback.h"

using geometry::clsTube;

namespace {

struct clsCase {
  const char* name;
  clsTube tube;
  std::size_t vertices, normals, faces, facesWithNormals;
};

clsTube cappedCylinder(int rings, bool along, bool around) {
  clsTube tube = modTube::newTube("", 0, 0);
  for (int r = 0; r < rings; ++r)
    modTube::addRing(tube, support::circleRing(8, 1.5f - 0.2f * static_cast<float>(r), static_cast<float>(r), along,
                                                around, true, true));
  return tube;
}

clsTube severalRuns() {
  clsTube tube = support::bladeTube(5, true, true);
  modTube::appendTube(tube, cappedCylinder(3, true, false), true);
  modTube::appendTube(tube, cappedCylinder(2, false, true), true);
  modTube::appendTube(tube, cappedCylinder(2, false, false), true);
  return tube;
}

std::vector<clsCase> cases() {
  return {
      {"blade", support::bladeTube(5, true, true), 10, 10, 4, 4},
      {"bladeWithoutNormals", support::bladeTube(5, false, false), 10, 0, 4, 0},
      {"cappedSmoothCylinder", cappedCylinder(4, true, true), 32, 32, 3 * 8 + 2, 3 * 8},
      {"severalRuns", severalRuns(), 10 + 24 + 16 + 16, 10 + 48 + 32, 4 + (16 + 2) + (8 + 2) + (8 + 2), 4 + 16 + 8},
  };
}

class ObjReadBack : public ::testing::TestWithParam<std::size_t> {};

}  // namespace

TEST_P(ObjReadBack, EveryIndexResolvesAndNormalsAreUnitOrZero) {
  clsCase c = cases()[GetParam()];
  const std::string path =
      (std::filesystem::temp_directory_path() / (std::string("quenmoor-readback-") + c.name + ".obj")).string();
  platform::StdFileSystem files;
  generation::clsObjWriter writer;
  const auto file = files.createTemporary(path);
  ASSERT_NE(file, nullptr);
  ASSERT_EQ(writer.open(*file, 1'000'000'000, "mtllib x.mtl\r\n\r\n"), generation::RunStatus::GoOn);
  model::clsRandom random(3);
  modTube::computeNormals(c.tube);
  // The same item three times: relative indices make every copy refer to its own vertices.
  for (int copy = 0; copy < 3; ++copy)
    ASSERT_EQ(writer.writeItem(modTube::tubeToObjText(c.tube, true, random, "x"), false), generation::RunStatus::GoOn);
  ASSERT_EQ(writer.finish(), generation::RunStatus::GoOn);
  ASSERT_EQ(file->ready(false), platform::FileStatus::Ok);
  ASSERT_EQ(file->commit(), platform::FileStatus::Ok);

  const support::clsReadBack read = support::readObjFile(path);
  std::filesystem::remove(path);
  ASSERT_TRUE(read.valid) << read.error;
  EXPECT_EQ(read.error, "");
  EXPECT_EQ(read.vertices, 3 * c.vertices);
  EXPECT_EQ(read.normals, 3 * c.normals);
  EXPECT_EQ(read.faces, 3 * c.faces);
  EXPECT_EQ(read.facesWithNormals, 3 * c.facesWithNormals);
  EXPECT_EQ(read.badNormals, 0u);
}

INSTANTIATE_TEST_SUITE_P(Tubes, ObjReadBack, ::testing::Range<std::size_t>(0, 4),
                         [](const auto& info) { return std::string(cases()[info.param].name); });
