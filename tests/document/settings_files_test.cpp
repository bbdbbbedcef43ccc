#include "document/settings_files.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"
#include "document/startup.h"
#include "model/settings_text.h"
#include "model/text_fields.h"

using namespace generation;
using namespace document;
using namespace modSettingsFiles;
using namespace std::string_literals;

namespace {

class SettingsFiles : public ::testing::Test {
 protected:
  SettingsFiles() {
    modStartup::startDocument(document, fake.platform);
    resetSettings(document, fake.platform);
  }
  fakes::FakePlatform fake;
  clsDocument document{fake.platform};
};

}  // namespace

// The default text itself is pinned by tests/golden/field.grass.
TEST_F(SettingsFiles, DefaultSettingsUndoEveryChange) {
  const std::string defaults = settingsText(document);
  modUsage::setUse(document.project.store, 4, 1);
  modUsage::setName(document.project.store, 1, "renamed");
  modStore::setActiveElement(document.project.store, 6);
  modSizeRot::setLean(document.project.store, 2, 99, true);
  resetSettings(document, fake.platform);
  EXPECT_EQ(fake.status.last(), "Quenmoor Grass - Reset settings done");
  EXPECT_EQ(settingsText(document), defaults);
  EXPECT_EQ(document.project.store.activeElement, 1);
  EXPECT_EQ(modUsage::name(document.project.store, 1), "grass 1");
  EXPECT_TRUE(document.project.dialog.note.empty());
}

TEST_F(SettingsFiles, SaveAndOpenComeBackByteForByte) {
  modUsage::setName(document.project.store, 3, "tall grass");
  modUsage::setUse(document.project.store, 3, 1);
  modCreateDialog::setFileName(document.project.dialog, "/home/me/My Files/big field");
  modCreateDialog::setNote(document.project.dialog, "first line of note\r\nsecond line");
  ASSERT_TRUE(saveSettingsFile(document, "/home/me/", "big", fake.platform));
  EXPECT_EQ(fake.status.last(), "Quenmoor Grass - Save settings done");
  const std::string saved = fake.files.files.at("/home/me/big.grass");
  EXPECT_NE(saved.find("Usage 3 1 tall<sp>grass\r\n"), std::string::npos);
  EXPECT_NE(saved.find("File_Name_Obj /home/me/My<sp>Files/big_field.obj\r\n"), std::string::npos);

  clsDocument other{fake.platform};
  resetSettings(other, fake.platform);
  modStore::setActiveElement(other.project.store, 5);
  ASSERT_EQ(openSettings(other, "/home/me/big.grass", fake.platform), OpenResult::Opened);
  EXPECT_EQ(fake.status.last(), "Quenmoor Grass - Open settings done");
  EXPECT_EQ(settingsText(other), saved);
  EXPECT_EQ(other.project.store.activeElement, 1);
}

// Whatever the note says, the saved text opens again with the same note and values; files
// written before note lines were marked open as they always did.
TEST_F(SettingsFiles, EveryNoteComesBackFromTheSavedFile) {
  std::vector<std::string> notes = {"", "Curve tweaked by hand\r\nUsage notes for the client", "one", "\r\ngap\r\n\r\nx y\r\n",
                                    "<note> marked by hand", " Curve with a leading blank"};
  for (std::string_view keyword : modSettings::kRecordKeywords) {
    std::string word(keyword);
    notes.push_back(word + " 1 2 3 tweaked");
    for (char& c : word) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    notes.push_back("first line\r\n" + word);
  }
  modUsage::setName(document.project.store, 2, "kept");
  for (const std::string& note : notes) {
    modCreateDialog::setNote(document.project.dialog, note);
    ASSERT_TRUE(saveSettingsFile(document, "/n/", "noted", fake.platform));
    const std::string saved = fake.files.files.at("/n/noted.grass");
    clsDocument other{fake.platform};
    ASSERT_EQ(openSettings(other, "/n/noted.grass", fake.platform), OpenResult::Opened) << note;
    EXPECT_EQ(other.project.dialog.note, note);
    EXPECT_EQ(settingsText(other), saved) << note;
  }
  // An old file: a plain note line before the records, and one that reads as a record.
  fake.files.files["old.grass"] = "Grown in spring\r\n\r\nUsage 2 1 old\r\n";
  ASSERT_EQ(openSettings(document, "old.grass", fake.platform), OpenResult::Opened);
  EXPECT_EQ(document.project.dialog.note, "Grown in spring");
  EXPECT_EQ(modUsage::name(document.project.store, 2), "old");
}

