#pragma once
// A scratch folder in which the command-line tool is run as a user would run it from a shell.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace cli_test {

namespace fs = std::filesystem;

struct clsRun {
  int exitCode;
  std::string out;
  std::string err;
};

inline std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class CliFolder : public ::testing::Test {
 protected:
  CliFolder() {
    // The process number keeps two builds' test runs on one machine out of each other's way.
    const ::testing::TestInfo& test = *::testing::UnitTest::GetInstance()->current_test_info();
    folder = fs::temp_directory_path() / (std::string("quenmoor-cli-") + test.test_suite_name() + "-" + test.name() +
                                          "-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder / "out");
  }
  ~CliFolder() override { fs::remove_all(folder); }

  // Runs a shell command line in the folder; "CLI" stands for the tool.
  clsRun shell(std::string line) {
    for (std::size_t at = line.find("CLI"); at != std::string::npos; at = line.find("CLI", at + 1))
      line.replace(at, 3, "'" QUENMOOR_CLI "'");
    const std::string command = "cd '" + folder.string() + "' && (" + line + ") >stdout.txt 2>stderr.txt </dev/null";
    const int status = std::system(("bash -c \"" + command + "\"").c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(folder / "stdout.txt"),
            readFile(folder / "stderr.txt")};
  }
  clsRun run(const std::string& arguments) { return shell("CLI " + arguments); }
  void write(const std::string& name, const std::string& text) { std::ofstream(folder / name, std::ios::binary) << text; }
  std::string read(const std::string& name) { return readFile(folder / name); }

  fs::path folder;
};

}  // namespace cli_test
