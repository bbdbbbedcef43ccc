// Runs quenmoor-grass-cli as a user would and reads back what it wrote.

#include "cli_folder.h"

namespace {

using namespace cli_test;

using Cli = CliFolder;

// The settings text without its layout line ("Seed N"), which a run adds.
std::string withoutSeed(std::string text) {
  const std::size_t at = text.find("Seed ");
  return at == std::string::npos ? text : text.erase(at, text.find("\r\n", at) + 2 - at);
}

// The settings text as saved by a run into out/field.obj.
std::string withObjectPath(std::string text) {
  const std::string empty = "File_Name_Obj <empty>";
  const std::size_t at = text.find(empty);
  return at == std::string::npos ? text : text.replace(at, empty.size(), "File_Name_Obj out/field.obj");
}

const std::string kFrame =
    "# Application_Name Quenmoor Grass\r\n# Application_Version 7\r\n\r\n\r\nmtllib field.mtl\r\n\r\n";

}  // namespace

TEST_F(Cli, CreateWritesTheFrameAndReportsDone) {
  const clsRun created = run("create out/field.obj");
  ASSERT_EQ(created.exitCode, 0) << created.err;
  EXPECT_EQ(readFile(folder / "out/field.obj").rfind(kFrame + "usemtl field", 0), 0u);
  EXPECT_NE(created.err.find("Quenmoor Grass - Done - 100% - 0 min "), std::string::npos);
  EXPECT_NE(created.out.find("out/field.obj"), std::string::npos);
  EXPECT_NE(created.out.find("out/field.grass"), std::string::npos);
  EXPECT_EQ(readFile(folder / "out/field.mtl").rfind("newmtl field1\r\n", 0), 0u);
  EXPECT_EQ(withoutSeed(readFile(folder / "out/field.grass")), withObjectPath(run("settings").out));
}

TEST_F(Cli, FormatGlbWritesTheSettingsAndOneGlbFile) {
  const clsRun created = run("create --format glb --seed 3 out/field.glb");
  ASSERT_EQ(created.exitCode, 0) << created.err;
  EXPECT_EQ(readFile(folder / "out/field.glb").rfind("glTF", 0), 0u);
  EXPECT_FALSE(fs::exists(folder / "out/field.mtl"));
  EXPECT_FALSE(fs::exists(folder / "out/field.obj"));
  EXPECT_NE(created.out.find("Object file:   out/field.glb"), std::string::npos);
  EXPECT_EQ(withoutSeed(readFile(folder / "out/field.grass")), withObjectPath(run("settings").out));
  EXPECT_EQ(run("create --format gltf out/field.glb").exitCode, 1);
}

TEST_F(Cli, TheOutputNamesExtensionChoosesTheFormatAndAContradictionIsRefused) {
  const clsRun named = run("create --seed 3 out/named.GLB");
  ASSERT_EQ(named.exitCode, 0) << named.err;
  EXPECT_EQ(readFile(folder / "out/named.glb").rfind("glTF", 0), 0u);
  EXPECT_FALSE(fs::exists(folder / "out/named.obj"));
  EXPECT_FALSE(fs::exists(folder / "out/named.mtl"));
  for (const char* contradiction : {"create --format obj out/other.glb", "create --format glb out/other.obj"}) {
    const clsRun refused = run(contradiction);
    EXPECT_EQ(refused.exitCode, 1) << contradiction;
    EXPECT_NE(refused.err.find("does not match the output name"), std::string::npos) << refused.err;
  }
  EXPECT_TRUE(fs::is_empty(folder / "out") || !fs::exists(folder / "out/other.glb"));
  EXPECT_FALSE(fs::exists(folder / "out/other.obj"));
}

TEST_F(Cli, NotesSeedsAndLimits) {
  const clsRun created = run("create --note tall --seed 7 --limit 1 out/field.obj");
  ASSERT_EQ(created.exitCode, 0) << created.err;
  EXPECT_EQ(readFile(folder / "out/field.obj").rfind("# tall\r\n" + kFrame, 0), 0u);
  // A note of one word is marked, so that it comes back without a blank of its own.
  EXPECT_EQ(readFile(folder / "out/field.grass").rfind("<note> tall\r\n\r\nUsage 1 1 grass<sp>1\r\n", 0), 0u);
  EXPECT_NE(readFile(folder / "out/field.grass").find("\r\nSeed 7\r\n"), std::string::npos);
}

