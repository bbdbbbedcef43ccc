// The two-stage object run writes the very file the one-thread oracle writes, and stops where it
// stops: at the disk-space limit, at Cancel, at a failing write.

#include "generation/obj_stage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "fakes/fake_platform.h"
#include "document/creation_run.h"
#include "document/settings_files.h"
#include "support/field_run.h"
#include "support/one_thread_object.h"

namespace {

// Every element in use: compound leaves (2, 3), a four-point curve (4), clumps and twists (5),
// a coverage circle (2), heights (6), smooth and faceted rocks (8 to 11).
const std::string kAllElements =
    "Usage 2 1 a\r\nUsage 3 1 b\r\nUsage 4 1 c\r\nUsage 5 1 d\r\nUsage 6 1 e\r\nUsage 7 1 f\r\nUsage 8 1 g\r\n"
    "Usage 9 1 h\r\nUsage 10 1 i\r\nUsage 11 1 j\r\nShape 2 1 5 5 30 -10 2 3 0 10 5 5 1\r\n"
    "Shape 3 0 8 7 45 20 1 1 0 20 4 5 1\r\nShape 9 1 10 0 30 -10 1 1 10 10 10 10 1\r\n"
    "Curve 4 30 30 30 4 3 0 0 1 0 .5 1 .2 .8 1 .3 1.2 1\r\nSize_Rot 5 50 0 360 0 60 60 60 3 9 80\r\n"
    "Alpha 2 5 5 3000 <empty> 1 -1\r\nAlpha 8 20 20 500 <empty> 0 -1\r\nBump 6 3 1 <empty>\r\n";

int threadCount() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("Threads:", 0) == 0) return std::stoi(line.substr(8));
  return -1;
}

struct clsCase {
  const char* name;
  std::string settings;
  int limitMB;
  std::uint64_t seed;
};

// Names the case in failure output instead of dumping its bytes.
void PrintTo(const clsCase& c, std::ostream* out) { *out << c.name; }

class Pipeline : public ::testing::TestWithParam<clsCase> {};

}  // namespace

TEST_P(Pipeline, WritesTheFileOfTheOneThreadRun) {
  const clsCase& c = GetParam();
  support::clsFieldRun run(std::string("pipeline-") + c.name);
  ASSERT_TRUE(run.apply(c.settings));
  modCreateDialog::setDiskSpace(run.document.session, c.limitMB);
  // The same base name in two folders: material names carry it.
  std::filesystem::create_directories(run.folder / "direct");
  std::filesystem::create_directories(run.folder / "piped");
  const support::clsOneThreadRun direct =
      support::writeObjectOneThread(run.document, run.path("direct") + "/", "field", c.seed, run.platform);
  const document::clsRunResult piped = run.create(c.seed, "piped/field");
  EXPECT_EQ(piped.code, direct.code);
  EXPECT_EQ(piped.itemsInFile, direct.itemsInFile);
  EXPECT_EQ(run.status.last(), direct.title);
  const std::string expected = run.read("direct/field.obj"), written = run.read("piped/field.obj");
  EXPECT_EQ(written.size(), expected.size());
  EXPECT_TRUE(written == expected);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, Pipeline,
    ::testing::Values(clsCase{"default", "", 2000, 1}, clsCase{"defaultAgain", "", 2000, 99},
                      clsCase{"allElements", kAllElements, 2000, 7}, clsCase{"allElementsAgain", kAllElements, 2000, 8},
                      clsCase{"limit1MB", kAllElements, 1, 3},
                      clsCase{"limit50MB", "Alpha 1 10 10 65000 <empty> 0 -1\r\n", 50, 5}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PipelineStops, CancelEndsOnAWholeItemOfTheSameField) {
  support::clsFieldRun run("pipeline-cancel");
  ASSERT_TRUE(run.apply("Alpha 1 10 10 20000 <empty> 0 -1\r\n"));
  ASSERT_EQ(support::writeObjectOneThread(run.document, run.folder.string() + "/", "field", 4, run.platform).code,
            generation::RunStatus::GoOn);
  const std::string whole = run.read("field.obj");
  run.events.calls = 0;
  run.events.onEvents = [&] {
    if (run.events.calls == 1500) run.cancel();
  };
  const document::clsRunResult cancelled = run.create(4, "field");
  EXPECT_EQ(cancelled.code, generation::RunStatus::Cancelled);
  // The first items of the same field, as far as they were written before Cancel.
  const std::string part = run.read("field.obj");
  EXPECT_GT(part.size(), 500'000u);
  EXPECT_LT(part.size(), whole.size());
  EXPECT_TRUE(whole.compare(0, part.size(), part) == 0);
  EXPECT_EQ(whole.compare(part.size(), 7, "usemtl "), 0);  // the next item starts there
  std::int64_t vertices = 0;
  for (std::size_t at = part.find("\nv "); at != std::string::npos; at = part.find("\nv ", at + 1)) ++vertices;
  EXPECT_EQ(cancelled.itemsInFile * 10, vertices);  // ten vertices a default blade
}

TEST(PipelineStops, AFailingWriteStopsBothStagesWithItsCode) {
  fakes::FakePlatform fake;
  document::clsDocument document{fake.platform};
  modSettingsFiles::resetSettings(document, fake.platform);
  ASSERT_TRUE(modSettingsFiles::applyUserText(document, "Alpha 1 10 10 20000 <empty> 0 -1\r\n", fake.platform));
  document.session.diskLimitMB = generation::kMaxDiskLimitMB;
  modCreateDialog::setFileName(document.project.dialog, "f.obj");
  // Sanitizers may start a thread of their own with the first one, so runs are compared with
  // the first: a stage left running would add one each time.
  int threads = 0;
  for (int failing : {5, 9, 5}) {  // the second and sixth append of the object file
    fake.files.files.clear();
    fake.files.writes = 0;
    fake.files.failAtWrite = failing;
    model::clsRandom random(2);
    generation::clsCreation creation{fake.platform, random};
    EXPECT_EQ(modCreationRun::runCreation(document, creation).code, generation::RunStatus::AppendWriteFailed);
    EXPECT_TRUE(fake.files.files.empty());  // no file of the failed run, and no temporary one
    if (threads == 0) threads = threadCount();
    EXPECT_EQ(threadCount(), threads);
  }
}

// The .glb stage runs beside the generator too: the same seed gives the same bytes, where the
// run ends at the limit as well as where it ends whole.
TEST(PipelineGlb, SameSeedSameFileWholeOrAtTheLimit) {
  support::clsFieldRun run("pipeline-glb");
  ASSERT_TRUE(run.apply(kAllElements));
  run.document.session.format = generation::ObjectFormat::Glb;
  for (const int limitMB : {2000, 1}) {
    modCreateDialog::setDiskSpace(run.document.session, limitMB);
    const document::clsRunResult first = run.create(6);
    const std::string bytes = run.read("field.glb");
    EXPECT_EQ(run.create(6).code, first.code);
    EXPECT_TRUE(run.read("field.glb") == bytes) << limitMB;
    EXPECT_EQ(first.code, limitMB == 1 ? generation::RunStatus::LimitReached : generation::RunStatus::GoOn);
  }
}
