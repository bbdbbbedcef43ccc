#pragma once
// The desktop program's command line: one settings file to open, or --help and --version, and
// where the help and licence files lie relative to the program.

#include <string>
#include <vector>

namespace desktop {

struct clsCommandLine {
  enum class Action { Run, Help, Version, Fail };
  Action action = Action::Run;
  std::string settingsFile;  // Run: the file to open, empty for none
  std::string error;         // Fail: what is wrong
};

namespace modCommandLine {

// arguments: without the program name, after Qt has taken its own options.
clsCommandLine parse(const std::vector<std::string>& arguments);

// The folder that holds Help.txt and License.txt, found from the program's own folder: the
// build tree lays them out as an installation does.
std::string helpFolder(const std::string& programFolder);

// What --help prints.
std::string usageText(const std::string& helpFolder);

}  // namespace modCommandLine

}  // namespace desktop
