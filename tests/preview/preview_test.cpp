// The 3D view's scene comes from the creation run's own generator: the same items, fewer of
// them when a field is large, built on a thread that always ends with the newest settings.

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <set>
#include <sstream>
#include <thread>

#include "document/creation_run.h"
#include "document/settings_files.h"
#include "fakes/fake_platform.h"
#include "generation/item_placement.h"
#include "materials/mtl_file.h"
#include "materials/palette.h"
#include "model/usage_records.h"
#include "preview/capture_sink.h"
#include "preview/preview_camera.h"
#include "preview/preview_grid.h"
#include "preview/preview_worker.h"

namespace {

class Preview : public ::testing::Test {
 protected:
  Preview() { modSettingsFiles::resetSettings(document, fake.platform); }
  bool apply(const std::string& text) { return modSettingsFiles::applyUserText(document, text, fake.platform); }
  // Create into "f.obj" with the layout seed; keeps how many items the file holds.
  generation::RunStatus create(std::uint64_t seed) {
    modCreateDialog::setFileName(document.project.dialog, "f.obj");
    model::clsRandom random(seed);
    generation::clsCreation creation{fake.platform, random};
    const document::clsRunResult result = modCreationRun::runCreation(document, creation);
    itemsInFile = result.itemsInFile;
    return result.code;
  }
  std::optional<preview::clsPreviewScene> scene(std::uint64_t seed, std::int64_t cap) {
    return modPreview::buildScene(document.project, seed, cap, std::atomic<bool>{false}, document.session.diskLimitMB);
  }
  // The x and y of an item's points, exactly.
  static std::vector<std::pair<float, float>> pointsOf(const geometry::clsItemList& list, std::size_t i) {
    const std::size_t end = i + 1 < list.items.size() ? list.items[i + 1].firstPoint : list.points.size();
    std::vector<std::pair<float, float>> xy;
    for (std::size_t k = list.items[i].firstPoint; k < end; ++k) xy.emplace_back(list.points[k].x, list.points[k].y);
    return xy;
  }

  fakes::FakePlatform fake;
  document::clsDocument document{fake.platform};
  std::int64_t itemsInFile = 0;
};

}  // namespace

TEST_F(Preview, TheItemsAreTheOnesTheObjectFileHolds) {
  // A plain element and a compound leaf; the counts stay below the cap.
  ASSERT_TRUE(apply("Usage 2 1 leaf\r\nShape 2 1 5 5 30 -10 2 3 0 10 5 5 1\r\nAlpha 2 5 5 300 <empty> 0 -1\r\n"));
  document.session.diskLimitMB = generation::kMaxDiskLimitMB;
  ASSERT_EQ(create(17), generation::RunStatus::GoOn);

  preview::clsCaptureSink sink;
  model::clsRandom same(17);
  modItemPlacement::generateAll(modDocument::runSettings(document), sink, same, fake.messages);
  std::string items;
  for (const auto& list : sink.items_)
    for (std::size_t i = 0; i < list.items.size(); ++i) modItemList::appendItemText(items, list, i, "f");
  const std::string& object = fake.files.files.at("f.obj");
  ASSERT_GT(items.size(), 100000u);
  EXPECT_TRUE(object.compare(object.size() - items.size(), items.size(), items) == 0);

  const auto shown = scene(17, preview::kDefaultPreviewCap);
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->itemsShown, 1300);
  EXPECT_EQ(shown->elements[0].vertices.size(), 1000u * 10);  // shared by the faces of a smooth blade
  EXPECT_EQ(shown->elements[0].triangles.size(), 1000u * 8 * 3);  // four quads a blade
  EXPECT_EQ(modPreview::previewLine(*shown), "Preview: all 1,300 items");
}

