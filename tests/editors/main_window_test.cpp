// The main window, the element list and the create dialog as their models see them: start-up,
// the element shown, renaming, the boxes, Undo and Redo, the Min and Max views.

#include <gtest/gtest.h>

#include "document/settings_files.h"
#include "editors/autosave.h"
#include "editors/frm_create.h"
#include "editors/frm_element.h"
#include "editors/frm_main.h"
#include "fakes/fake_platform.h"
#include "model/usage_records.h"

using namespace editors;

namespace {

// An editor page that remembers what the main window asked of it.
struct clsPage final : clsEditorModel {
  void setActiveElement(int element) override { shown.push_back(element); }
  std::vector<int> shown;
};

class MainWindow : public ::testing::Test {
 protected:
  MainWindow() {
    elementList.attach(main);
    createDialog.attach(main);
  }
  // The design without its layout (a pasted text without a seed gets a fresh one).
  std::string settings() {
    const std::string text = modSettingsFiles::settingsText(session.document);
    return text.substr(0, text.find("Seed "));
  }

  fakes::FakePlatform fake;
  fakes::FakeDialogs dialogs;
  clsSession session{fake.platform, dialogs.dialogs, 1};
  std::array<clsPage, 6> editors;
  frmElement elementList{session};
  frmCreate createDialog{session};
  frmMain main{session,
               {&editors[0], &editors[1], &editors[2], &editors[3], &editors[4], &editors[5], &createDialog},
               elementList};
};

}  // namespace

TEST_F(MainWindow, StartsOnTheCurveTabWithElementOne) {
  EXPECT_EQ(main.activeTab(), 0);
  EXPECT_EQ(elementList.activeElement(), 1);
  EXPECT_EQ(fake.status.last(), "Quenmoor Grass");
  EXPECT_EQ(editors[0].shown, std::vector<int>{1});
  for (const auto& [value, element] : std::vector<std::pair<model::tValue, int>>{{0, 1}, {99, 11}, {std::string("abc"), 1}}) {
    main.setActiveElementFrom(value);
    EXPECT_EQ(elementList.activeElement(), element);
  }
  main.selectTab(kCreateTab);
  EXPECT_EQ(editors[0].shown.size(), 4u);  // the create tab shows no element: nobody was asked
  for (int tab = 1; tab < 6; ++tab) EXPECT_TRUE(editors[static_cast<std::size_t>(tab)].shown.empty());
  main.selectTab(3);
  EXPECT_EQ(editors[3].shown, std::vector<int>{1});
}

TEST_F(MainWindow, ElementListRenamesAndKeepsTheLengthAboveZero) {
  dialogs.text = "tall grass";
  elementList.rename(3);
  EXPECT_EQ(dialogs.textCaptions, std::vector<std::string>{"Enter grass name"});
  EXPECT_EQ(elementList.name(3), "tall grass");
  EXPECT_NE(settings().find("Usage 3 0 tall<sp>grass\r\n"), std::string::npos);
  dialogs.text = "";
  elementList.rename(3);
  EXPECT_EQ(elementList.name(3), "tall grass");
  elementList.applyLength("0");
  EXPECT_FLOAT_EQ(session.store().grassLength, 0.0000001f);
  EXPECT_EQ(elementList.lengthText(), "0.0000001");
}

TEST_F(MainWindow, CreateDialogBoxes) {
  createDialog.typeDiskSpace("2.5");
  EXPECT_EQ(createDialog.diskSpaceText(), "2.5");
  EXPECT_EQ(session.document.session.diskLimitMB, 2);
  createDialog.typeDiskSpace("");
  EXPECT_EQ(createDialog.diskSpaceText(), "1");
  createDialog.typeDiskSpace("5000");
  EXPECT_EQ(createDialog.diskSpaceText(), "2000");
  createDialog.applyFileName("c:\\out\\my grass");
  EXPECT_EQ(createDialog.fileNameText(), "c:\\out\\my_grass.obj");
  createDialog.help();
  EXPECT_EQ(fake.messages.shown.back().rfind("Help: When you downloaded this application, several help files", 0), 0u);
}

