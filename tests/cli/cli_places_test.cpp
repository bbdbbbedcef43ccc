// Where the command-line tool writes: links, devices, names and other runs, tried with real files
// as an attacker or an unlucky user would.

#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "cli_folder.h"

namespace {

using namespace cli_test;

class CliPlaces : public CliFolder {
 protected:
  bool asRoot() const { return ::geteuid() == 0; }
  // The lock file a run on stem takes (the same hash as the tool's).
  static std::string lockName(const std::string& baseName) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const unsigned char c : baseName) hash = (hash ^ c) * 1099511628211ULL;
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return ".qg-" + std::string(text) + ".lock";
  }
  std::size_t runFilesIn(const std::string& name) {
    std::size_t count = 0;
    for (const auto& entry : fs::directory_iterator(folder / name))
      count += entry.path().filename().string().rfind(".qg-", 0) == 0;
    return count;
  }
  static constexpr const char* kNobody = "setpriv --reuid=65534 --regid=65534 --clear-groups ";
};

const std::string kMillion = "Alpha 1 10 10 1000000 <empty> 0 -1\r\n";
// Waits until a run started in the background has made its temporary files.
constexpr const char* kWaitForRun =
    "for i in \\$(seq 1000); do ls out/.qg-*.tmp >/dev/null 2>&1 && break; sleep 0.01; done; ";

}  // namespace

TEST_F(CliPlaces, LinksIntoSystemFoldersAreRefusedByEveryWriter) {
  // /dev/shm is under /dev, a system folder anyone may write.
  if (!fs::is_directory("/dev/shm")) GTEST_SKIP() << "no /dev/shm";
  const fs::path victim = "/dev/shm/quenmoor-victim-" + std::to_string(::getpid());
  std::ofstream(victim) << "VICTIM\n";
  fs::create_symlink(victim, folder / "sys.mtl");
  fs::create_symlink(victim, folder / "sys.grass");
  fs::create_symlink(victim.string() + ".gone", folder / "gone.grass");  // not there yet
  for (const char* command : {"create --force --seed 1 sys.obj", "materials --force sys.mtl",
                              "settings --output sys.grass", "settings --output gone.grass"}) {
    const clsRun refused = run(command);
    EXPECT_EQ(refused.exitCode, 1) << command;
    EXPECT_NE(refused.err.find("You cannot write objects to system folders."), std::string::npos) << refused.err;
  }
  EXPECT_EQ(readFile(victim), "VICTIM\n");
  EXPECT_FALSE(fs::exists(victim.string() + ".gone"));
  EXPECT_TRUE(fs::is_symlink(folder / "sys.mtl"));
  fs::remove(victim);
}

TEST_F(CliPlaces, TheUsersOwnLinksAreWrittenThroughAndKept) {
  write("mine.grass", "old");
  fs::create_symlink("mine.grass", folder / "g.grass");
  fs::create_symlink("made.mtl", folder / "g.mtl");  // dangling: the same rule
  ASSERT_EQ(run("create --force --seed 1 g.obj").exitCode, 0) << read("stderr.txt");
  EXPECT_TRUE(fs::is_symlink(folder / "g.grass"));
  EXPECT_TRUE(fs::is_symlink(folder / "g.mtl"));
  EXPECT_NE(read("mine.grass").find("Usage 1 1 grass<sp>1\r\n"), std::string::npos);
  EXPECT_EQ(read("made.mtl").rfind("newmtl g1\r\n", 0), 0u);
}