// The items between those shown are only drawn, not built: the ones shown are still the field's.
TEST_F(Preview, AThinnedViewShowsEveryKthItemOfTheField) {
  ASSERT_TRUE(apply("Alpha 1 10 10 5000 <empty> 0 -1\r\nUsage 8 1 r\r\nAlpha 8 10 10 1001 <empty> 0 -1\r\n"
                    "Usage 2 1 leaf\r\nShape 2 1 5 5 30 -10 2 3 0 10 5 5 1\r\nAlpha 2 10 10 300 <empty> 0 -1\r\n"
                    "Size_Rot 1 20 330 60 50 30 30 30 1 3 40\r\n"));
  modPalette::setRainbow(document.project.store, 1, 1);
  document.session.diskLimitMB = generation::kMaxDiskLimitMB;
  std::int64_t total = 0;
  const std::int64_t step = modPreview::keepEvery(document.project, 1000, total);
  EXPECT_EQ(total, 6301);
  EXPECT_EQ(step, 7);  // 715 + 43 + 143 items
  preview::clsCaptureSink all, every(nullptr, step);
  model::clsRandom random(17), same(17);
  modItemPlacement::generateAll(modDocument::runSettings(document), all, random, fake.messages);
  modItemPlacement::generateAll(modDocument::runSettings(document), every, same, fake.messages);
  for (std::size_t e : {0u, 1u, 7u}) {
    const geometry::clsItemList &full = all.items_[e], &kept = every.items_[e];
    ASSERT_EQ(kept.items.size(), (full.items.size() + 6) / 7);
    for (std::size_t j = 0; j < kept.items.size(); ++j) ASSERT_EQ(pointsOf(kept, j), pointsOf(full, j * 7)) << e << " " << j;
  }
  const auto shown = scene(17, 1000);
  ASSERT_TRUE(shown);
  EXPECT_EQ(modPreview::previewLine(*shown), "Preview: 901 of 6,301 items");
}