TEST_F(MainWindow, UndoAndRedoEveryKindOfEdit) {
  const std::string start = settings();
  dialogs.text = "tall";
  elementList.rename(3);
  const std::string renamed = settings();
  elementList.applyLength("2.5");
  const std::string longer = settings();
  fake.clipboard.content = "Usage 5 1 pasted\r\n";
  ASSERT_TRUE(createDialog.pasteSettings());
  const std::string pasted = settings();
  createDialog.defaultSettings();
  EXPECT_EQ(settings(), start);
  elementList.applyLength("2.5");
  elementList.applyLength("2.5");  // no change: no step
  ASSERT_TRUE(session.undo());     // the length typed after the reset
  EXPECT_EQ(settings(), start);
  for (const std::string* expected : {&pasted, &longer, &renamed, &start}) {
    ASSERT_TRUE(session.undo());
    EXPECT_EQ(settings(), *expected);
  }
  EXPECT_EQ(fake.status.last(), "Quenmoor Grass - Undo done");
  EXPECT_FALSE(session.undo());
  for (const std::string* expected : {&renamed, &longer}) {
    ASSERT_TRUE(session.redo());
    EXPECT_EQ(settings(), *expected);
  }
  EXPECT_EQ(fake.status.last(), "Quenmoor Grass - Redo done");
  fake.clipboard.content = "Usage 1\r\n";
  EXPECT_FALSE(createDialog.pasteSettings());
  EXPECT_EQ(fake.status.last(), "Quenmoor Grass - Paste failed");
  EXPECT_EQ(settings(), longer);
}

TEST_F(MainWindow, MaxTwiceIsMaxOnceAndMinRestoresTheStart) {
  const clsGeometry design{100, 80, 640, 360};
  main.recordDesign(design);
  const clsGeometry once = main.maxGeometry(design, 1920, 1080);
  EXPECT_EQ(once.width, 1824);
  EXPECT_EQ(once.height, 1026);
  EXPECT_EQ(once.left, (1920 - 1824) / 2);
  EXPECT_EQ(main.maxGeometry(once, 1920, 1080), once);
  EXPECT_EQ(main.minGeometry(1920, 1080), (clsGeometry{640, 360, 640, 360}));
}

TEST_F(MainWindow, TheFormatChoiceNamesTheFileAndIsRememberedButNotUndone) {
  createDialog.applyFileName("/tmp/out/My Field.obj");
  EXPECT_STREQ(createDialog.createCaption(), "Create grass and save as OBJ.\nAlso save colors and settings.");
  createDialog.chooseFormat(1);
  EXPECT_EQ(createDialog.fileNameText(), "/tmp/out/My_Field.glb");
  // The captions say what the run writes: no OBJ, no colours.
  EXPECT_STREQ(createDialog.fileNameCaption(), "File name for grass glTF...");
  EXPECT_STREQ(createDialog.createCaption(), "Create grass and save as glTF (.glb).\nAlso save settings.");
  createDialog.applyFileName("/tmp/out/b.obj");
  EXPECT_EQ(createDialog.fileNameText(), "/tmp/out/b.glb");
  dialogs.answers = {std::string("/tmp/out/c")};
  createDialog.chooseFileName();
  EXPECT_EQ(dialogs.asked.back().filters[0].caption, "glTF binary files (*.glb)");
  EXPECT_EQ(createDialog.fileNameText(), "/tmp/out/c.glb");
  ASSERT_TRUE(session.undo());  // the file name goes back, the format stays
  EXPECT_EQ(createDialog.fileNameText(), "/tmp/out/b.glb");
  EXPECT_EQ(modSettingsFiles::settingsText(session.document).find("File_Name_Obj /tmp/out/b.obj") != std::string::npos, true);
  session.close();
  EXPECT_EQ(fake.userStore.values.at("objectformat"), "glb");
  clsSession restarted{fake.platform, dialogs.dialogs, 1};
  EXPECT_EQ(frmCreate{restarted}.formatChoice(), 1);
}

