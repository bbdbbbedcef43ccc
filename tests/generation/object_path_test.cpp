#include "generation/object_path.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"
#include "generation/file_name_check.h"

using namespace modObjectPath;
using modFileNameCheck::checkFileName;

TEST(ObjectPath, Normalisation) {
  EXPECT_EQ(normalizeObjectPath("My Grass.OBJ"), "My_Grass.obj");
  EXPECT_EQ(normalizeObjectPath("a.obj.obj"), "a.obj");
  EXPECT_EQ(normalizeObjectPath("c:\\out\\my grass"), "c:\\out\\my_grass.obj");
  EXPECT_EQ(normalizeObjectPath(""), "");
  EXPECT_EQ(normalizeObjectPath(".obj"), "");
  // What the settings text reads back is what it saved.
  EXPECT_EQ(normalizeObjectPath("<.objsp>7"), "_7.obj");
  EXPECT_EQ(normalizeObjectPath("..objobj"), "");
  // Blanks in the folder stay: the folder must still exist after normalising.
  EXPECT_EQ(normalizeObjectPath("c:\\My Files\\x"), "c:\\My Files\\x.obj");
  EXPECT_EQ(normalizeObjectPath("/home/me/My Files/big field.obj"), "/home/me/My Files/big_field.obj");
  // Control characters would split the lines that carry the name.
  EXPECT_EQ(normalizeObjectPath("out/new\nline\r\tx\x7f.obj"), "out/new_line__x_.obj");
  EXPECT_EQ(normalizeObjectPath("o\nut/a"), "o_ut/a.obj");
}

TEST(ObjectPath, SplitAndBaseName) {
  const clsSplitPath windows = splitObjectPath("C:\\grass\\grass.obj");
  EXPECT_EQ(windows.folder, "C:\\grass\\");
  EXPECT_EQ(windows.fileName, "grass.obj");
  EXPECT_EQ(baseName(windows.fileName), "grass");
  const clsSplitPath plain = splitObjectPath("field.obj");
  EXPECT_EQ(plain.folder, "");
  EXPECT_EQ(baseName(plain.fileName), "field");
  EXPECT_EQ(splitObjectPath("out/sub/x.obj").folder, "out/sub/");
}

TEST(FileNameCheck, RefusesMissingNamesAndSystemFolders) {
  fakes::FakeMessages messages;
  fakes::FakeFileSystem files;
  for (const char* path : {"", ".obj", "out/.obj"}) {
    EXPECT_FALSE(checkFileName(path, ".obj", messages, files).passed) << path;
    EXPECT_EQ(messages.shown.back(), "Please enter a file name (which ends with .obj).");
  }
  for (const char* path : {"C:\\WINDOWS\\x.obj", "c:\\winnt\\system32\\x.obj", "/usr/share/x.obj", "/etc/x.obj",
                           "/bin/x.obj", "/home/../sys/x.obj", "/proc/x.obj", "/boot/x.obj", "/dev/x.obj"}) {
    const auto check = checkFileName(path, ".grass", messages, files);
    EXPECT_FALSE(check.passed) << path;
    EXPECT_TRUE(check.baseName.empty());
    EXPECT_EQ(messages.shown.back(), "You cannot write objects to system folders.");
  }
  EXPECT_TRUE(checkFileName("/home/usr/x.obj", ".obj", messages, files).passed);
  EXPECT_TRUE(checkFileName("/tmp/library/x.obj", ".obj", messages, files).passed);
  EXPECT_TRUE(messages.asked.empty());
}

TEST(FileNameCheck, AsksBeforeOverwriting) {
  fakes::FakeMessages messages;
  fakes::FakeFileSystem files;
  files.files["out/field.grass"] = "old";
  const auto fresh = checkFileName("out/field.obj", ".obj", messages, files);
  EXPECT_TRUE(fresh.passed);
  EXPECT_EQ(fresh.folder, "out/");
  EXPECT_EQ(fresh.baseName, "field");
  EXPECT_TRUE(messages.asked.empty());

  messages.answer = false;
  EXPECT_FALSE(checkFileName("out/field.obj", ".grass", messages, files).passed);
  ASSERT_EQ(messages.asked.size(), 1u);
  EXPECT_EQ(messages.asked[0],
            "A file with the same name (field.grass) already exists.\nDo you want to overwrite the existing file?");
  messages.answer = true;
  EXPECT_TRUE(checkFileName("out/field.obj", ".grass", messages, files).passed);
}
