// Whole grass fields made from settings, read back with a general OBJ reader.

#include <gtest/gtest.h>

#include <QImage>
#include <cmath>

#include "blade/curve.h"
#include "blade/curve_records.h"
#include "generation/map_records.h"
#include "document/settings_files.h"
#include "support/field_run.h"
#include "support/obj_readback.h"

using support::clsFieldRun;

namespace {

struct clsPoint {
  double x, y, z;
};

// The base of every simple blade: the middle of its first ring (10 vertices a blade).
std::vector<clsPoint> bladeBases(const support::clsReadBack& read) {
  std::vector<clsPoint> bases;
  const auto& v = read.attrib.vertices;
  for (std::size_t first = 0; first + 10 <= read.vertices; first += 10)
    bases.push_back({(v[3 * first] + v[3 * first + 3]) / 2, (v[3 * first + 1] + v[3 * first + 4]) / 2,
                     (v[3 * first + 2] + v[3 * first + 5]) / 2});
  return bases;
}

std::string savePicture(const clsFieldRun& run, const std::string& name, const QImage& image) {
  const std::string path = run.path(name);
  EXPECT_TRUE(image.save(QString::fromStdString(path)));
  return path;
}

// A settings line for element 1's coverage: 10 x 10, items, picture, circle flag, pick.
std::string alpha(int items, const std::string& picture, int circle, long pick) {
  return "Alpha 1 10 10 " + std::to_string(items) + ' ' + (picture.empty() ? "<empty>" : picture) + ' ' +
         std::to_string(circle) + ' ' + std::to_string(pick) + "\r\n";
}

}  // namespace

TEST(GrassField, DefaultMeadowReadsBackWhole) {
  clsFieldRun run("default");
  const document::clsRunResult result = run.create(1);
  ASSERT_EQ(result.outcome, document::RunOutcome::Done);
  const support::clsReadBack read = support::readObjFile(run.path("field.obj"));
  ASSERT_TRUE(read.valid) << read.error;
  EXPECT_EQ(read.warning, "");  // every "usemtl" names a material of field.mtl
  EXPECT_EQ(read.vertices, 1000u * 5 * 2);
  EXPECT_EQ(read.faces, 1000u * 4);
  EXPECT_EQ(read.facesWithNormals, read.faces);
  EXPECT_EQ(read.badNormals, 0u);
  for (const auto& shape : read.shapes)
    for (int material : shape.mesh.material_ids) ASSERT_GE(material, 0);

  // Bases on the 10 x 10 area at height 0; blades as long as grass 1, within their size change.
  const auto& v = read.attrib.vertices;
  for (std::size_t i = 0; i < read.vertices; ++i) {
    EXPECT_GE(v[3 * i], -1.3);
    EXPECT_LE(v[3 * i], 11.3);
    EXPECT_GE(v[3 * i + 2], -1.3);
    EXPECT_LE(v[3 * i + 2], 11.3);
    EXPECT_LE(v[3 * i + 1], 1.3);
  }
  double total = 0;
  for (std::size_t first = 0; first < read.vertices; first += 10) {
    double length = 0;
    for (std::size_t ring = 0; ring + 1 < 5; ++ring) {
      const std::size_t a = first + 2 * ring, b = a + 2;
      const double dx = (v[3 * b] + v[3 * b + 3] - v[3 * a] - v[3 * a + 3]) / 2;
      const double dy = (v[3 * b + 1] + v[3 * b + 4] - v[3 * a + 1] - v[3 * a + 4]) / 2;
      const double dz = (v[3 * b + 2] + v[3 * b + 5] - v[3 * a + 2] - v[3 * a + 5]) / 2;
      length += std::sqrt(dx * dx + dy * dy + dz * dz);
    }
    EXPECT_GT(length, 0.7);
    EXPECT_LT(length, 1.35);
    total += length;
  }
  EXPECT_NEAR(total / 1000, 1.0, 0.1);
  for (const clsPoint& base : bladeBases(read)) {
    EXPECT_GE(base.x, -0.01);
    EXPECT_LE(base.x, 10.01);
    EXPECT_NEAR(base.y, 0, 5e-3);  // uneven widths, leaned, lift one side a little
  }
}

TEST(GrassField, CoveragePicturesPlaceTheClumps) {
  clsFieldRun run("coverage");
  QImage half(100, 100, QImage::Format_RGB32);
  half.fill(Qt::black);
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 50; ++x) half.setPixel(x, y, qRgb(255, 255, 255));
  const std::string halfPath = savePicture(run, "half.png", half);
  ASSERT_TRUE(run.apply("Shape 1 1 5 1 30 -10 1 1 0 0 5 5 1\r\n" + alpha(300, halfPath, 0, -1)));
  ASSERT_EQ(run.create(3).outcome, document::RunOutcome::Done);
  for (const clsPoint& base : bladeBases(support::readObjFile(run.path("field.obj")))) EXPECT_LT(base.x, 5.0001);

  QImage stripes(90, 90, QImage::Format_RGB32);
  for (int y = 0; y < 90; ++y)
    for (int x = 0; x < 90; ++x) stripes.setPixel(x, y, y < 30 ? qRgb(255, 0, 0) : (y < 60 ? qRgb(0, 255, 0) : qRgb(0, 0, 255)));
  const std::string stripesPath = savePicture(run, "stripes.bmp", stripes);
  ASSERT_TRUE(run.apply("Shape 1 1 5 1 30 -10 1 1 0 0 5 5 1\r\n" + alpha(300, stripesPath, 0, 65280)));
  ASSERT_EQ(run.create(4).outcome, document::RunOutcome::Done);
  for (const clsPoint& base : bladeBases(support::readObjFile(run.path("field.obj")))) {
    EXPECT_GE(base.z, 10.0 / 3 - 1e-3);  // only the green middle stripe
    EXPECT_LE(base.z, 20.0 / 3 + 1e-3);
  }

  ASSERT_TRUE(run.apply("Shape 1 1 5 1 30 -10 1 1 0 0 5 5 1\r\n" + alpha(300, "", 1, -1)));
  ASSERT_EQ(run.create(5).outcome, document::RunOutcome::Done);
  for (const clsPoint& base : bladeBases(support::readObjFile(run.path("field.obj"))))
    EXPECT_LE(std::hypot(base.x - 5, base.z - 5), 5.04);  // within a pixel of the disc
}