// A note with LF, CR or CR LF line breaks: every line stays a note line (in the settings file,
// marked where it would read as a record), and the file it makes passes check.
TEST_F(Cli, NoteLinesOfEveryLineBreakStayNoteLines) {
  for (const std::string lineBreak : {"\\n", "\\r", "\\r\\n"}) {
    const clsRun created =
        run("create --force --note $'my field" + lineBreak + "Usage 3 1 hijacked" + lineBreak + "Curve 1' --seed 1 n.obj");
    ASSERT_EQ(created.exitCode, 0) << created.err;
    const std::string saved = read("n.grass");
    EXPECT_EQ(saved.rfind("my field\r\n<note> Usage 3 1 hijacked\r\n<note> Curve 1\r\n\r\nUsage 1 1 ", 0), 0u) << saved;
    EXPECT_EQ(read("n.obj").rfind("# my field\r\n# Usage 3 1 hijacked\r\n# Curve 1\r\n# Application_Name", 0), 0u);
    const clsRun checked = run("check n.grass");
    EXPECT_EQ(checked.exitCode, 0) << checked.err;
    EXPECT_NE(run("settings n.grass").out.find("Usage 3 0 grass<sp>3\r\n"), std::string::npos);
  }
}

TEST_F(Cli, SettingsFileIsAppliedOverTheDefaults) {
  write("my.grass", "Usage 2 1 wide<sp>blades\r\nUsage_Info .25\r\n");
  const clsRun printed = run("settings my.grass");
  ASSERT_EQ(printed.exitCode, 0) << printed.err;
  EXPECT_NE(printed.out.find("Usage 1 1 grass<sp>1\r\nUsage 2 1 wide<sp>blades\r\n"), std::string::npos);
  EXPECT_NE(printed.out.find("Usage_Info .25\r\n"), std::string::npos);
  ASSERT_EQ(run("create --settings my.grass out/field.obj").exitCode, 0);
  EXPECT_EQ(withoutSeed(readFile(folder / "out/field.grass")), withObjectPath(printed.out));
  // The saved file holds the layout: a run from it makes the same field, unless --seed says otherwise.
  const std::string field = readFile(folder / "out/field.obj");
  write("saved.grass", readFile(folder / "out/field.grass"));
  ASSERT_EQ(run("create --force --settings saved.grass out/field.obj").exitCode, 0);
  EXPECT_TRUE(readFile(folder / "out/field.obj") == field);
  ASSERT_EQ(run("create --force --seed 5 --settings saved.grass out/field.obj").exitCode, 0);
  EXPECT_TRUE(readFile(folder / "out/field.obj") != field);
}

TEST_F(Cli, MaterialsAlone) {
  write("blue.grass", "Material 2 0 0 16711680 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 <empty> <empty>\r\n");
  const clsRun saved = run("materials --settings blue.grass out/Meadow.MTL");
  ASSERT_EQ(saved.exitCode, 0) << saved.err;
  const std::string mtl = readFile(folder / "out/Meadow.mtl");
  EXPECT_NE(mtl.find("newmtl Meadow11\r\nKd 0 0 1\r\n"), std::string::npos);
  EXPECT_FALSE(fs::exists(folder / "out/Meadow.obj"));
  EXPECT_EQ(run("materials out/Meadow.mtl").exitCode, 1);  // exists: not without --force
  EXPECT_EQ(run("materials --force out/Meadow.mtl").exitCode, 0);
}

TEST_F(Cli, BadInputAndFileFailures) {
  write("bad.grass", "Usage 1\r\n");
  const clsRun checked = run("check bad.grass");
  EXPECT_EQ(checked.exitCode, 1);
  EXPECT_NE(checked.err.find("An error occurred in the settings file:\n\nLine 1 at \"usage\"."), std::string::npos);
  EXPECT_EQ(run("create --settings bad.grass out/field.obj").exitCode, 1);
  EXPECT_FALSE(fs::exists(folder / "out/field.obj"));

  write("good.grass", "a note first\r\nUsage 1 1 x\r\n");
  EXPECT_EQ(run("check good.grass").exitCode, 0);
  EXPECT_EQ(run("check missing.grass").exitCode, 2);
  EXPECT_EQ(run("create no/such/folder/field.obj").exitCode, 2);
  EXPECT_EQ(run("create /etc/field.obj").exitCode, 1);
  EXPECT_EQ(run("frobnicate").exitCode, 1);
  EXPECT_EQ(run("create --seed abc x.obj").exitCode, 1);
  EXPECT_EQ(run("create").exitCode, 1);
  const clsRun help = run("--help");
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("Usage:"), std::string::npos);
  EXPECT_EQ(run("--version").out, "quenmoor-grass-cli 7\n");
}
