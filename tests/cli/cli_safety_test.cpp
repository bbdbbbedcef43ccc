// The command-line tool never loses a file and never reports a failure as success: full disks,
// signals, closed pipes, odd paths and pictures that cannot be read.

#include <sys/mount.h>
#include <unistd.h>

#include <random>
#include <utility>
#include <vector>

#include "cli_folder.h"

namespace {

using namespace cli_test;

class CliSafety : public CliFolder {
 protected:
  std::size_t filesIn(const std::string& name) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder / name), fs::directory_iterator()));
  }
};

const std::string kMillion = "Alpha 1 10 10 1000000 <empty> 0 -1\r\n";

}  // namespace

TEST_F(CliSafety, AFullDiskKeepsTheOldFieldByteForByte) {
  const fs::path disk = folder / "disk";
  fs::create_directories(disk);
  if (::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=3m") != 0)
    GTEST_SKIP() << "cannot mount a small tmpfs here (not root?): the fake file system tests cover it";
  ASSERT_EQ(run("create --force disk/f.obj").exitCode, 0);
  const std::string mtl = read("disk/f.mtl"), grass = read("disk/f.grass"), obj = read("disk/f.obj");
  write("big.grass", kMillion);
  const clsRun full = run("create --force --settings big.grass disk/f.obj");
  EXPECT_EQ(full.exitCode, 2);
  EXPECT_NE(full.err.find("Writing the .obj file has failed."), std::string::npos) << full.err;
  EXPECT_NE(full.err.find("disk/f.obj: No space left on device"), std::string::npos) << full.err;
  // The three old files stay as one set, and no temporary or lock file is left behind.
  EXPECT_TRUE(read("disk/f.obj") == obj);
  EXPECT_EQ(read("disk/f.mtl"), mtl);
  EXPECT_EQ(read("disk/f.grass"), grass);
  EXPECT_EQ(filesIn("disk"), 3u);
  ::umount(disk.c_str());
}

TEST_F(CliSafety, OneQuestionNamesEveryExistingFileAndForceReplacesThem) {
  write("out/x.mtl", "my colours");
  write("out/x.grass", "my settings");
  const clsRun refused = run("create out/x.obj");
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_NE(refused.err.find("Files with the same names (x.mtl and x.grass) already exist."), std::string::npos);
  EXPECT_EQ(read("out/x.mtl"), "my colours");
  EXPECT_EQ(read("out/x.grass"), "my settings");
  EXPECT_FALSE(fs::exists(folder / "out/x.obj"));
  EXPECT_EQ(run("create --force out/x.obj").exitCode, 0);
  EXPECT_EQ(read("out/x.obj").rfind("# Application_Name Quenmoor Grass\r\n", 0), 0u);
}

TEST_F(CliSafety, ClosedPipesAndSignals) {
  // A reader that goes away after one line costs only the progress text.
  write("big.grass", "Alpha 1 10 10 20000 <empty> 0 -1\r\n");
  const clsRun piped = shell("set -o pipefail; CLI create --settings big.grass out/p.obj 2>&1 | head -1");
  EXPECT_EQ(piped.exitCode, 0);
  EXPECT_EQ(read("out/p.obj").substr(read("out/p.obj").size() - 2), "\r\n");

  // SIGTERM works as Ctrl+C: whole items, exit 3; told twice at once (as timeout does, to the
  // program and its group) it is still one request.
  write("huge.grass", kMillion);
  const clsRun stopped =
      shell("CLI create --settings huge.grass out/t.obj & sleep 0.5; kill -TERM \\$!; kill -TERM \\$!; wait \\$!");
  EXPECT_EQ(stopped.exitCode, 3) << stopped.err;
  EXPECT_NE(stopped.err.find("Cancelled: the object file holds the first "), std::string::npos) << stopped.err;
  const std::string cancelled = read("out/t.obj");
  EXPECT_EQ(cancelled.substr(cancelled.size() - 2), "\r\n");
  EXPECT_EQ(filesIn("out"), 6u);
}

TEST_F(CliSafety, StandardOutputAndInputThatAreNoFiles) {
  EXPECT_EQ(shell("CLI settings >/dev/full").exitCode, 2);
  const clsRun zero = run("check /dev/zero");
  EXPECT_EQ(zero.exitCode, 2);
  EXPECT_NE(zero.err.find("/dev/zero: it is not a regular file"), std::string::npos) << zero.err;
  ASSERT_EQ(shell("mkfifo pipe.grass").exitCode, 0);
  EXPECT_EQ(shell("timeout 10 CLI check pipe.grass").exitCode, 2);
  // A settings text can be saved whole to a file instead.
  write("old.grass", "Usage 2 1 mine\r\n");
  ASSERT_EQ(run("settings --output old.grass").exitCode, 0);
  EXPECT_EQ(read("old.grass"), run("settings").out);
}

// Opened, any text applies (its unknown lines become the note): check says when no line is a
// record, or when the file is no text at all.
TEST_F(CliSafety, CheckRefusesFilesThatHoldNoSettings) {
  std::mt19937 random(7);
  std::string bytes(1 << 20, '\0');
  for (char& byte : bytes) byte = static_cast<char>(random());
  write("random.grass", bytes);
  write("prose.grass", "A field for the north slope.\r\n\r\nCurves: tall.\r\n");
  write("empty.grass", "");
  const std::string kNoRecord = "holds no settings record: opened, its whole text would become the note.";
  const std::string kNoText = "This is not a settings text: it holds zero bytes";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"/usr/bin/ls", kNoText}, {"random.grass", kNoText}, {"/etc/passwd", kNoRecord},
      {"'" QUENMOOR_DATA_DIR "/../README.md'", kNoRecord}, {"prose.grass", kNoRecord}, {"empty.grass", kNoRecord}};
  for (const auto& [file, message] : cases) {
    const clsRun checked = run("check " + file);
    EXPECT_EQ(checked.exitCode, 1) << file;
    EXPECT_NE(checked.err.find(message), std::string::npos) << file << ": " << checked.err;
  }
}

