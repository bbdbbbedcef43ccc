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

TEST(StdFileSystem, ATemporaryFileReplacesItsTargetOnlyWhenStillItself) {
  platform::StdFileSystem files;
  const auto folder = scratch();
  const std::string path = (folder / std::string(240, 'n')).string() + ".grass";  // a long name still fits
  ASSERT_EQ(files.writeFile(path, "old", false), platform::FileStatus::Ok);
  auto removed = files.createTemporary(path);
  ASSERT_NE(removed, nullptr) << files.lastError();
  auto whole = files.createTemporary(path);
  ASSERT_NE(whole, nullptr);
  std::vector<std::filesystem::path> temporaries;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.path().extension() == ".tmp") temporaries.push_back(entry.path());
  ASSERT_EQ(temporaries.size(), 2u);
  // One is removed and made anew under its name: it must not be put in place.
  std::filesystem::remove(temporaries[0]);
  std::filesystem::remove(temporaries[1]);
  ASSERT_EQ(files.writeFile(temporaries[0].string(), "", false), platform::FileStatus::Ok);
  ASSERT_EQ(files.writeFile(temporaries[1].string(), "", false), platform::FileStatus::Ok);
  EXPECT_EQ(removed->append("new"), platform::FileStatus::Ok);
  EXPECT_EQ(removed->ready(false), platform::FileStatus::WriteFailed);
  EXPECT_NE(files.lastError().find("was removed or replaced"), std::string::npos);
  std::string text;
  ASSERT_EQ(files.readFile(path, text), platform::FileStatus::Ok);
  EXPECT_EQ(text, "old");
  // A run on the same name removes what ended runs left; other names' files stay.
  ASSERT_EQ(files.writeFile((folder / ".other.tmp").string(), "", false), platform::FileStatus::Ok);
  files.removeLeftovers(path);
  std::size_t left = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) left += entry.path().extension() == ".tmp";
  EXPECT_EQ(left, 1u);
}

TEST(StdFileSystem, TargetsAreCheckedAndBaseNamesLocked) {
  platform::StdFileSystem files;
  const auto folder = scratch();
  std::filesystem::create_directory(folder / "f.obj");
  EXPECT_FALSE(files.checkTarget((folder / "f.obj").string()));
  EXPECT_EQ(files.lastError(), (folder / "f.obj").string() + " is a folder.");
  EXPECT_FALSE(files.checkTarget((folder / "missing/f.obj").string()));
  EXPECT_EQ(files.lastError(), "The folder " + (folder / "missing/").string() + " does not exist.");
  EXPECT_TRUE(files.checkTarget((folder / "g.obj").string()));
  EXPECT_TRUE(files.isFolder((folder / "f.obj").string()));
  // A folder that cannot take the temporary file is named, not the file.
  const std::string notFolder = (folder / "plain").string();
  ASSERT_EQ(files.writeFile(notFolder, "", false), platform::FileStatus::Ok);
  EXPECT_EQ(files.createTemporary(notFolder + "/x.mtl"), nullptr);
  EXPECT_EQ(files.lastError(), "the folder " + notFolder + "/ does not take a new file: Not a directory");

  bool busy = true;
  const std::string stem = (folder / "g").string();
  auto first = files.lockBaseName(stem, busy);
  ASSERT_NE(first, nullptr);
  EXPECT_FALSE(busy);
  EXPECT_EQ(files.lockBaseName(stem, busy), nullptr);
  EXPECT_TRUE(busy);
  EXPECT_NE(files.lockBaseName((folder / "h").string(), busy), nullptr);
  first.reset();
  EXPECT_NE(files.lockBaseName(stem, busy), nullptr);
  EXPECT_FALSE(busy);
}
