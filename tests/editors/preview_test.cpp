// The 3D view's scene comes from the creation run's own generator: the same items, fewer of
// them when a field is large, built on a thread that always ends with the newest settings.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "document/creation_run.h"
#include "document/settings_files.h"
#include "editors/preview_worker.h"
#include "fakes/fake_platform.h"
#include "generation/item_placement.h"
#include "generation/map_records.h"
#include "model/value_functions.h"
#include "model/usage_records.h"

namespace {

class Preview : public ::testing::Test {
 protected:
  Preview() { modSettingsFiles::resetSettings(document, fake.platform); }
  bool apply(const std::string& text) { return modSettingsFiles::applyUserText(document, text, fake.platform); }

  fakes::FakePlatform fake;
  document::clsDocument document{fake.platform};
};

}  // namespace

TEST_F(Preview, TheItemsAreTheOnesTheObjectFileHolds) {
  // A plain element and a compound leaf; the counts stay below the cap.
  ASSERT_TRUE(apply("Usage 2 1 leaf\r\nShape 2 1 5 5 30 -10 2 3 0 10 5 5 1\r\nAlpha 2 5 5 300 <empty> 0 -1\r\n"));
  document.project.dialog.diskLimitMB = generation::kMaxDiskLimitMB;
  modCreateDialog::setFileName(document.project.dialog, "f.obj");
  model::clsRandom random(17);
  generation::clsObjWriter writer;
  writer.services = {&fake.status, &fake.events};
  generation::clsCreation creation{fake.platform, random, writer};
  ASSERT_EQ(modCreationRun::runCreation(document, creation).code, generation::status::kGoOn);

  editors::clsCaptureSink sink;
  model::clsRandom same(17);
  modItemPlacement::generateAll(document.project, sink, same, fake.messages);
  std::string items;
  for (const auto& list : sink.items_)
    for (std::size_t i = 0; i < list.items.size(); ++i) modItemList::appendItemText(items, list, i, "f");
  const std::string& object = fake.files.files.at("f.obj");
  ASSERT_GT(items.size(), 100000u);
  EXPECT_TRUE(object.compare(object.size() - items.size(), items.size(), items) == 0);

  const auto scene = modPreview::buildScene(document.project, 17, editors::kDefaultPreviewCap, std::atomic<bool>{false});
  ASSERT_TRUE(scene);
  EXPECT_EQ(scene->itemsShown, 1300);
  EXPECT_EQ(scene->elements[0].vertices.size(), 1000u * 10);  // shared by the faces of a smooth blade
  EXPECT_EQ(scene->elements[0].triangles.size(), 1000u * 8 * 3);  // four quads a blade
  EXPECT_EQ(modPreview::previewLine(*scene), "Preview: all 1,300 items");
}

TEST_F(Preview, LargeFieldsAreThinnedInProportion) {
  ASSERT_TRUE(apply("Alpha 1 10 10 1000000 <empty> 0 -1\r\nUsage 8 1 r\r\nAlpha 8 10 10 250000 <empty> 0 -1\r\n"));
  generation::clsProject project = document.project;
  std::int64_t total = 0;
  EXPECT_EQ(modPreview::capItems(project, 20000, total), 20000);
  EXPECT_EQ(total, 1250000);
  EXPECT_EQ(modGeneral::toLong(modStore::readElementSlot(project.store, 1, generation::slot::kItemCount)), 16000);
  EXPECT_EQ(modGeneral::toLong(modStore::readElementSlot(project.store, 8, generation::slot::kItemCount)), 4000);
  editors::clsPreviewScene scene;
  scene.itemsShown = 20000;
  scene.itemsTotal = 1000000;
  EXPECT_EQ(modPreview::previewLine(scene), "Preview: 20,000 of 1,000,000 items");
}

TEST_F(Preview, TheNewestRequestWinsAndAStopEndsTheThread) {
  std::mutex mutex;
  std::vector<std::pair<std::uint64_t, std::shared_ptr<const editors::clsPreviewScene>>> done;
  {
    editors::clsPreviewWorker worker([&](std::shared_ptr<const editors::clsPreviewScene> scene, std::uint64_t number) {
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
  SUCCEED();
}
