#include "document/save_buttons.h"

#include <gtest/gtest.h>

#include "document/creation_run.h"
#include "document/startup.h"
#include "fakes/fake_platform.h"

namespace {

class SaveColours : public ::testing::Test {
 protected:
  SaveColours() { modStartup::startDocument(document, fake.platform); }
  fakes::FakePlatform fake;
  document::clsDocument document{fake.platform};
};

}  // namespace

TEST_F(SaveColours, SavingAndTheRunStopOnAFailure) {
  modCreateDialog::setFileName(document.project.dialog, "out/Meadow.OBJ");
  ASSERT_EQ(modSaveButtons::saveColors(document, fake.platform), modSaveButtons::SaveOutcome::Saved);
  EXPECT_EQ(fake.files.files.at("out/Meadow.mtl").rfind("newmtl Meadow1\r\n", 0), 0u);
  EXPECT_EQ(fake.status.last(), "Quenmoor Grass - Save materials done");
  fake.messages.answer = false;
  EXPECT_EQ(modSaveButtons::saveColors(document, fake.platform), modSaveButtons::SaveOutcome::NameRefused);
  EXPECT_EQ(fake.messages.asked.back(),
            "A file with the same name (Meadow.mtl) already exists.\nDo you want to overwrite the existing file?");

  fake.files.files.clear();
  fake.files.refuseOpen.insert("locked/field.mtl");
  modCreateDialog::setFileName(document.project.dialog, "locked/field");
  model::clsRandom random(1);
  generation::clsCreation creation{fake.platform, random};
  EXPECT_EQ(modCreationRun::runCreation(document, creation).outcome, document::RunOutcome::FilesRefused);
  EXPECT_EQ(fake.messages.shown.back(),
            "Creating the file locked/field.mtl has failed.\nPermission denied\nNothing was written.");
  EXPECT_EQ(fake.status.last(), "Quenmoor Grass - Creating grass object failed.");
  EXPECT_TRUE(fake.files.files.empty());

  // A disk that fills up half-way leaves the old file as it was, and no fragment beside it.
  fake.files.refuseOpen.clear();
  fake.files.files["full/field.mtl"] = "old materials";
  fake.files.capacity = 4000;
  modCreateDialog::setFileName(document.project.dialog, "full/field");
  fake.messages.answer = true;
  EXPECT_EQ(modSaveButtons::saveColors(document, fake.platform), modSaveButtons::SaveOutcome::Failed);
  EXPECT_EQ(fake.files.files, (std::map<std::string, std::string>{{"full/field.mtl", "old materials"}}));
  EXPECT_EQ(fake.messages.shown.back(),
            "An error occurred while writing the material file.\nfull/field.mtl: No space left on device");
}

// "Save settings" and "Save colors only" make the same place check as a run: a device or pipe
// named like their file is never replaced by a regular file.
TEST_F(SaveColours, DevicesArePlacesNoSaveReplaces) {
  modCreateDialog::setFileName(document.project.dialog, "out/dev");
  fake.files.devices = {"out/dev.mtl", "out/dev.grass"};
  EXPECT_EQ(modSaveButtons::saveColors(document, fake.platform), modSaveButtons::SaveOutcome::Failed);
  EXPECT_EQ(fake.messages.shown.back(),
            "An error occurred while opening the material file.\nout/dev.mtl is not a regular file.");
  EXPECT_EQ(fake.status.last(), "Quenmoor Grass - Save materials failed");
  EXPECT_EQ(modSaveButtons::saveSettings(document, fake.platform), modSaveButtons::SaveOutcome::Failed);
  EXPECT_EQ(fake.messages.shown.back(),
            "An error occurred while opening the settings file.\nout/dev.grass is not a regular file.");
  EXPECT_EQ(fake.files.temporaries, 0);
  EXPECT_TRUE(fake.files.files.empty());
}
