#include "generation/obj_writer.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"

using namespace generation;
using namespace modWriting;

namespace {

class ObjWriter : public ::testing::Test {
 protected:
  ObjWriter() { writer.services = {&fake.files, &fake.status, &fake.events}; }
  // The file being written: a temporary one until the run ends.
  std::string file() const { return fake.files.files.at(writer.path.empty() ? "f.obj" : writer.path); }

  fakes::FakePlatform fake;
  clsObjWriter writer;
  const std::string item = std::string(999, 'v') + "\n";  // 1000 characters
};

}  // namespace

TEST_F(ObjWriter, HeaderThenItemsInHalfMegabyteWrites) {
  ASSERT_EQ(openWriter(writer, "f.obj", 2'000'000'000'000LL, "Blade", "header\r\n"), status::kGoOn);
  EXPECT_EQ(file(), "header\r\n");
  EXPECT_EQ(writer.fileBytes, 8);
  const int writesAfterHeader = fake.files.writes;
  int items = 0;
  while (fake.files.writes == writesAfterHeader) {
    ASSERT_EQ(writeItem(writer, item, false), status::kGoOn);
    ++items;
  }
  // The first write happens once more than 500000 characters waited, moved over in steps of 11 items.
  EXPECT_EQ(items, 506);
  EXPECT_EQ(file().size(), 8u + 506 * 1000);
  EXPECT_EQ(writer.fileBytes, 8 + 506 * 1000);
  EXPECT_EQ(fake.events.calls, 506);
  ASSERT_EQ(writeItem(writer, "last\n", false), status::kGoOn);
  ASSERT_EQ(finishWriter(writer), status::kGoOn);
  EXPECT_EQ(file().size(), 8u + 506 * 1000 + 5);
  EXPECT_EQ(file().substr(file().size() - 5), "last\n");
}

TEST_F(ObjWriter, LimitIsTestedAfterEachWrite) {
  ASSERT_EQ(openWriter(writer, "f.obj", 1'000'000, "Blade", "h\r\n"), status::kGoOn);
  int code = status::kGoOn;
  int items = 0;
  while (code == status::kGoOn && items < 5000) {
    code = writeItem(writer, item, false);
    ++items;
  }
  EXPECT_EQ(code, status::kLimitReached);
  EXPECT_EQ(items, 1012);  // the second write brings the file above 1000000 bytes
  EXPECT_GT(writer.fileBytes, 1'000'000);
  EXPECT_EQ(file().size() % 1000, 3u);  // header and whole items only
}

TEST_F(ObjWriter, CancelIsReportedByTheNextItem) {
  ASSERT_EQ(openWriter(writer, "f.obj", 1'000'000, "Blade", "h\r\n"), status::kGoOn);
  EXPECT_EQ(writeItem(writer, item, false), status::kGoOn);
  fake.events.onEvents = [this] { requestCancel(writer); };
  EXPECT_EQ(writeItem(writer, item, false), status::kCancelled);
  // A new run starts uncancelled.
  ASSERT_EQ(openWriter(writer, "f.obj", 1'000'000, "Blade", "h\r\n"), status::kGoOn);
  EXPECT_FALSE(writer.cancelRequested);
  EXPECT_EQ(writer.buffer.size(), 0u);
}

TEST_F(ObjWriter, FileFailuresGiveTheirCodesAndKeepTheOldFile) {
  fake.files.files["f.obj"] = "old field";
  fake.files.refuseOpen.insert("f.obj");
  EXPECT_EQ(openWriter(writer, "f.obj", 1'000'000, "Blade", "h"), status::kHeaderOpenFailed);
  fake.files.refuseOpen.clear();

  struct clsCase {
    int failingWrite;  // counted from the header's write
    int items;         // written before finishing
    int code;
  };
  for (const clsCase c : {clsCase{1, 0, status::kHeaderWriteFailed}, clsCase{2, 1000, status::kAppendWriteFailed},
                          clsCase{2, 10, status::kFinalWriteFailed}}) {
    fake.files.writes = 0;
    fake.files.failAtWrite = c.failingWrite;
    int code = openWriter(writer, "f.obj", 1'000'000'000, "Blade", "h");
    for (int i = 0; i < c.items && code == status::kGoOn; ++i) code = writeItem(writer, item, false);
    if (code == status::kGoOn) code = finishWriter(writer);
    EXPECT_EQ(closeWriter(writer, code), c.code);
    EXPECT_EQ(fake.files.files, (std::map<std::string, std::string>{{"f.obj", "old field"}})) << c.code;
  }
  fake.files.failAtWrite = 0;

  // The append codes when the file cannot be opened again.
  ASSERT_EQ(openWriter(writer, "f.obj", 1'000'000, "Blade", "h"), status::kGoOn);
  ASSERT_EQ(writeItem(writer, item, false), status::kGoOn);
  fake.files.refuseOpen.insert(writer.path);
  EXPECT_EQ(finishWriter(writer), status::kFinalOpenFailed);
  int code = status::kGoOn;
  while (code == status::kGoOn) code = writeItem(writer, item, false);
  EXPECT_EQ(code, status::kAppendOpenFailed);
  fake.files.refuseOpen.clear();
  EXPECT_EQ(closeWriter(writer, code), status::kAppendOpenFailed);
  EXPECT_EQ(fake.files.files.at("f.obj"), "old field");
}

TEST_F(ObjWriter, AWholeRunReplacesTheOldFileEvenWhenStopped) {
  fake.files.files["f.obj"] = "old field";
  ASSERT_EQ(openWriter(writer, "f.obj", 1'000'000, "Blade", "h\r\n"), status::kGoOn);
  EXPECT_EQ(fake.files.files.at("f.obj"), "old field");  // untouched while the run goes on
  int code = status::kGoOn;
  while (code == status::kGoOn) code = writeItem(writer, item, false);
  ASSERT_EQ(code, status::kLimitReached);
  const std::string written = file();
  EXPECT_EQ(writer.itemsInFile, static_cast<std::int64_t>(written.size() - 3) / 1000);
  EXPECT_EQ(closeWriter(writer, code), status::kLimitReached);
  EXPECT_EQ(fake.files.files, (std::map<std::string, std::string>{{"f.obj", written}}));
}

TEST_F(ObjWriter, ProgressLine) {
  ASSERT_EQ(openWriter(writer, "f.obj", 1'000'000, "grass 1 - Blade", ""), status::kGoOn);
  writer.itemCount = 1000;
  writer.itemNumber = 301;
  for (int i = 0; i < 200; ++i) writeItem(writer, item, false);
  EXPECT_EQ(progressLine(writer), "Quenmoor Grass - grass 1 - Blade 301 of 1000 - 30% - 0 MB (0.2)");
  EXPECT_TRUE(fake.status.titles.empty());
  writeItem(writer, item, true);
  EXPECT_EQ(fake.status.last(), progressLine(writer));
  writer.itemCount = 0;
  EXPECT_NE(progressLine(writer).find(" 301 of 0 - 100% - "), std::string::npos);
}