TEST_F(CliPlaces, LinksOtherUsersPlantInASharedFolderAreNotFollowed) {
  if (!asRoot()) GTEST_SKIP() << "needs root to act as two users";
  fs::create_directories(folder / "shared");
  write("shared/secret", "root only\n");
  ASSERT_EQ(shell("chmod 755 . && chmod 1777 shared && chmod 600 shared/secret").exitCode, 0);
  ASSERT_EQ(shell(std::string(kNobody) + "ln -s secret shared/f.mtl").exitCode, 0);
  ASSERT_EQ(shell(std::string(kNobody) + "ln -s secret shared/s.grass").exitCode, 0);
  for (const char* command : {"create --force shared/f.obj", "materials --force shared/f.mtl",
                              "settings --output shared/s.grass"}) {
    const clsRun refused = run(command);
    EXPECT_EQ(refused.exitCode, 2) << command;
    EXPECT_NE(refused.err.find("is a symbolic link that another user made in a shared folder; it is not followed."),
              std::string::npos)
        << refused.err;
  }
  EXPECT_EQ(read("shared/secret"), "root only\n");
  // Nor is a file of theirs there replaced.
  ASSERT_EQ(shell(std::string(kNobody) + "bash -c 'echo theirs >shared/o.mtl'").exitCode, 0);
  const clsRun theirs = run("create --force shared/o.obj");
  EXPECT_EQ(theirs.exitCode, 2);
  EXPECT_NE(theirs.err.find("shared/o.mtl belongs to another user in a shared folder; it is not replaced."),
            std::string::npos)
      << theirs.err;
  EXPECT_EQ(read("shared/o.mtl"), "theirs\n");
  // A lock file planted as a link makes no file where it points.
  ASSERT_EQ(shell(std::string(kNobody) + "ln -s planted shared/" + lockName("g")).exitCode, 0);
  const clsRun locked = run("create --force shared/g.obj");
  EXPECT_EQ(locked.exitCode, 2);
  EXPECT_NE(locked.err.find("shared/" + lockName("g") + " is a symbolic link; it is not followed."), std::string::npos)
      << locked.err;
  EXPECT_FALSE(fs::exists(folder / "shared/planted"));
  EXPECT_FALSE(fs::exists(folder / "shared/g.mtl"));
}

TEST_F(CliPlaces, DevicesAndPipesAreNeverReplaced) {
  ASSERT_EQ(shell("mkfifo m.mtl m.grass && mkfifo out/f.grass").exitCode, 0);
  std::vector<std::string> commands = {"materials --force m.mtl", "settings --output m.grass", "create --force out/f.obj"};
  if (asRoot()) {
    ASSERT_EQ(shell("mknod devnull c 1 3").exitCode, 0);
    commands.push_back("settings --output devnull");
  }
  for (const std::string& command : commands) {
    const clsRun refused = shell("timeout 20 CLI " + command);
    EXPECT_EQ(refused.exitCode, 2) << command;
    EXPECT_NE(refused.err.find("is not a regular file."), std::string::npos) << refused.err;
  }
  struct stat info {};
  for (const char* pipe : {"m.mtl", "m.grass", "out/f.grass"})
    EXPECT_TRUE(::lstat((folder / pipe).c_str(), &info) == 0 && S_ISFIFO(info.st_mode)) << pipe;
  if (asRoot()) {
    EXPECT_TRUE(::lstat((folder / "devnull").c_str(), &info) == 0 && S_ISCHR(info.st_mode));
  }
  EXPECT_FALSE(fs::exists(folder / "out/f.mtl"));
  // A pipe from the shell is read through /dev/stdin.
  EXPECT_EQ(shell("printf 'Usage 2 1 mine\\r\\n' | CLI check /dev/stdin").exitCode, 0);
  EXPECT_EQ(shell("printf 'Curve x\\r\\n' | CLI check /dev/stdin").exitCode, 1);
}

TEST_F(CliPlaces, ANameThatDoesNotFitStopsTheRunBeforeAnythingChanges) {
  const std::string base(251, 'n');  // base.mtl and base.obj fit in 255 bytes, base.grass does not
  write("out/" + base + ".mtl", "old colours");
  const clsRun refused = run("create --force out/" + base + ".obj");
  EXPECT_EQ(refused.exitCode, 2);
  EXPECT_NE(refused.err.find(base + ".grass: the name is longer than the folder takes (255 bytes).\nNothing was written."),
            std::string::npos)
      << refused.err;
  EXPECT_EQ(read("out/" + base + ".mtl"), "old colours");
  EXPECT_EQ(runFilesIn("out"), 0u);
}

TEST_F(CliPlaces, AFolderMadeInTheObjectsPlaceMidRunPutsTheOldSetBack) {
  ASSERT_EQ(run("create --seed 1 out/t.obj").exitCode, 0);
  const std::string mtl = read("out/t.mtl"), grass = read("out/t.grass");
  write("huge.grass", kMillion);
  // The run is stopped by SIGTERM and commits a shorter set, but the object file's place is a folder by then.
  const clsRun failed = shell(std::string("rm out/t.obj; CLI create --force --seed 2 --settings huge.grass out/t.obj & ") +
                              kWaitForRun + "mkdir out/t.obj; kill -TERM \\$!; wait \\$!");
  EXPECT_EQ(failed.exitCode, 2) << failed.err;
  EXPECT_NE(failed.err.find("Putting the file out/t.obj in its place has failed; no file was replaced."),
            std::string::npos)
      << failed.err;
  EXPECT_EQ(read("out/t.mtl"), mtl);
  EXPECT_EQ(read("out/t.grass"), grass);
  EXPECT_EQ(runFilesIn("out"), 0u);
}