TEST_F(MainWindow, TheFirstDialogOpensInTheStoredFolderAndACancelStoresNone) {
  fakes::FakePlatform again;
  again.userStore.values["initdirectory"] = "/home/me/fields/";
  clsSession other{again.platform, dialogs.dialogs, 1};
  frmCreate create{other};
  dialogs.answers = {std::string("/tmp/out/a.obj"), std::nullopt};
  create.chooseFileName();
  EXPECT_EQ(dialogs.asked[0].folder, "/home/me/fields/");
  EXPECT_EQ(dialogs.asked[0].title, "Save As");
  EXPECT_EQ(dialogs.asked[0].filters[0].caption, "OBJ files (*.obj)");
  EXPECT_EQ(create.fileNameText(), "/tmp/out/a.obj");
  EXPECT_FALSE(create.openSettings());
  EXPECT_EQ(dialogs.asked[1].folder, "/tmp/out/");
  EXPECT_EQ(dialogs.asked[1].title, "Select a File");
  other.close();
  EXPECT_EQ(again.userStore.values.at("initdirectory"), "");
}

// Ten large pictures loaded in turn: the current one and the newest steps' stay, the history's
// own pictures stay within their limit, and the title says once that older steps went.
TEST_F(MainWindow, UndoKeepsPicturesWithinALimit) {
  const auto load = [&](int i) {
    session.edit([&] {
      session.project().pictures.coverage[0] = std::make_shared<fakes::FakePicture>(4000, 4000, i);
    });
  };
  for (int i = 0; i < 10; ++i) load(i);
  const generation::tPicture current = session.project().pictures.coverage[0];
  EXPECT_LE(modUndo::historyPictureBytes(session.history, session.project()), session.history.pictureBytesLimit);
  EXPECT_EQ(session.history.undo.size(), 4u);  // four older pictures of 64 MB
  EXPECT_EQ(std::count(fake.status.titles.begin(), fake.status.titles.end(),
                       "Quenmoor Grass - Undo keeps fewer steps: their pictures reached 256 MB"),
            1);
  // An edit beside the picture shares it with the step before.
  elementList.applyLength("3");
  EXPECT_EQ(session.history.undo.back().pictures.coverage[0], current);
  EXPECT_EQ(modUndo::historyPictureBytes(session.history, session.project()), std::size_t{4} * 64000000);
}

// The recovery question names when the design was kept, its elements in use as the text leaves
// them and its note's first line, unmarked and cut when long.
TEST(RestoreQuestion, NamesWhenAndWhat) {
  const std::string ask = std::string(clsAutosave::kRestoreQuestion) + "\n\n";
  const struct {
    std::string text, when, question;
  } kCases[] = {
      {"Usage 1 1 grass<sp>1\r\r\nUsage 2 0 grass<sp>2\r\nUsage 9 1 rock<sp>2\r\n", "", "Elements in use: grass 1, rock 2."},
      {"<note> Usage of rocks\r\nmore\r\n\r\nUsage 1 0 a\r\nUsage 8 1 big\r\nUsage 8 0 big\r\n", "Tue 8 Dec 2026 at 14:31",
       "Kept on Tue 8 Dec 2026 at 14:31.\nElements in use: none.\nNote: Usage of rocks"},
      {std::string(70, 'x') + "\r\n\r\nUsage 3 1 tall<sp>grass\r\n", "", "Elements in use: tall grass.\nNote: " + std::string(60, 'x') + "..."},
  };
  for (const auto& c : kCases) EXPECT_EQ(modAutosave::restoreQuestion({"1", c.text, c.when}), ask + c.question);
}