// A note given with LF or CR line breaks (a command line, another system's clipboard): every line
// takes the marker rule, and the file holds CR LF only.
TEST_F(SettingsFiles, NotesWithAnyLineBreaksComeBackAsNotes) {
  int cases = 0;
  for (const std::string lineBreak : {"\n", "\r", "\r\n"}) {
    for (const std::string& lines : std::vector<std::string>{"a|Curve 1", "my field|Usage 3 1 hijacked|x",
                                                             "|gap||Seed 5", "\xEF\xBB\xBFUsage 4 1 bom|end"}) {
      ++cases;
      const std::string given = modText::replaceAll(lines, "|", lineBreak);
      modCreateDialog::setNote(document.project.dialog, given);
      ASSERT_TRUE(saveSettingsFile(document, "/n/", "noted", fake.platform));
      const std::string saved = fake.files.files.at("/n/noted.grass");
      EXPECT_EQ(modText::withLineBreaks(saved), saved) << "a lone CR or LF in " << given;
      clsDocument other{fake.platform};
      ASSERT_EQ(openSettings(other, "/n/noted.grass", fake.platform), OpenResult::Opened) << given;
      const std::string expected = modText::replaceAll(lines, "|", "\r\n");
      EXPECT_EQ(other.project.dialog.note, expected);
      EXPECT_EQ(settingsText(other), saved) << given;
      for (int element : {3, 4}) EXPECT_FALSE(modUsage::inUse(other.project.store, element)) << given;
      EXPECT_FALSE(other.project.dialog.layoutSeed.has_value()) << given;
    }
  }
  EXPECT_EQ(cases, 12);
}

// Program files and pictures hold zero bytes: no part of them becomes the design or its note.
TEST_F(SettingsFiles, ATextWithAZeroByteIsRefusedAndChangesNothing) {
  modUsage::setName(document.project.store, 2, "my work");
  const std::string before = settingsText(document);
  fake.files.files["ls"] = "\x7F" "ELF\x02\x01\x01\0\0\0\r\nUsage 2 1 x\r\n"s;
  EXPECT_EQ(openSettings(document, "ls", fake.platform), OpenResult::TextFailed);
  EXPECT_EQ(fake.messages.shown.back(), kNotSettingsTextMessage);
  EXPECT_EQ(fake.status.last(), "Quenmoor Grass - Open settings failed");
  fake.clipboard.content = "Usage 2 1 pasted\0"s;
  EXPECT_FALSE(pasteSettings(document, fake.platform));
  EXPECT_EQ(fake.status.last(), "Quenmoor Grass - Paste failed");
  EXPECT_EQ(settingsText(document), before);
  EXPECT_EQ(fake.messages.shown.size(), 2u);
  // A zero byte typed into the note never reaches the file.
  modCreateDialog::setNote(document.project.dialog, "a\0b"s);
  EXPECT_EQ(document.project.dialog.note, "ab");
}

TEST_F(SettingsFiles, AMalformedFileChangesNothing) {
  modUsage::setName(document.project.store, 2, "my work");
  modCreateDialog::setFileName(document.project.dialog, "keep.obj");
  modCreateDialog::setNote(document.project.dialog, "my note");
  modStore::setActiveElement(document.project.store, 4);
  const std::string before = settingsText(document);
  fake.files.files["bad.grass"] = "Usage 5 1 five\r\nFile_Name_Obj other\r\nUsage 1\r\n";
  EXPECT_EQ(openSettings(document, "bad.grass", fake.platform), OpenResult::TextFailed);
  EXPECT_EQ(fake.messages.shown.back(), "An error occurred in the settings file:\n\nLine 3 at \"usage\".");
  EXPECT_EQ(fake.status.last(), "Quenmoor Grass - Open settings failed");
  EXPECT_EQ(settingsText(document), before);
  EXPECT_EQ(document.project.store.activeElement, 4);

  fake.clipboard.content = "File_Name_Obj";
  EXPECT_FALSE(pasteSettings(document, fake.platform));
  EXPECT_EQ(settingsText(document), before);
}

