#pragma once
// The command line of quenmoor-grass-cli.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "generation/run_settings.h"

namespace cli {

enum class Command { Help, Version, Create, Materials, Settings, Check };

struct clsOptions {
  Command command = Command::Help;
  std::optional<std::string> settingsFile;
  std::optional<std::uint64_t> seed;
  std::optional<int> limitMB;
  std::optional<std::string> note;
  // create: the object file's format; without --format the output name's extension decides.
  generation::ObjectFormat format = generation::ObjectFormat::Obj;
  bool force = false;
  std::optional<std::string> output;  // settings: the file to write instead of standard output
  std::string path;  // OUT.obj for create, OUT.mtl for materials, FILE for settings and check
};

// Exit codes of the tool.
inline constexpr int kExitDone = 0;
inline constexpr int kExitBadInput = 1;
inline constexpr int kExitFileFailure = 2;
inline constexpr int kExitStopped = 3;
// The files were written, but a coverage or altitude picture could not be read, so its element
// was made without it.
inline constexpr int kExitPictureMissing = 4;

// False, with error set, when the arguments do not make a command.
bool parseOptions(const std::vector<std::string>& arguments, clsOptions& options, std::string& error);

extern const char* const kUsage;

}  // namespace cli