TEST_F(CliSafety, SystemFoldersAreJudgedWhereTheyReallyAre) {
  fs::create_symlink("/etc", folder / "link");
  for (const char* path : {"../../etc/x.obj", "link/x.obj"}) {
    EXPECT_EQ(run(std::string("create --force ") + path).exitCode, 1) << path;
    EXPECT_NE(read("stderr.txt").find("You cannot write objects to system folders."), std::string::npos);
  }
  EXPECT_FALSE(fs::exists("/etc/x.obj"));
  EXPECT_FALSE(fs::exists("/etc/x.mtl"));
  fs::create_directories(folder / "my.objects");
  EXPECT_EQ(run("create my.objects/a.obj").exitCode, 0);
  EXPECT_TRUE(fs::exists(folder / "my.objects/a.obj"));
}

TEST_F(CliSafety, UnreadablePicturesAreNamedAndKept) {
  write("pictures.grass", "Alpha 1 10 10 50 pics/gone.png 0 -1\r\n");
  const clsRun checked = run("check pictures.grass");
  EXPECT_EQ(checked.exitCode, 1);
  EXPECT_NE(checked.err.find("the coverage picture \"pics/gone.png\" of element 1 cannot be read"), std::string::npos);
  const clsRun created = run("create --settings pictures.grass out/f.obj");
  EXPECT_EQ(created.exitCode, 4);
  EXPECT_NE(created.err.find("Warning: the coverage picture"), std::string::npos);
  EXPECT_NE(read("out/f.grass").find("Alpha 1 10 10 50 pics/gone.png 0 -1\r\n"), std::string::npos);
}

TEST_F(CliSafety, LimitsAreWholeNumbersFromOneTo2000AndStopsAreTold) {
  for (const char* limit : {"abc", "0", "-5", "5OO", "99999", "2.5"}) {
    const clsRun refused = run(std::string("create --limit ") + limit + " out/f.obj");
    EXPECT_EQ(refused.exitCode, 1) << limit;
    EXPECT_NE(refused.err.find("--limit needs a whole number of MB from 1 to 2000"), std::string::npos);
  }
  EXPECT_FALSE(fs::exists(folder / "out/f.obj"));
  write("many.grass", "Alpha 1 10 10 20000 <empty> 0 -1\r\n");
  const clsRun stopped = run("create --limit 1 --settings many.grass out/f.obj");
  EXPECT_EQ(stopped.exitCode, 3);
  EXPECT_NE(stopped.err.find("Quenmoor Grass - Done - "), std::string::npos);
  EXPECT_NE(stopped.err.find("Stopped: the disk-space limit of 1 MB was reached; the object file holds the first "),
            std::string::npos);
  // Not a terminal: at most one progress line a second besides the final title.
  std::size_t progress = 0;
  for (std::size_t at = stopped.err.find(" - Blade "); at != std::string::npos; at = stopped.err.find(" - Blade ", at + 1))
    ++progress;
  EXPECT_LE(progress, 3u) << stopped.err;
}