TEST_F(Preview, TheNewestRequestWinsAndAStopEndsTheThread) {
  std::mutex mutex;
  std::vector<std::pair<std::uint64_t, std::shared_ptr<const preview::clsPreviewScene>>> done;
  {
    preview::clsPreviewWorker worker([&](std::shared_ptr<const preview::clsPreviewScene> scene, std::uint64_t number) {
      std::lock_guard lock(mutex);
      done.emplace_back(number, std::move(scene));
    });
    ASSERT_TRUE(apply("Alpha 1 10 10 1000000 <empty> 0 -1\r\n"));
    worker.request(document.project, 1, 20000);
    modUsage::setUse(document.project.store, 1, 0);  // an edit while the first one is built
    const std::uint64_t latest = worker.request(document.project, 1, 20000);
    while (worker.busy()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    std::lock_guard lock(mutex);
    ASSERT_FALSE(done.empty());
    EXPECT_EQ(done.back().first, latest);
    EXPECT_TRUE(done.back().second->elements[0].triangles.empty());
    // A last request left running when the worker goes away.
    modUsage::setUse(document.project.store, 1, 1);
    worker.request(document.project, 2, 20000);
  }
}

// Any value a box or a settings file can hold gives a scene and a ground grid of bounded size.
TEST_F(Preview, ExtremeValuesGiveABoundedSceneAndGrid) {
  const char* lines[] = {
      "Alpha 1 3.4E+38 10 1000 <empty> 0 -1", "Alpha 1 -3.4E+38 -3.4E+38 3.4E+38 <empty> 0 -1",
      "Alpha 1 1E-30 1E-30 1000 <empty> 0 -1", "Bump 1 3.4E+38 0 <empty>", "Usage_Info 3.4E+38",
      "Size_Rot 1 3.4E+38 3.4E+38 3.4E+38 3.4E+38 3.4E+38 3.4E+38 3.4E+38 3.4E+38 3.4E+38 0",
      "Curve 1 3.4E+38 3.4E+38 0 3 3 0 0 1 0 .5 1 .2 .8 1 0 0 0", "Shape 1 1 5 3.4E+38 3.4E+38 3.4E+38 1 1 0 10 5 5 1"};
  for (const char* line : lines) {
    ASSERT_TRUE(apply(std::string(line) + "\r\n")) << line;
    const auto shown = scene(3, 2000);
    ASSERT_TRUE(shown) << line;
    EXPECT_LE(shown->itemsShown, 2000) << line;
    const auto grid = modPreview::groundGrid(*shown);
    EXPECT_LE(grid.size(), 2u * modPreview::kMaxGridLines) << line;
    const auto finite = [](const auto& r) {
      return std::isfinite(r.x1) && std::isfinite(r.z1) && std::isfinite(r.x2) && std::isfinite(r.z2);
    };
    for (const modPreview::clsGridLine& g : grid) ASSERT_TRUE(finite(g)) << line;
    for (const modPreview::clsGroundRect& r : modPreview::coverageBands(*shown)) ASSERT_TRUE(finite(r)) << line;
  }
}

// Each face shows the diffuse colour (Kd) of its material as the MTL file holds it, and a
// rainbow blade shows bands: the three corners of every triangle have one colour.
TEST_F(Preview, FacesShowTheirMaterialsKdInBands) {
  modPalette::readColorText(document.project.store, modPalette::defaultColourText());
  modPalette::setRainbow(document.project.store, 1, 1);
  modPalette::setRainbow(document.project.store, 2, 1);
  std::set<std::uint32_t> kd;
  std::istringstream mtl(modMaterialFile::toText(document.project.store, 1, modMaterialFile::prefixesFor("f")));
  for (std::string word; mtl >> word;)
    if (word == "Kd") {
      float r, g, b;
      mtl >> r >> g >> b;
      kd.insert(static_cast<std::uint32_t>(std::lround(r * 255) + 256 * std::lround(g * 255) + 65536 * std::lround(b * 255)));
    }
  const auto shown = scene(5, 500);
  ASSERT_TRUE(shown);
  const preview::clsPreviewElement& grass = shown->elements[0];
  std::set<std::uint32_t> colours;
  for (std::size_t t = 0; t < grass.triangles.size(); t += 3) {
    const std::uint32_t colour = grass.vertices[grass.triangles[t]].colour;
    ASSERT_EQ(grass.vertices[grass.triangles[t + 1]].colour, colour);
    ASSERT_EQ(grass.vertices[grass.triangles[t + 2]].colour, colour);
    colours.insert(colour);
  }
  EXPECT_GE(colours.size(), 3u);
  for (std::uint32_t colour : colours) EXPECT_TRUE(kd.count(colour)) << colour;
}

// With the default limit of 1 MB the run stops early: the view shows only the items the file
// holds (none of the second element) and says where the run stops.
TEST_F(Preview, TheViewStopsWhereTheDiskSpaceLimitStopsTheRun) {
  ASSERT_TRUE(apply("Alpha 1 10 10 20000 <empty> 0 -1\r\nUsage 2 1 g\r\n"));
  ASSERT_EQ(create(9), generation::RunStatus::LimitReached);

  const auto shown = scene(9, preview::kDefaultPreviewCap);
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->itemsWritten, itemsInFile);
  EXPECT_EQ(shown->itemsShown, itemsInFile);
  EXPECT_TRUE(shown->elements[1].vertices.empty());
  EXPECT_EQ(modPreview::previewLine(*shown), "The disk-space limit stops the run at about " +
                                                 std::to_string(itemsInFile / 1000) + "," +
                                                 std::to_string(itemsInFile % 1000 + 1000).substr(1) + " of 21,000 items.");
}

