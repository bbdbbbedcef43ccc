#include "generation/obj_writer.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"

using namespace generation;

namespace {

class ObjWriter : public ::testing::Test {
 protected:
  // Starts a run in a new temporary file beside f.obj.
  RunStatus open(std::int64_t limitBytes, std::string_view header) {
    temporary = fake.files.createTemporary("f.obj");
    temporaryPath = "f.obj.tmp" + std::to_string(fake.files.temporaries);
    return writer.open(*temporary, limitBytes, header);
  }
  // The file being written.
  std::string file() const { return fake.files.files.at(temporaryPath); }

  fakes::FakePlatform fake;
  std::unique_ptr<platform::ITemporaryFile> temporary;
  std::string temporaryPath;
  bool cancel = false;
  clsObjWriter writer{{&fake.status, &fake.events, &cancel}};
  const std::string item = std::string(999, 'v') + "\n";  // 1000 characters
};

}  // namespace

TEST_F(ObjWriter, HeaderThenItemsInHalfMegabyteWrites) {
  ASSERT_EQ(open(2'000'000'000'000LL, "header\r\n"), RunStatus::GoOn);
  EXPECT_EQ(file(), "header\r\n");
  EXPECT_EQ(writer.fileBytes(), 8);
  const int writesAfterHeader = fake.files.writes;
  int items = 0;
  while (fake.files.writes == writesAfterHeader) {
    ASSERT_EQ(writer.writeItem(item, false), RunStatus::GoOn);
    ++items;
  }
  // The first write happens once more than 500000 characters waited, moved over in steps of 11 items.
  EXPECT_EQ(items, 506);
  EXPECT_EQ(file().size(), 8u + 506 * 1000);
  EXPECT_EQ(writer.fileBytes(), 8 + 506 * 1000);
  EXPECT_EQ(fake.events.calls, 506);
  ASSERT_EQ(writer.writeItem("last\n", false), RunStatus::GoOn);
  ASSERT_EQ(writer.finish(), RunStatus::GoOn);
  EXPECT_EQ(file().size(), 8u + 506 * 1000 + 5);
  EXPECT_EQ(file().substr(file().size() - 5), "last\n");
}

TEST_F(ObjWriter, LimitIsTestedAfterEachWrite) {
  ASSERT_EQ(open(1'000'000, "h\r\n"), RunStatus::GoOn);
  RunStatus code = RunStatus::GoOn;
  int items = 0;
  while (code == RunStatus::GoOn && items < 5000) {
    code = writer.writeItem(item, false);
    ++items;
  }
  EXPECT_EQ(code, RunStatus::LimitReached);
  EXPECT_EQ(items, 1012);  // the second write brings the file above 1000000 bytes
  EXPECT_GT(writer.fileBytes(), 1'000'000);
  EXPECT_EQ(file().size() % 1000, 3u);  // header and whole items only
}

TEST_F(ObjWriter, FileFailuresGiveTheirCodes) {
  struct clsCase {
    int failingWrite;  // counted from the header's write
    int items;         // written before finishing
    RunStatus code;
  };
  for (const clsCase c : {clsCase{1, 0, RunStatus::HeaderWriteFailed}, clsCase{2, 1000, RunStatus::AppendWriteFailed},
                          clsCase{2, 10, RunStatus::FinalWriteFailed}}) {
    fake.files.writes = 0;
    fake.files.failAtWrite = c.failingWrite;
    clsObjWriter fresh({&fake.status, &fake.events});
    const auto temporary = fake.files.createTemporary("f.obj");
    RunStatus code = fresh.open(*temporary, 1'000'000'000, "h");
    for (int i = 0; i < c.items && code == RunStatus::GoOn; ++i) code = fresh.writeItem(item, false);
    if (code == RunStatus::GoOn) code = fresh.finish();
    EXPECT_EQ(code, c.code);
  }
}

TEST_F(ObjWriter, ProgressLine) {
  ASSERT_EQ(open(1'000'000, ""), RunStatus::GoOn);
  writer.beginElement(1, 1000);
  writer.setItemNumber(301);
  for (int i = 0; i < 200; ++i) writer.writeItem(item, false);
  EXPECT_EQ(writer.progressLine(), "Quenmoor Grass - grass 1 - Blade 301 of 1000 - 30% - 0 MB (0.2)");
  EXPECT_TRUE(fake.status.titles.empty());
  writer.writeItem(item, true);
  EXPECT_EQ(fake.status.last(), writer.progressLine());
  writer.beginElement(9, 0);
  EXPECT_NE(writer.progressLine().find("rock 2 - Rock 301 of 0 - 100% - "), std::string::npos);
}
