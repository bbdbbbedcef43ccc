#include "cli_options.h"

#include <charconv>
#include <optional>

namespace cli {

const char* const kUsage =
    "Usage:\n"
    "  quenmoor-grass-cli create [--format obj|glb] [--settings FILE] [--seed N] [--limit MB] [--note TEXT]\n"
    "                            [--force] OUT.obj\n"
    "      Writes OUT.mtl, OUT.grass and OUT.obj from the built-in settings,\n"
    "      or from FILE applied to them as \"Open settings...\" does.\n"
    "      --format glb  writes OUT.grass and OUT.glb (one binary glTF file, no MTL);\n"
    "               without --format, OUT's extension (.obj or .glb) chooses the format\n"
    "      --limit  disk-space limit in MB, 1 to 2000 (default 2000)\n"
    "      --force  overwrite existing files without asking\n"
    "  quenmoor-grass-cli materials [--settings FILE] [--force] OUT.mtl\n"
    "      Writes only the material file (\"Save colors only\").\n"
    "  quenmoor-grass-cli settings [--output OUT.grass] [FILE]\n"
    "      Prints the settings text \"Save settings\" would write, or writes it to OUT.grass.\n"
    "  quenmoor-grass-cli check FILE        exits 0 when FILE applies cleanly, 1 otherwise\n"
    "  quenmoor-grass-cli --help | --version\n"
    "Exit codes: 0 done, 1 bad input, 2 file failure, 3 cancelled (Ctrl+C) or disk-space limit\n"
    "reached, 4 files written but a coverage or altitude picture could not be read.\n";

bool parseOptions(const std::vector<std::string>& arguments, clsOptions& options, std::string& error) {
  if (arguments.empty() || arguments[0] == "--help" || arguments[0] == "-h") {
    options.command = Command::Help;
    return true;
  }
  if (arguments[0] == "--version") {
    options.command = Command::Version;
    return true;
  }
  const std::string& command = arguments[0];
  if (command == "create") options.command = Command::Create;
  else if (command == "materials") options.command = Command::Materials;
  else if (command == "settings") options.command = Command::Settings;
  else if (command == "check") options.command = Command::Check;
  else {
    error = "unknown command \"" + command + "\"";
    return false;
  }

  std::vector<std::string> positional;
  std::optional<std::string> format;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const bool creates = options.command == Command::Create || options.command == Command::Materials;
    const bool takesValue =
        (creates && argument == "--settings") || (options.command == Command::Settings && argument == "--output") ||
        (options.command == Command::Create && (argument == "--seed" || argument == "--limit" || argument == "--note" ||
                                                  argument == "--format"));
    if (takesValue) {
      if (i + 1 >= arguments.size()) {
        error = argument + " needs a value";
        return false;
      }
      const std::string& value = arguments[++i];
      if (argument == "--settings") options.settingsFile = value;
      else if (argument == "--output") options.output = value;
      else if (argument == "--note") options.note = value;
      else if (argument == "--format") {
        if (generation::formatNamed(value) == nullptr) {
          error = "--format needs obj or glb, not \"" + value + "\"";
          return false;
        }
        format = value;
      }
      else if (argument == "--limit") {
        int limit = 0;
        const auto result = std::from_chars(value.data(), value.data() + value.size(), limit);
        if (result.ec != std::errc() || result.ptr != value.data() + value.size() || limit < 1 || limit > 2000) {
          error = "--limit needs a whole number of MB from 1 to 2000, not \"" + value + "\"";
          return false;
        }
        options.limitMB = limit;
      }
      else {
        std::uint64_t seed = 0;
        const auto result = std::from_chars(value.data(), value.data() + value.size(), seed);
        if (result.ec != std::errc() || result.ptr != value.data() + value.size()) {
          error = "--seed needs a whole number, not \"" + value + "\"";
          return false;
        }
        options.seed = seed;
      }
    } else if (creates && argument == "--force") {
      options.force = true;
    } else if (argument.size() > 1 && argument[0] == '-' && argument != "-") {
      error = "unknown option \"" + argument + "\"";
      return false;
    } else {
      positional.push_back(argument);
    }
  }
  const bool pathRequired = options.command != Command::Settings;
  if (positional.size() > 1 || (pathRequired && positional.empty())) {
    error = pathRequired ? "give exactly one file" : "give at most one file";
    return false;
  }
  if (!positional.empty()) options.path = positional[0];
  if (options.command == Command::Create) {
    const generation::clsObjectFormat* named = generation::formatOfPath(options.path);
    const generation::clsObjectFormat* chosen = format ? generation::formatNamed(*format) : named;
    if (named != nullptr && chosen != named) {
      error = "--format " + *format + " does not match the output name " + options.path + "; give the name " +
              std::string(chosen->extension) + " or leave --format out";
      return false;
    }
    if (chosen != nullptr) options.format = chosen->format;
  }
  return true;
}

}  // namespace cli