TEST(GrassField, AltitudePicturesRaiseTheClumps) {
  clsFieldRun run("altitude");
  QImage white(20, 20, QImage::Format_RGB32);
  white.fill(Qt::white);
  const std::string path = savePicture(run, "white.jpg", white);
  ASSERT_TRUE(run.apply("Shape 1 1 5 1 30 -10 1 1 0 0 5 5 1\r\n" + alpha(200, "", 0, -1) + "Bump 1 7.5 0 " + path + "\r\n"));
  ASSERT_EQ(run.create(6).outcome, document::RunOutcome::Done);
  for (const clsPoint& base : bladeBases(support::readObjFile(run.path("field.obj")))) EXPECT_NEAR(base.y, 7.5, 1e-4);
}

TEST(GrassField, UnreadablePicturesAreToldKeptAndReadAsBlackHeights) {
  clsFieldRun run("unreadable");
  // Use Space on: an altitude picture that cannot be read still counts, as black everywhere.
  ASSERT_TRUE(run.apply(alpha(100, run.path("missing.png"), 0, -1) + "Bump 1 5 1 " + run.path("nothing.gif") + "\r\n"));
  ASSERT_EQ(run.messages.shown.size(), 2u);
  EXPECT_EQ(run.messages.shown[0], "Cannot read the file \"" + run.path("missing.png") +
                                       "\".\nPerhaps due to its format, missing location, or other reasons.\n"
                                       "The file " + run.path("missing.png") + " does not exist.");
  EXPECT_EQ(modMapRecords::unreadablePictures(run.document.project.store, run.document.project.pictures).size(), 2u);
  ASSERT_EQ(run.create(7).outcome, document::RunOutcome::Done);
  const auto bases = bladeBases(support::readObjFile(run.path("field.obj")));
  ASSERT_EQ(bases.size(), 100u);
  double right = 0;
  for (const clsPoint& base : bases) {
    right += base.x > 5;
    EXPECT_NEAR(base.y, 0, 0.01);  // not spread up to the maximum height of 5
  }
  EXPECT_GT(right, 20);  // spread over the whole area, not piled on one candidate
  // The settings file keeps the paths as the user gave them, folder and all.
  const std::string settings = run.read("field.grass");
  EXPECT_NE(settings.find(" " + run.path("missing.png") + " 0 -1\r\n"), std::string::npos);
  EXPECT_NE(settings.find("Bump 1 5 1 " + run.path("nothing.gif") + "\r\n"), std::string::npos);
}

TEST(GrassField, ACurveThatCannotBeComputedIsToldOnceAndLeftOut) {
  clsFieldRun run("bad-curve");
  ASSERT_TRUE(run.apply("Usage 2 1 g2\r\n"));
  // Weights of 0 cannot come from the settings or the editor; a damaged curve is made by hand.
  for (auto& point : modCurveRecords::curveOf(run.document.project.store, 1).cp.v) point.w = 0;
  ASSERT_EQ(run.create(11).outcome, document::RunOutcome::Done);
  EXPECT_EQ(run.messages.shown, (std::vector<std::string>{std::string(blade::kCurvePointFailure)}));
  const support::clsReadBack read = support::readObjFile(run.path("field.obj"));
  EXPECT_EQ(read.vertices, 1000u * 10);  // element 2 only
}

TEST(GrassField, CompoundLeavesStandOnTheirFoot) {
  clsFieldRun run("compound");
  // 5 leaflets of 4 rings on a stem of 2 rings: 44 vertices and 16 faces an item.
  ASSERT_TRUE(run.apply("Shape 1 1 5 5 30 -10 2 3 0 0 5 5 1\r\n" + alpha(60, "", 0, -1)));
  ASSERT_EQ(run.create(10).outcome, document::RunOutcome::Done);
  const support::clsReadBack read = support::readObjFile(run.path("field.obj"));
  ASSERT_TRUE(read.valid) << read.error;
  EXPECT_EQ(read.vertices, 60u * 44);
  EXPECT_EQ(read.faces, 60u * 16);
  EXPECT_EQ(read.badNormals, 0u);
  // Each item's stem is its last run; its first ring is the foot, on the ground, for every item
  // of a variant group alike.
  const auto& v = read.attrib.vertices;
  for (std::size_t item = 0; item < 60; ++item) {
    const std::size_t foot = item * 44 + 40;
    EXPECT_NEAR((v[3 * foot + 1] + v[3 * foot + 4]) / 2, 0, 1e-4) << item;
    const std::size_t joint = foot + 2;
    EXPECT_GT((v[3 * joint + 1] + v[3 * joint + 4]) / 2, 0.05) << item;
    // Every leaflet starts at the joint.
    for (std::size_t leaflet = 0; leaflet < 5; ++leaflet) {
      const std::size_t start = item * 44 + leaflet * 8;
      for (std::size_t axis = 0; axis < 3; ++axis)
        EXPECT_NEAR((v[3 * start + axis] + v[3 * start + 3 + axis]) / 2, (v[3 * joint + axis] + v[3 * joint + 3 + axis]) / 2,
                    1e-4)
            << item << " leaflet " << leaflet;
    }
  }
}
