// quenmoor-grass-cli: the creation run and the settings text without a window.

#include <cstdio>
#include <iostream>

#include "cli_options.h"
#include "generation/create_dialog.h"
#include "generation/creation_run.h"
#include "generation/settings_files.h"
#include "platform/native/console_platform.h"
#include "platform/native/std_file_system.h"
#include "platform/native/system_clock.h"

namespace {

using namespace generation;

struct clsConsole {
  explicit clsConsole(bool force) : messages(force) {}
  platform::ConsoleMessages messages;
  platform::ConsoleStatus status;
  platform::ConsoleEvents events;
  platform::MemoryClipboard clipboard;
  platform::MemoryUserStore userStore;
  platform::SystemClock clock;
  platform::StdFileSystem files;
  platform::NoPictureLoader pictures;
  platform::clsPlatform platform{messages, status, events, clipboard, userStore, clock, files, pictures};
};

// Applies FILE over the built-in values as "Open settings..." does.
int openSettings(clsDocument& document, const std::string& path, platform::clsPlatform& platform) {
  if (!platform.files.exists(path)) {
    platform.messages.showMessage("The settings file " + path + " does not exist.");
    return cli::kExitFileFailure;
  }
  return modSettingsFiles::openSettingsFile(document, path, platform) ? cli::kExitDone : cli::kExitBadInput;
}

int runCreate(const cli::clsOptions& options, clsConsole& console) {
  platform::clsPlatform& platform = console.platform;
  clsDocument document;
  modSettingsFiles::applyDefaults(document, platform);
  modCreateDialog::setDiskSpace(document.project.dialog, kMaxDiskLimitMB);
  if (options.settingsFile) {
    const int code = openSettings(document, *options.settingsFile, platform);
    if (code != cli::kExitDone) return code;
  }
  if (options.limitMB) modCreateDialog::setDiskSpace(document.project.dialog, *options.limitMB);
  if (options.note) modCreateDialog::setNote(document.project.dialog, *options.note);
  modCreateDialog::setFileName(document.project.dialog, options.path);

  model::clsRandom random(options.seed ? *options.seed : console.clock.seedValue());
  clsObjWriter writer;
  writer.services = {&console.files, &console.status, &console.events};
  console.events.onCancel = [&writer] { modWriting::requestCancel(writer); };
  clsCreation creation{platform, random, writer};

  const clsRunResult result = modCreationRun::runCreation(document, creation);
  switch (result.outcome) {
    case RunOutcome::NameRefused: return cli::kExitBadInput;
    case RunOutcome::SettingsFailed:
    case RunOutcome::ObjectFailed: return cli::kExitFileFailure;
    case RunOutcome::Done:
    case RunOutcome::Stopped: break;
  }
  const std::string stem = result.folder + result.baseName;
  std::cout << "Settings file: " << stem << modSettingsFiles::kSettingsExtension << '\n'
            << "Object file:   " << stem << ".obj\n";
  return result.outcome == RunOutcome::Done ? cli::kExitDone : cli::kExitStopped;
}

int runSettings(const cli::clsOptions& options, clsConsole& console, bool print) {
  clsDocument document;
  modSettingsFiles::applyDefaults(document, console.platform);
  if (!options.path.empty()) {
    const int code = openSettings(document, options.path, console.platform);
    if (code != cli::kExitDone) return code;
  }
  if (print) {
    const std::string text = modSettingsFiles::settingsText(document);
    std::fwrite(text.data(), 1, text.size(), stdout);
  }
  return cli::kExitDone;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  cli::clsOptions options;
  std::string error;
  if (!cli::parseOptions(arguments, options, error)) {
    std::cerr << "quenmoor-grass-cli: " << error << "\n\n" << cli::kUsage;
    return cli::kExitBadInput;
  }
  clsConsole console(options.force);
  switch (options.command) {
    case cli::Command::Help: std::cout << cli::kUsage; return cli::kExitDone;
    case cli::Command::Version: std::cout << "quenmoor-grass-cli " << kApplicationVersion << '\n'; return cli::kExitDone;
    case cli::Command::Create: return runCreate(options, console);
    case cli::Command::Settings: return runSettings(options, console, true);
    case cli::Command::Check: return runSettings(options, console, false);
  }
  return cli::kExitBadInput;
}
