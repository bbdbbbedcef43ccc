#include "generation/create_object.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"
#include "document/creation_run.h"
#include "document/settings_files.h"
#include "model/number_format.h"

using namespace generation;
using namespace document;

namespace {

class CreationRun : public ::testing::Test {
 protected:
  CreationRun() {
    writer.services = {&fake.files, &fake.status, &fake.events};
    modSettingsFiles::resetSettings(document, fake.platform);
  }
  clsRunResult run(std::string_view path) {
    modCreateDialog::setFileName(document.project.dialog, path);
    return modCreationRun::runCreation(document, creation);
  }

  fakes::FakePlatform fake;
  clsDocument document{fake.platform};
  model::clsRandom random{1};
  clsObjWriter writer;
  clsCreation creation{fake.platform, random, writer};
};

}  // namespace

TEST(ObjectHeader, NoteLinesThenTheFrame) {
  EXPECT_EQ(modCreateObject::objectHeader("tall\r\n12", "grass"),
            "# tall\r\n# 12\r\n# Application_Name Quenmoor Grass\r\n# Application_Version 7\r\n\r\n\r\n"
            "mtllib grass.mtl\r\n\r\n");
  EXPECT_EQ(modCreateObject::objectHeader("007\r\n\r\n .50 \r\nnot 1", "b").rfind("# 7\r\n# \r\n# .5\r\n# not 1\r\n# App", 0),
            0u);
  EXPECT_EQ(modCreateObject::objectHeader("", "b").rfind("# Application_Name", 0), 0u);
}

