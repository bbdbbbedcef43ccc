#include "generation/create_object.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "fakes/fake_platform.h"
#include "document/creation_run.h"
#include "document/settings_files.h"
#include "materials/mtl_file.h"
#include "model/number_format.h"

using namespace generation;
using namespace document;

namespace {

class CreationRun : public ::testing::Test {
 protected:
  CreationRun() { modSettingsFiles::resetSettings(document, fake.platform); }
  clsRunResult run(std::string_view path) {
    modCreateDialog::setFileName(document.project.dialog, path);
    return modCreationRun::runCreation(document, creation);
  }

  fakes::FakePlatform fake;
  clsDocument document{fake.platform};
  model::clsRandom random{1};
  clsCreation creation{fake.platform, random};
};

}  // namespace

// A plain note's header: CreationRun.WritesSettingsThenObjectAndReportsDone.
TEST(ObjectHeader, NoteLinesThenTheFrame) {
  EXPECT_EQ(modCreateObject::objectHeader("007\r\n\r\n .50 \r\nnot 1", "b").rfind("# 7\r\n# \r\n# .5\r\n# not 1\r\n# App", 0),
            0u);
  EXPECT_EQ(modCreateObject::objectHeader("", "b").rfind("# Application_Name", 0), 0u);
}

TEST_F(CreationRun, WritesSettingsThenObjectAndReportsDone) {
  modCreateDialog::setNote(document.project.dialog, "tall\r\n12");
  fake.clock.step = 75;
  const clsRunResult result = run("out/My Field");
  EXPECT_EQ(result.outcome, RunOutcome::Done);
  EXPECT_EQ(result.code, RunStatus::GoOn);
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
  EXPECT_EQ(fake.files.files.at("f.obj"), modCreateObject::objectHeader("", "f"));  // its title: below
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

// A failure anywhere leaves the three old files as they were and no temporary file.
TEST_F(CreationRun, AFailureAnywhereLeavesTheOldThreeWhole) {
  modStore::writeElementSlot(document.project.store, 1, model::slot::kItemCount, std::int32_t{5000});
  document.session.diskLimitMB = kMaxDiskLimitMB;
  const std::map<std::string, std::string> old{{"f.mtl", "old mtl"}, {"f.grass", "old grass"}, {"f.obj", "old obj"}};
  const std::size_t mtl = modMaterialFile::toText(document.project.store, 1, modMaterialFile::prefixesFor("f")).size();
  const std::size_t grass = modSettingsFiles::settingsText(document).size();
  const std::size_t oldBytes = 23;
  struct clsCase {
    std::size_t capacity;  // of the disk, beyond the old files
    int failAtWrite;
    RunOutcome outcome;
    std::string message;
  };
  const std::string unknown = "\n";
  const std::string objectFailed = "Writing the .obj file has failed.\n";
  for (const clsCase& c : std::vector<clsCase>{
           {10, 0, RunOutcome::MaterialFailed,
            "An error occurred while writing the material file." + unknown + "f.mtl: No space left on device"},
           {mtl + 10, 0, RunOutcome::SettingsFailed,
            "An error occurred while writing the settings file." + unknown + "f.grass: No space left on device"},
           {mtl + grass + 600'000, 0, RunOutcome::ObjectFailed, objectFailed + "f.obj: No space left on device"},
           {1'000'000'000, 3, RunOutcome::ObjectFailed, objectFailed + "f.obj: Input/output error"},  // its header
       }) {
    fake.files.files = old;
    fake.files.capacity = oldBytes + c.capacity;
    fake.files.writes = 0;
    fake.files.failAtWrite = c.failAtWrite;
    EXPECT_EQ(run("f.obj").outcome, c.outcome) << c.message;
    EXPECT_EQ(fake.files.files, old) << c.message;
    EXPECT_EQ(fake.messages.shown.back(), c.message);
  }
}

// Places that cannot take their file are found before anything is generated or written.
TEST_F(CreationRun, PlacesThatCannotBeWrittenRefuseTheRunUpFront) {
  struct clsCase {
    std::function<void(fakes::FakeFileSystem&)> arrange;
    std::string message;
  };
  for (const clsCase& c : std::vector<clsCase>{
           {[](auto& files) { files.folders.insert("out/f.obj"); }, "out/f.obj is a folder."},
           {[](auto& files) { files.readOnly.insert("out/f.obj"); }, "out/f.obj is read-only."},
           {[](auto& files) { files.refuseOpen.insert("out/"); },
            "The folder out/ does not take new files: Permission denied."},
           {[](auto& files) { files.locked.insert("out/f"); },
            "Another run is writing the files of out/f now.\nTry again when it has finished."},
           {[](auto& files) { files.unlockable.insert("out/f"); }, "The lock file out/f.lock is a folder."},
           {[](auto& files) { files.devices.insert("out/f.grass"); }, "out/f.grass is not a regular file."},
       }) {
    fakes::FakeFileSystem& files = fake.files;
    files.files = {{"out/f.mtl", "old mtl"}};
    files.folders.clear();
    files.readOnly.clear();
    files.refuseOpen.clear();
    files.locked.clear();
    files.unlockable.clear();
    files.devices.clear();
    files.writes = files.temporaries = 0;
    c.arrange(files);
    EXPECT_EQ(run("out/f.obj").outcome, RunOutcome::FilesRefused) << c.message;
    EXPECT_EQ(files.writes, 0);
    EXPECT_EQ(files.temporaries, 0);
    EXPECT_EQ(files.files, (std::map<std::string, std::string>{{"out/f.mtl", "old mtl"}}));
    EXPECT_EQ(fake.messages.shown.back(), c.message + "\nNothing was written.");
    EXPECT_EQ(fake.status.last(), "Quenmoor Grass - Creating grass object failed.");
  }
}

TEST_F(CreationRun, ATemporaryFileRemovedMidRunFailsTheRun) {
  modStore::writeElementSlot(document.project.store, 1, model::slot::kItemCount, std::int32_t{5000});
  document.session.diskLimitMB = kMaxDiskLimitMB;
  fake.files.files = {{"f.obj", "old obj"}};
  std::string objectTemporary;
  fake.files.onTemporary = [&](const std::string& path) { objectTemporary = path; };
  fake.events.onEvents = [&] {
    // Before the writing stage has had its first batch: the fake's files are no thread's meanwhile.
    if (fake.events.calls == 100) fake.files.removeFile(objectTemporary);
  };
  EXPECT_EQ(run("f.obj").outcome, RunOutcome::ObjectFailed);
  EXPECT_EQ(fake.status.last(), "Quenmoor Grass - Creating grass object failed.");
  EXPECT_EQ(fake.messages.shown.back(),
            "Writing the file f.obj has failed; no file was replaced.\nthe temporary file was removed");
  EXPECT_EQ(fake.files.files, (std::map<std::string, std::string>{{"f.obj", "old obj"}}));
}

// A file that cannot be put in its place after the others were (a folder made there meanwhile)
// puts the old ones back: the old set stays whole, a new set leaves nothing.
TEST_F(CreationRun, AFailedLastRenamePutsTheReplacedFilesBack) {
  for (const std::map<std::string, std::string>& old :
       {std::map<std::string, std::string>{{"f.mtl", "old mtl"}, {"f.grass", "old grass"}},
        std::map<std::string, std::string>{}}) {
    fake.files.files = old;
    fake.files.folders.clear();
    fake.files.onTemporary = [&](const std::string& path) {
      if (path.rfind("f.obj", 0) == 0) fake.files.folders.insert("f.obj");
    };
    EXPECT_EQ(run("f.obj").outcome, RunOutcome::ObjectFailed);
    EXPECT_EQ(fake.files.files, old);
    EXPECT_EQ(fake.messages.shown.back(),
              "Putting the file f.obj in its place has failed; no file was replaced.\nIs a directory");
  }
}

// Every check is made on the file that really changes: a link into a system folder is refused
// though the folder of the name is not one.
TEST_F(CreationRun, LinksAreJudgedWhereTheyLead) {
  fake.files.links["f.mtl"] = "/etc/victim.mtl";
  EXPECT_EQ(run("f.obj").outcome, RunOutcome::NameRefused);
  EXPECT_EQ(fake.messages.shown.back(), "You cannot write objects to system folders.");
  EXPECT_TRUE(fake.files.files.empty());
}

TEST_F(CreationRun, LeftoversOfADeadRunAreRemovedAndTheLockReleased) {
  fake.files.files = {{"f.obj.tmp7", "half a field"}, {"f.grass.tmp3", "half"}, {"g.obj.tmp1", "another name's"}};
  EXPECT_EQ(run("f.obj").outcome, RunOutcome::Done);
  EXPECT_EQ(fake.files.temporaryFiles(), std::vector<std::string>{"g.obj.tmp1"});
  EXPECT_TRUE(fake.files.locked.empty());
}

TEST_F(CreationRun, AStoppedRunSaysWhyAndHowMuchTheFileHolds) {
  modStore::writeElementSlot(document.project.store, 1, model::slot::kItemCount, std::int32_t{1000000});
  document.session.diskLimitMB = 1;
  const clsRunResult result = run("f.obj");
  ASSERT_EQ(result.code, RunStatus::LimitReached);
  EXPECT_EQ(fake.status.last().rfind("Quenmoor Grass - Done - ", 0), 0u);
  EXPECT_TRUE(fake.status.last().ends_with(" MB - disk-space limit reached")) << fake.status.last();
  // Every default blade has ten vertices.
  const std::string& object = fake.files.files.at("f.obj");
  std::int64_t vertices = 0;
  for (std::size_t at = object.find("\nv "); at != std::string::npos; at = object.find("\nv ", at + 1)) ++vertices;
  EXPECT_EQ(result.itemsInFile * 10, vertices);
  EXPECT_EQ(modCreateObject::stopLine(result.itemsInFile, result.code, 1),
            "Stopped: the disk-space limit of 1 MB was reached; the object file holds the first " +
                std::to_string(vertices / 10) + " items.");
}

// Cancelled in the middle of an element, then a run with no element in use: that run is done
// whole, and its title says so.
TEST_F(CreationRun, ARunAfterACancelledOneCountsOnlyItsOwnItems) {
  modStore::writeElementSlot(document.project.store, 1, model::slot::kItemCount, std::int32_t{20000});
  document.session.diskLimitMB = kMaxDiskLimitMB;
  fake.events.onEvents = [&] {
    if (fake.events.calls == 1500) creation.cancelRequested = true;
  };
  ASSERT_EQ(run("f.obj").code, RunStatus::Cancelled);
  EXPECT_EQ(fake.status.last().rfind("Quenmoor Grass - Done - 7% - ", 0), 0u);
  creation.cancelRequested = false;
  modStore::writeElementSlot(document.project.store, 1, model::slot::kUse, std::int32_t{0});
  ASSERT_EQ(run("f.obj").code, RunStatus::GoOn);
  EXPECT_EQ(fake.status.last().rfind("Quenmoor Grass - Done - 100% - ", 0), 0u);
}

TEST(DoneTitle, ShowsHowFarTheLastElementGot) {
  clsObjWriter writer;
  writer.beginElement(1, 1000);
  writer.setItemNumber(455);
  EXPECT_EQ(modCreateObject::doneTitle(writer, 3725, 1'050'000), "Quenmoor Grass - Done - 46% - 62 min 5 sec - 1 MB");
  EXPECT_EQ(modCreateObject::doneTitle(writer, 0, 1'250'000), "Quenmoor Grass - Done - 46% - 0 min 0 sec - 1.2 MB");
  EXPECT_EQ(modCreateObject::doneTitle(writer, 0, 0, RunStatus::Cancelled),
            "Quenmoor Grass - Done - 46% - 0 min 0 sec - 0 MB - cancelled");
}
