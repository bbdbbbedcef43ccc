#include "platform/native/std_file_system.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/resource.h>
#include <unistd.h>

// Each test in a folder of its own, emptied first.
class StdFileSystem : public ::testing::Test {
 protected:
  platform::StdFileSystem files;
  const std::filesystem::path folder = [] {
    const ::testing::UnitTest* test = ::testing::UnitTest::GetInstance();
    const auto path = std::filesystem::temp_directory_path() / ("quenmoor-fs-" + std::to_string(test->random_seed()) +
                                                                "-" + test->current_test_info()->name());
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
    return path;
  }();
};

TEST_F(StdFileSystem, WritesAppendsAndReadsBytesAsTheyAre) {
  const std::string path = (folder / "a.txt").string();
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

TEST_F(StdFileSystem, FailuresAreReportedNotThrown) {
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

TEST_F(StdFileSystem, ATemporaryFileReplacesItsTargetOnlyWhenStillItself) {
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

TEST_F(StdFileSystem, TargetsAreCheckedAndBaseNamesLocked) {
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

TEST_F(StdFileSystem, ACommitKeepsTheOldFileAsideUntilTheFileGoes) {
  const std::string path = (folder / "f.mtl").string();
  const auto commitNew = [&] {
    auto file = files.createTemporary(path);
    EXPECT_EQ(file->append("new"), platform::FileStatus::Ok);
    EXPECT_EQ(file->commit(), platform::FileStatus::Ok);
    return file;
  };
  std::string text;
  commitNew()->restore();  // no old file: the new one goes again
  EXPECT_FALSE(std::filesystem::exists(path));
  ASSERT_EQ(files.writeFile(path, "old", false), platform::FileStatus::Ok);
  {
    auto file = commitNew();
    ASSERT_EQ(files.readFile(path, text), platform::FileStatus::Ok);
    EXPECT_EQ(text, "new");
    EXPECT_EQ(file->restore(), platform::FileStatus::Ok);
  }
  ASSERT_EQ(files.readFile(path, text), platform::FileStatus::Ok);
  EXPECT_EQ(text, "old");
  commitNew();
  ASSERT_EQ(files.readFile(path, text), platform::FileStatus::Ok);
  EXPECT_EQ(text, "new");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 1);
}

TEST_F(StdFileSystem, OutOfDescriptorsIsToldAsThatNotAsTheFolder) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "the sanitizers' own checks need free descriptors: with none they report false faults";
#endif
  rlimit old {};
  ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &old), 0);
  rlimit few = old;
  few.rlim_cur = 64;
  ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &few), 0);
  std::vector<int> taken;
  for (int fd = ::dup(0); fd >= 0; fd = ::dup(0)) taken.push_back(fd);
  const auto file = files.createTemporary((folder / "f.obj").string());
  const std::string error = files.lastError();
  for (const int fd : taken) ::close(fd);
  ::setrlimit(RLIMIT_NOFILE, &old);
  EXPECT_EQ(file, nullptr);
  EXPECT_EQ(error, "no further file can be opened now: Too many open files");
}