TEST_F(CreationRun, WritesSettingsThenObjectAndReportsDone) {
  modCreateDialog::setNote(document.project.dialog, "tall\r\n12");
  fake.clock.step = 75;
  const clsRunResult result = run("out/My Field");
  EXPECT_EQ(result.outcome, RunOutcome::Done);
  EXPECT_EQ(result.code, status::kGoOn);
  const std::string& object = fake.files.files.at("out/My_Field.obj");
  EXPECT_EQ(object.rfind("# tall\r\n# 12\r\n# Application_Name Quenmoor Grass\r\n# Application_Version 7\r\n\r\n\r\n"
                         "mtllib My_Field.mtl\r\n\r\nusemtl My_Field",
                         0),
            0u);
  EXPECT_EQ(fake.files.files.at("out/My_Field.grass"), modSettingsFiles::settingsText(document));
  EXPECT_EQ(fake.status.last(), "Quenmoor Grass - Done - 100% - 1 min 15 sec - " +
                                    modNumber::oneDecimalText(static_cast<double>(object.size()) / 1e6) + " MB");
  EXPECT_EQ(fake.files.created, (std::vector<std::string>{"out/My_Field.mtl", "out/My_Field.grass", "out/My_Field.obj"}));
  EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(CreationRun, NoElementInUseWritesOnlyTheHeader) {
  modUsage::setUse(document.project.store, 1, 0);
  EXPECT_EQ(run("f.obj").outcome, RunOutcome::Done);
  EXPECT_EQ(fake.files.files.at("f.obj"), modCreateObject::objectHeader("", "f"));
  EXPECT_EQ(fake.status.last().rfind("Quenmoor Grass - Done - ", 0), 0u);
}

TEST_F(CreationRun, RefusedNamesWriteNothing) {
  EXPECT_EQ(run("").outcome, RunOutcome::NameRefused);
  EXPECT_EQ(run("/usr/lib/x.obj").outcome, RunOutcome::NameRefused);
  fake.files.files["f.obj"] = "keep me";
  fake.messages.answer = false;
  EXPECT_EQ(run("f.obj").outcome, RunOutcome::NameRefused);
  EXPECT_EQ(fake.files.files.size(), 1u);
  EXPECT_EQ(fake.files.files.at("f.obj"), "keep me");
}

TEST_F(CreationRun, SettingsFailureStopsBeforeTheObjectFile) {
  fake.files.refuseOpen.insert("f.grass");
  EXPECT_EQ(run("f.obj").outcome, RunOutcome::SettingsFailed);
  EXPECT_EQ(fake.files.files.count("f.obj"), 0u);
  EXPECT_EQ(fake.files.files.count("f.mtl"), 1u);  // written before, and kept
  EXPECT_EQ(fake.messages.shown.back(),
            "An error occurred while opening the settings file.\nThe application doesn't know what the error is about."
            "\nf.grass: Permission denied");
  EXPECT_EQ(fake.status.last(), "Quenmoor Grass - Save settings failed");
}

TEST_F(CreationRun, ObjectFailuresAreReportedNeverAsDone) {
  fake.files.refuseOpen.insert("f.obj");
  const clsRunResult result = run("f.obj");
  EXPECT_EQ(result.outcome, RunOutcome::ObjectFailed);
  EXPECT_EQ(result.code, status::kHeaderOpenFailed);
  EXPECT_EQ(fake.status.last(), "Quenmoor Grass - Creating grass object failed.");
  EXPECT_EQ(fake.messages.shown.back(),
            "Opening the .obj file has failed.\nThe application doesn't know what the error is.\nf.obj: Permission denied");
}

TEST_F(CreationRun, AFailingDiskLeavesTheOldFieldWhole) {
  modStore::writeElementSlot(document.project.store, 1, model::slot::kItemCount, std::int32_t{5000});
  fake.files.files = {{"f.mtl", "old mtl"}, {"f.grass", "old grass"}, {"f.obj", "old obj"}};
  document.project.dialog.diskLimitMB = kMaxDiskLimitMB;
  fake.files.failAtWrite = 5;  // the object file's second append, well into the run
  EXPECT_EQ(run("f.obj").code, status::kAppendWriteFailed);
  ASSERT_EQ(fake.messages.asked.size(), 1u);
  EXPECT_EQ(fake.messages.asked[0],
            "Files with the same names (f.mtl, f.grass and f.obj) already exist.\n"
            "Do you want to overwrite the existing files?");
  EXPECT_EQ(fake.files.files.size(), 3u);  // no temporary file is left
  EXPECT_TRUE(fake.files.files.at("f.obj") == "old obj");
  EXPECT_EQ(fake.messages.shown.back(),
            "Writing the .obj file has failed.\nThe application doesn't know what the error is.\n"
            "f.obj: Input/output error");
}

TEST_F(CreationRun, AStoppedRunSaysWhyAndHowMuchTheFileHolds) {
  modStore::writeElementSlot(document.project.store, 1, model::slot::kItemCount, std::int32_t{1000000});
  document.project.dialog.diskLimitMB = 1;
  const clsRunResult result = run("f.obj");
  ASSERT_EQ(result.code, status::kLimitReached);
  EXPECT_EQ(fake.status.last().rfind("Quenmoor Grass - Done - ", 0), 0u);
  // Every default blade has ten vertices.
  const std::string& object = fake.files.files.at("f.obj");
  std::int64_t vertices = 0;
  for (std::size_t at = object.find("\nv "); at != std::string::npos; at = object.find("\nv ", at + 1)) ++vertices;
  EXPECT_EQ(writer.itemsInFile * 10, vertices);
  EXPECT_EQ(modCreateObject::stopLine(writer, result.code, 1),
            "Stopped: the disk-space limit of 1 MB was reached; the object file holds the first " +
                std::to_string(vertices / 10) + " items.");
  EXPECT_EQ(modCreateObject::stopLine(writer, status::kCancelled, 1),
            "Cancelled: the object file holds the first " + std::to_string(writer.itemsInFile) + " items.");
}

TEST(DoneTitle, ShowsHowFarTheLastElementGot) {
  clsObjWriter writer;
  writer.itemCount = 1000;
  writer.itemNumber = 455;
  EXPECT_EQ(modCreateObject::doneTitle(writer, 3725, 1'050'000), "Quenmoor Grass - Done - 46% - 62 min 5 sec - 1 MB");
  EXPECT_EQ(modCreateObject::doneTitle(writer, 0, 1'250'000), "Quenmoor Grass - Done - 46% - 0 min 0 sec - 1.2 MB");
}
