// quenmoor-grass-cli: the creation run and the settings text without a window.

#include <cstdio>
#include <iostream>

#include "cli_options.h"
#include "generation/create_dialog.h"
#include "generation/creation_run.h"
#include "generation/save_buttons.h"
#include "generation/settings_files.h"
#include "generation/startup.h"
#include "generation/file_name_check.h"
#include "generation/object_path.h"
#include "materials/mtl_file.h"
#include "model/text_fields.h"
#include "platform/native/console_platform.h"
#include "platform/native/std_file_system.h"
#include "platform/native/system_clock.h"
#include "platform/qt/qt_picture_loader.h"

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
  platform::QtPictureLoader pictures;
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

// The document as the program starts, with FILE (if any) applied as "Open settings..." does.
int openDocument(clsDocument& document, const std::optional<std::string>& settingsFile, clsConsole& console) {
  modStartup::startDocument(document, console.platform);
  if (!settingsFile) return cli::kExitDone;
  return openSettings(document, *settingsFile, console.platform);
}

int runCreate(const cli::clsOptions& options, clsConsole& console) {
  platform::clsPlatform& platform = console.platform;
  clsDocument document(console.platform);
  if (const int code = openDocument(document, options.settingsFile, console); code != cli::kExitDone) return code;
  modCreateDialog::setDiskSpace(document.project.dialog, kMaxDiskLimitMB);
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
    case RunOutcome::MaterialFailed:
    case RunOutcome::SettingsFailed:
    case RunOutcome::ObjectFailed: return cli::kExitFileFailure;
    case RunOutcome::Done:
    case RunOutcome::Stopped: break;
  }
  const std::string stem = result.folder + result.baseName;
  std::cout << "Material file: " << stem << ".mtl\n"
            << "Settings file: " << stem << modSettingsFiles::kSettingsExtension << '\n'
            << "Object file:   " << stem << ".obj\n";
  return result.outcome == RunOutcome::Done ? cli::kExitDone : cli::kExitStopped;
}

// "Save colors only" into OUT.mtl.
int runMaterials(const cli::clsOptions& options, clsConsole& console) {
  clsDocument document(console.platform);
  if (const int code = openDocument(document, options.settingsFile, console); code != cli::kExitDone) return code;
  std::string path = options.path;
  if (path.size() >= 4 && modText::lowerAscii(path.substr(path.size() - 4)) == ".mtl") path.resize(path.size() - 4);
  modCreateDialog::setFileName(document.project.dialog, path);
  if (modFileNameCheck::checkFileName(document.project.dialog.objectPath, ".mtl", console.messages, console.files).passed) {
    const auto parts = modObjectPath::splitObjectPath(document.project.dialog.objectPath);
    const std::string base = modObjectPath::baseName(parts.fileName);
    if (!modMaterialFile::writeMaterialFile(document.project.store, parts.folder, base, console.platform))
      return cli::kExitFileFailure;
    std::cout << "Material file: " << parts.folder << base << ".mtl\n";
    return cli::kExitDone;
  }
  return cli::kExitBadInput;
}

int runSettings(const cli::clsOptions& options, clsConsole& console, bool print) {
  clsDocument document(console.platform);
  const std::optional<std::string> file = options.path.empty() ? std::nullopt : std::optional<std::string>(options.path);
  if (const int code = openDocument(document, file, console); code != cli::kExitDone) return code;
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
    case cli::Command::Materials: return runMaterials(options, console);
    case cli::Command::Settings: return runSettings(options, console, true);
    case cli::Command::Check: return runSettings(options, console, false);
  }
  return cli::kExitBadInput;
}