// Grass far longer than the old reach is framed whole; items too far out to draw are told.
TEST_F(Preview, TheViewFramesAnyFieldOrSaysWhyNot) {
  ASSERT_TRUE(apply("Usage_Info 1E+08\r\n"));
  auto shown = scene(3, 2000);
  ASSERT_TRUE(shown);
  float top = 0;
  for (const preview::clsPreviewVertex& v : shown->elements[0].vertices) top = std::max(top, v.y);
  EXPECT_GT(top, 1e7f);
  EXPECT_GE(modCamera::boundsOf(*shown).maxY, top);
  EXPECT_EQ(modPreview::previewLine(*shown), "Preview: all 1,000 items");

  ASSERT_TRUE(apply("Usage_Info 1\r\nBump 1 -3.4E+38 1 <empty>\r\n"));
  shown = scene(3, 2000);
  ASSERT_TRUE(shown);
  EXPECT_TRUE(shown->elements[0].triangles.empty());
  EXPECT_EQ(modPreview::previewLine(*shown), "Preview: all 1,000 items; all too far out to show");
  EXPECT_EQ(modCamera::boundsOf(*shown).minY, 0);  // the coverage area is framed
}

// Every number of every record at 3.4E+38: eleven elements of 1,000,000 heavy items end in a
// message within a few seconds, not in a build that runs on.
TEST_F(Preview, AFieldTooSlowToBuildEndsInAMessage) {
  std::istringstream lines(modSettingsFiles::settingsText(document));
  std::string text;
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line);
    std::vector<std::string> fields;
    for (std::string word; words >> word;) fields.push_back(word);
    const std::size_t kept = fields.empty() ? 0 : fields[0] == "Usage" ? fields.size() : fields[0] == "Node_Wi" ? 3 : 2;
    for (std::size_t i = kept; i < fields.size(); ++i)
      if (fields[i].find_first_of("0123456789") != std::string::npos) fields[i] = "3.4E+38";
    if (!fields.empty() && fields[0] == "Usage") fields[2] = "1";
    if (!fields.empty() && fields[0] == "Usage_Info") fields[1] = "3.4E+38";
    for (const std::string& field : fields) text += field + ' ';
    text += "\r\n";
  }
  apply(text);
  preview::clsBuildProgress progress;
  const auto shown = modPreview::buildScene(document.project, 1, 20000, std::atomic<bool>{false},
                                            document.session.diskLimitMB, &progress);
  ASSERT_TRUE(shown);
  EXPECT_EQ(progress.total.load(), 11000000);
  EXPECT_GT(shown->tooSlowSeconds, preview::kLongestBuildSeconds);
  EXPECT_TRUE(modPreview::previewLine(*shown).starts_with("The field of 11,000,000 items is too slow to show: it would take about "))
      << modPreview::previewLine(*shown);
  EXPECT_TRUE(shown->elements[0].inUse && shown->elements[0].triangles.empty());
}

// A build going on tells how far it has come, and stops as soon as the settings change.
TEST_F(Preview, ABuildShowsItsProgressAndStopsAtOnce) {
  std::string text;
  for (int e = 1; e <= model::kElementCount; ++e)
    text += "Usage " + std::to_string(e) + " 1 e\r\nAlpha " + std::to_string(e) + " 10 10 1000000 <empty> 0 -1\r\n";
  ASSERT_TRUE(apply(text));
  std::atomic<int> delivered{0};
  preview::clsPreviewWorker worker([&](auto, std::uint64_t) { ++delivered; });
  worker.request(document.project, 1, 20000);
  while (worker.percentDone() == 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_TRUE(worker.busy());
  worker.cancelBuild();
  while (worker.busy()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_EQ(delivered.load(), 0);
}

TEST(PreviewLine, CountsReadInTheSingularAndPlural) {
  struct { std::int64_t shown, total, written; const char* line; } cases[] = {
      {1, 1, -1, "Preview: 1 item"},
      {0, 0, -1, "Preview: no items"},
      {2, 2, -1, "Preview: all 2 items"},
      {1, 2, -1, "Preview: 1 of 2 items"},
      {1, 1, 1, "The disk-space limit stops the run at about 1 of 1 item."},
  };
  for (const auto& c : cases) {
    preview::clsPreviewScene scene;
    scene.itemsShown = c.shown, scene.itemsTotal = c.total, scene.itemsWritten = c.written;
    EXPECT_EQ(modPreview::previewLine(scene), c.line);
  }
}