TEST_F(SettingsFiles, FileErrorsAreReportedAndKeepTheOldFile) {
  // The system's reason stands where the program would otherwise say it does not know one.
  const std::string kUnknown = "\n";
  EXPECT_EQ(openSettings(document, "missing.grass", fake.platform), OpenResult::FileFailed);
  EXPECT_EQ(fake.messages.shown.back(), "An error occurred while opening the settings file." + kUnknown +
                                            "missing.grass: No such file or directory");
  fake.files.files["locked.grass"] = "x";
  fake.files.unreadable.insert("locked.grass");
  EXPECT_EQ(openSettings(document, "locked.grass", fake.platform), OpenResult::FileFailed);
  EXPECT_EQ(fake.messages.shown.back(),
            "An error occurred while reading the settings." + kUnknown + "locked.grass: Input/output error");
  fake.files.files["full.grass"] = "old settings";
  fake.files.capacity = fake.files.usedBytes() + 10;
  EXPECT_FALSE(saveSettingsFile(document, "", "full", fake.platform));
  EXPECT_EQ(fake.messages.shown.back(),
            "An error occurred while writing the settings file." + kUnknown + "full.grass: No space left on device");
  EXPECT_EQ(fake.status.last(), "Quenmoor Grass - Save settings failed");
  EXPECT_EQ(fake.files.files.at("full.grass"), "old settings");
  EXPECT_EQ(fake.files.files.size(), 2u);
  fake.files.error.clear();  // no reason from the system: the program says it does not know one
  EXPECT_EQ(platform::failureText("Saving failed.", "x.grass", fake.files),
            "Saving failed.\nThe application doesn't know what the error is about.\nx.grass");
}

TEST_F(SettingsFiles, AByteOrderMarkIsNoPartOfTheFirstRecord) {
  fake.files.files["bom.grass"] = "\xEF\xBB\xBFUsage 2 1 tall\r\n";
  ASSERT_EQ(openSettings(document, "bom.grass", fake.platform), OpenResult::Opened);
  EXPECT_TRUE(modUsage::inUse(document.project.store, 2));
  EXPECT_EQ(document.project.dialog.note, "");
}

// Letters beyond ASCII: a one-byte file opens with its letters, Copy gives them to the (Unicode)
// clipboard, and Save writes the one-byte form again (the encodings themselves: TextEncoding).
TEST_F(SettingsFiles, LettersBeyondAsciiOpenCopyAndSaveAsTheyAre) {
  fake.files.files["wiese.grass"] = "Usage 2 1 Wiese<sp>\xE4\xF6\r\n";
  ASSERT_EQ(openSettings(document, "wiese.grass", fake.platform), OpenResult::Opened);
  EXPECT_EQ(modUsage::name(document.project.store, 2), "Wiese \xC3\xA4\xC3\xB6");
  copySettings(document, fake.platform);
  EXPECT_NE(fake.clipboard.content.find("Usage 2 1 Wiese<sp>\xC3\xA4\xC3\xB6\r\n"), std::string::npos);
  ASSERT_TRUE(saveSettingsFile(document, "/", "again", fake.platform));
  EXPECT_NE(fake.files.files.at("/again.grass").find("Usage 2 1 Wiese<sp>\xE4\xF6\r\n"), std::string::npos);
}

TEST_F(SettingsFiles, CopyAndPaste) {
  modUsage::setUse(document.project.store, 9, 1);
  copySettings(document, fake.platform);
  EXPECT_EQ(fake.status.last(), "Quenmoor Grass - Copy done");
  EXPECT_EQ(fake.clipboard.content, settingsText(document));

  clsDocument other{fake.platform};
  ASSERT_TRUE(pasteSettings(other, fake.platform));
  EXPECT_EQ(fake.status.last(), "Quenmoor Grass - Paste done");
  EXPECT_TRUE(modUsage::inUse(other.project.store, 9));

  // Prose resets everything and becomes the note.
  fake.clipboard.content = "Dear diary, today I made grass.";
  ASSERT_TRUE(pasteSettings(other, fake.platform));
  EXPECT_FALSE(modUsage::inUse(other.project.store, 9));
  EXPECT_EQ(other.project.dialog.note, "Dear diary, today I made grass.");
}

TEST(CreateDialog, DiskSpaceLimit) {
  clsSessionValues dialog;
  modCreateDialog::setDiskSpace(dialog, std::string("2.5"));
  EXPECT_EQ(dialog.diskLimitMB, 2);
  modCreateDialog::setDiskSpace(dialog, std::string(""));
  EXPECT_EQ(dialog.diskLimitMB, 1);
  modCreateDialog::setDiskSpace(dialog, 5000);
  EXPECT_EQ(dialog.diskLimitMB, 2000);
}
