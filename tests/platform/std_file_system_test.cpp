#include "platform/native/std_file_system.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::filesystem::path scratch() {
  const auto folder = std::filesystem::temp_directory_path() /
                      ("quenmoor-fs-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder;
}

}  // namespace

TEST(StdFileSystem, WritesAppendsAndReadsBytesAsTheyAre) {
  platform::StdFileSystem files;
  const std::string path = (scratch() / "a.txt").string();
  EXPECT_FALSE(files.exists(path));
  ASSERT_EQ(files.writeFile(path, "one\r\n", false), platform::FileStatus::Ok);
  ASSERT_EQ(files.writeFile(path, std::string("t\0o\r\n", 5), true), platform::FileStatus::Ok);
  std::string text;
  ASSERT_EQ(files.readFile(path, text), platform::FileStatus::Ok);
  EXPECT_EQ(text, std::string("one\r\nt\0o\r\n", 10));
  EXPECT_EQ(files.fileLength(path), 10);
  EXPECT_TRUE(files.exists(path));
  ASSERT_EQ(files.writeFile(path, "x", false), platform::FileStatus::Ok);
  EXPECT_EQ(files.fileLength(path), 1);
}

TEST(StdFileSystem, FailuresAreReportedNotThrown) {
  platform::StdFileSystem files;
  const auto folder = scratch();
  std::string text;
  EXPECT_EQ(files.writeFile((folder / "no/such/dir/x").string(), "x", false), platform::FileStatus::OpenFailed);
  EXPECT_EQ(files.readFile((folder / "missing").string(), text), platform::FileStatus::OpenFailed);
  EXPECT_EQ(files.readFile(folder.string(), text), platform::FileStatus::OpenFailed);  // a folder is no file
  EXPECT_FALSE(files.exists(folder.string()));
  EXPECT_EQ(files.fileLength((folder / "missing").string()), std::nullopt);
  // A full disk shows when the data is flushed.
  if (std::filesystem::exists("/dev/full")) {
    EXPECT_EQ(files.writeFile("/dev/full", std::string(100000, 'x'), true), platform::FileStatus::WriteFailed);
  }
}
