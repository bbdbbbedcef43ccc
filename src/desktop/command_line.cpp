#include "desktop/command_line.h"

#include <QDir>
#include <QString>

namespace desktop::modCommandLine {

clsCommandLine parse(const std::vector<std::string>& arguments) {
  clsCommandLine line;
  bool optionsEnd = false;
  for (const std::string& argument : arguments) {
    if (!optionsEnd && (argument == "--help" || argument == "-h")) return {clsCommandLine::Action::Help, {}, {}};
    if (!optionsEnd && argument == "--version") return {clsCommandLine::Action::Version, {}, {}};
    if (!optionsEnd && argument == "--") {
      optionsEnd = true;
    } else if (!optionsEnd && argument.size() > 1 && argument[0] == '-') {
      return {clsCommandLine::Action::Fail, {}, "unknown option \"" + argument + "\""};
    } else if (!line.settingsFile.empty()) {
      return {clsCommandLine::Action::Fail, {}, "give at most one settings file"};
    } else {
      line.settingsFile = argument;
    }
  }
  return line;
}

std::string helpFolder(const std::string& programFolder) {
  return QDir::cleanPath(QString::fromStdString(programFolder) + "/" + QUENMOOR_DOC_FROM_BIN).toStdString();
}

std::string usageText(const std::string& helpFolder) {
  return "Usage: quenmoor-grass [FILE.grass]\n"
         "  Starts the desktop program; FILE.grass is opened as \"Open settings...\" does.\n"
         "  quenmoor-grass --help | --version\n"
         "Help on every window: " + helpFolder + "/Help.txt\n"
         "License: " + helpFolder + "/License.txt\n"
         "The command-line tool quenmoor-grass-cli creates fields without a window.\n";
}

}  // namespace desktop::modCommandLine