TEST_F(CliSafety, PlacesThatCannotTakeTheirFileRefuseBeforeTheRun) {
  write("out/f.mtl", "my colours");
  fs::create_directories(folder / "out/f.obj");
  const clsRun refused = run("create --force out/f.obj");
  EXPECT_EQ(refused.exitCode, 2);
  EXPECT_NE(refused.err.find("out/f.obj is a folder.\nNothing was written."), std::string::npos) << refused.err;
  EXPECT_EQ(read("out/f.mtl"), "my colours");
  EXPECT_EQ(filesIn("out"), 2u);
  const clsRun checked = run("check out");
  EXPECT_EQ(checked.exitCode, 2);
  EXPECT_NE(checked.err.find("out is a folder, not a settings file."), std::string::npos) << checked.err;
}

TEST_F(CliSafety, AReadOnlyFolderOrObjectFileIsNamed) {
  if (::geteuid() != 0 || shell("command -v setpriv").exitCode != 0)
    GTEST_SKIP() << "needs root to run the tool as another user";
  ASSERT_EQ(run("create out/a.obj").exitCode, 0);
  fs::create_directories(folder / "rw");
  ASSERT_EQ(run("create rw/b.obj").exitCode, 0);
  ASSERT_EQ(shell("chmod 755 . && chmod 555 out && chmod 666 out/a.mtl && chmod 777 rw && chmod 444 rw/b.obj && "
                  "chmod 666 rw/b.mtl rw/b.grass").exitCode,
            0);
  const std::string nobody = "setpriv --reuid=65534 --regid=65534 --clear-groups CLI ";
  const clsRun folderRefused = shell(nobody + "create --force out/a.obj");
  EXPECT_EQ(folderRefused.exitCode, 2);
  EXPECT_NE(folderRefused.err.find("The folder out/ does not take new files: Permission denied."), std::string::npos)
      << folderRefused.err;
  const clsRun fileRefused = shell(nobody + "create --force rw/b.obj");
  EXPECT_EQ(fileRefused.exitCode, 2);
  EXPECT_NE(fileRefused.err.find("rw/b.obj is read-only."), std::string::npos) << fileRefused.err;
  const clsRun saved = shell(nobody + "settings --output out/a.mtl");
  EXPECT_NE(saved.err.find("settings file.\nThe folder out/ does not take new files: Permission denied."),
            std::string::npos) << saved.err;
  shell("chmod 755 out");
}

// Waits until a run started in the background has made its temporary files, however slowly it starts.
constexpr const char* kWaitForTemporaries =
    "for i in \\$(seq 1000); do ls out/.qg-*.tmp >/dev/null 2>&1 && break; sleep 0.01; done; ";
// Waits until a run started in the background has made temporary files other than those a killed
// run left behind (listed in old.txt): then it holds the lock on its name.
constexpr const char* kWaitForNewTemporaries =
    "for i in \\$(seq 1000); do ls out/.qg-*.tmp 2>/dev/null | grep -qvxF -f old.txt && break; sleep 0.01; done; ";

TEST_F(CliSafety, RunsOnOneNameExcludeEachOtherAndCleanUpAfterDeadOnes) {
  write("huge.grass", kMillion);
  // A run killed outright leaves its temporary files; the next run on the name removes them.
  EXPECT_EQ(shell(std::string("CLI create --settings huge.grass out/t.obj & ") + kWaitForTemporaries +
                  "kill -KILL \\$!; wait \\$!").exitCode, 137);
  EXPECT_GE(filesIn("out"), 1u);
  // While one run writes, a second one on the same name is refused.
  const clsRun second = shell(std::string("ls out/.qg-*.tmp >old.txt; CLI create --settings huge.grass out/t.obj & ") +
                              kWaitForNewTemporaries +
                              "CLI create --force out/t.obj; code=\\$?; kill -TERM %1; wait; exit \\$code");
  EXPECT_EQ(second.exitCode, 2);
  EXPECT_NE(second.err.find("Another run is writing the files of out/t now."), std::string::npos) << second.err;
  EXPECT_EQ(filesIn("out"), 3u);  // the first run's whole, shorter set
  EXPECT_EQ(run("create --force out/t.obj").exitCode, 0);
  EXPECT_EQ(filesIn("out"), 3u);
}