TEST_F(CliPlaces, ALockThatCannotBeTakenRefusesTheRun) {
  fs::create_directories(folder / "out" / lockName("f"));
  const clsRun refused = run("create --force out/f.obj");
  EXPECT_EQ(refused.exitCode, 2);
  EXPECT_NE(refused.err.find("The lock file out/" + lockName("f") + " is a folder.\nNothing was written."),
            std::string::npos)
      << refused.err;
  EXPECT_FALSE(fs::exists(folder / "out/f.mtl"));
  if (!asRoot()) return;
  // Another user's lock left behind: readable, so it is taken and two runs still exclude each other.
  write("huge.grass", kMillion);
  ASSERT_EQ(shell("chmod 755 . && chmod 777 out && chmod 644 huge.grass && touch out/" + lockName("g") +
                  " && chmod 644 out/" + lockName("g")).exitCode,
            0);
  const std::string nobody = std::string(kNobody) + "CLI ";
  const clsRun second = shell(nobody + "create --settings huge.grass out/g.obj & " + kWaitForRun + nobody +
                              "create --force out/g.obj; code=\\$?; kill -TERM %1; wait; exit \\$code");
  EXPECT_EQ(second.exitCode, 2);
  EXPECT_NE(second.err.find("Another run is writing the files of out/g now."), std::string::npos) << second.err;
  EXPECT_TRUE(fs::exists(folder / "out/g.obj"));  // the first run's whole, shorter set
  // One it may not even read is named.
  ASSERT_EQ(shell("touch out/" + lockName("h") + " && chmod 600 out/" + lockName("h")).exitCode, 0);
  const clsRun unreadable = shell(nobody + "create --force out/h.obj");
  EXPECT_EQ(unreadable.exitCode, 2);
  EXPECT_NE(unreadable.err.find("The lock file out/" + lockName("h") + " cannot be opened: Permission denied."),
            std::string::npos)
      << unreadable.err;
}

TEST_F(CliPlaces, SavingSettingsWaitsForTheRunOnItsName) {
  write("huge.grass", kMillion);
  const clsRun saved = shell(std::string("CLI create --settings huge.grass out/t.obj & ") + kWaitForRun +
                             "CLI settings --output out/t.grass; code=\\$?; kill -TERM %1; wait; exit \\$code");
  EXPECT_EQ(saved.exitCode, 2);
  EXPECT_NE(saved.err.find("Another run is writing the files of out/t now."), std::string::npos) << saved.err;
  EXPECT_NE(read("out/t.grass").find("Alpha 1 10 10 1000000 "), std::string::npos);  // the run's, not the default
}

TEST_F(CliPlaces, ADayOldLeftoverOfAnyNameGoesUnlessARunHoldsIt) {
  write("huge.grass", kMillion);
  EXPECT_EQ(shell(std::string("CLI create --settings huge.grass out/a.obj & ") + kWaitForRun +
                  "sleep 0.5; kill -KILL \\$!; wait \\$!").exitCode,
            137);
  const std::size_t killed = runFilesIn("out");
  ASSERT_GE(killed, 3u);  // three temporary files and the lock
  ASSERT_EQ(shell("touch -d '2 days ago' out/.qg-*").exitCode, 0);
  write("out/.qg-0123456789abcdef-fresh1.tmp", "a run of today");
  write("out/.qg-0123456789abcdef-held01.tmp", "a run that holds it");
  ASSERT_EQ(shell("touch -d '2 days ago' out/.qg-0123456789abcdef-held01.tmp").exitCode, 0);
  const clsRun other = shell(
      "flock -s out/.qg-0123456789abcdef-held01.tmp sleep 30 & sleep 0.3; CLI create out/b.obj; code=\\$?; "
      "kill %1; wait; exit \\$code");
  EXPECT_EQ(other.exitCode, 0) << other.err;
  EXPECT_EQ(runFilesIn("out"), 2u);
  EXPECT_TRUE(fs::exists(folder / "out/.qg-0123456789abcdef-fresh1.tmp"));
  EXPECT_TRUE(fs::exists(folder / "out/.qg-0123456789abcdef-held01.tmp"));
}
