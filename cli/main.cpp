// quenmoor-grass-cli: the creation run and the settings text without a window.

#include <cstdio>
#include <exception>
#include <iostream>
#include <new>

#include "cli_options.h"
#include "document/create_dialog.h"
#include "document/creation_run.h"
#include "generation/file_name_check.h"
#include "generation/map_records.h"
#include "generation/object_path.h"
#include "document/save_buttons.h"
#include "document/settings_files.h"
#include "document/startup.h"
#include "model/text_fields.h"
#include "platform/file_failure.h"
#include "platform/native/console_platform.h"
#include "platform/native/std_file_system.h"
#include "platform/native/system_clock.h"
#include "platform/qt/qt_picture_loader.h"

namespace {

using namespace generation;
using document::clsDocument;
using document::RunOutcome;
using document::clsRunResult;

struct clsConsole {
  explicit clsConsole(bool force) : messages(output, force), status(output) {}
  platform::ConsoleOutput output;
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
int openSettings(clsDocument& document, const std::string& path, platform::clsPlatform& platform,
                 std::string* fileBytes) {
  if (platform.files.isFolder(path)) {
    platform.messages.showMessage(path + " is a folder, not a settings file.");
    return cli::kExitFileFailure;
  }
  if (!platform.files.exists(path)) {
    platform.messages.showMessage("The settings file " + path + " does not exist.");
    return cli::kExitFileFailure;
  }
  switch (modSettingsFiles::openSettings(document, path, platform, fileBytes)) {
    case modSettingsFiles::OpenResult::Opened: return cli::kExitDone;
    case modSettingsFiles::OpenResult::FileFailed: return cli::kExitFileFailure;
    case modSettingsFiles::OpenResult::TextFailed: break;
  }
  return cli::kExitBadInput;
}

// The document as the program starts, with FILE (if any) applied as "Open settings..." does.
int openDocument(clsDocument& document, const std::optional<std::string>& settingsFile, clsConsole& console,
                 std::string* fileBytes = nullptr) {
  modStartup::startDocument(document, console.platform);
  if (!settingsFile) return cli::kExitDone;
  return openSettings(document, *settingsFile, console.platform, fileBytes);
}

// Names every picture of the document that could not be read; true when there was none.
bool reportUnreadablePictures(const clsDocument& document, platform::IStatusLine& status, std::string_view outcome) {
  const auto unreadable = modMapRecords::unreadablePictures(document.project.store, document.project.pictures);
  for (const auto& picture : unreadable)
    status.setTitle("Warning: the " + std::string(picture.altitude ? "altitude" : "coverage") + " picture \"" +
                    picture.path + "\" of element " + std::to_string(picture.element) + " cannot be read; " +
                    std::string(outcome));
  return unreadable.empty();
}

int runCreate(const cli::clsOptions& options, clsConsole& console) {
  platform::clsPlatform& platform = console.platform;
  clsDocument document(console.platform);
  if (const int code = openDocument(document, options.settingsFile, console); code != cli::kExitDone) return code;
  modCreateDialog::setDiskSpace(document.session, options.limitMB.value_or(kMaxDiskLimitMB));
  if (options.note) modCreateDialog::setNote(document.project.dialog, *options.note);
  document.session.format = options.format;
  modCreateDialog::setFileName(document.project.dialog, options.path);

  // --seed wins over the settings file's layout; with neither the layout is a fresh one.
  std::optional<std::uint64_t>& layout = document.project.dialog.layoutSeed;
  if (options.seed) layout = *options.seed;
  if (!layout) layout = console.clock.seedValue();
  model::clsRandom random(*layout);
  clsCreation creation{platform, random};
  console.events.onCancel = [&creation] { creation.cancelRequested = true; };

  const clsRunResult result = modCreationRun::runCreation(document, creation);
  switch (result.outcome) {
    case RunOutcome::NameRefused: return cli::kExitBadInput;
    case RunOutcome::FilesRefused:
    case RunOutcome::MaterialFailed:
    case RunOutcome::SettingsFailed:
    case RunOutcome::ObjectFailed: return cli::kExitFileFailure;
    case RunOutcome::Done:
    case RunOutcome::Stopped: break;
  }
  if (result.outcome == RunOutcome::Stopped)
    console.status.setTitle(modCreateObject::stopLine(result.itemsInFile, result.code, document.session.diskLimitMB));
  const bool picturesRead =
      reportUnreadablePictures(document, console.status, "its element was made without it.");
  const std::string stem = result.folder + result.baseName;
  if (objectFormat(options.format).materialFile) std::cout << "Material file: " << stem << ".mtl\n";
  std::cout << "Settings file: " << stem << modSettingsFiles::kSettingsExtension << '\n'
            << "Object file:   " << stem << objectExtension(document.session.format) << '\n'
            << std::flush;
  if (result.outcome == RunOutcome::Stopped) return cli::kExitStopped;
  return picturesRead ? cli::kExitDone : cli::kExitPictureMissing;
}

// "Save colors only" into OUT.mtl.
int runMaterials(const cli::clsOptions& options, clsConsole& console) {
  clsDocument document(console.platform);
  if (const int code = openDocument(document, options.settingsFile, console); code != cli::kExitDone) return code;
  std::string path = options.path;
  if (path.size() >= 4 && modText::lowerAscii(path.substr(path.size() - 4)) == ".mtl") path.resize(path.size() - 4);
  modCreateDialog::setFileName(document.project.dialog, path);
  switch (modSaveButtons::saveColors(document, console.platform)) {
    case modSaveButtons::SaveOutcome::NameRefused: return cli::kExitBadInput;
    case modSaveButtons::SaveOutcome::Failed: return cli::kExitFileFailure;
    case modSaveButtons::SaveOutcome::Saved: break;
  }
  const auto parts = modObjectPath::splitObjectPath(document.project.dialog.objectPath);
  std::cout << "Material file: " << parts.folder << modObjectPath::baseName(parts.fileName) << ".mtl\n" << std::flush;
  return cli::kExitDone;
}

// Standard output is checked to the last byte: a settings text cut short must not pass as whole.
int printWhole(const std::string& text, clsConsole& console) {
  const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
  if (written && std::fflush(stdout) == 0) return cli::kExitDone;
  console.messages.showMessage("Writing the settings text to standard output has failed.");
  return cli::kExitFileFailure;
}

// settings --output: the same place check as every save, and the lock of the base name, so that
// it never writes into a run's files.
int saveSettingsText(const std::string& path, const std::string& text, clsConsole& console) {
  if (modFileNameCheck::inSystemFolder(path, console.files)) {
    console.messages.showMessage("You cannot write objects to system folders.");
    return cli::kExitBadInput;
  }
  if (!console.files.checkTarget(path)) {
    console.messages.showMessage("An error occurred while writing the settings file.\n" + console.files.lastError());
    return cli::kExitFileFailure;
  }
  const std::string_view extension = modSettingsFiles::kSettingsExtension;
  std::string stem = path;
  if (stem.size() > extension.size() && stem.compare(stem.size() - extension.size(), extension.size(), extension) == 0)
    stem.resize(stem.size() - extension.size());
  bool busy = false;
  const auto lock = console.files.lockBaseName(stem, busy);
  if (lock == nullptr) {
    console.messages.showMessage(busy ? "Another run is writing the files of " + stem +
                                            " now.\nTry again when it has finished.\nNothing was written."
                                      : console.files.lastError() + "\nNothing was written.");
    return cli::kExitFileFailure;
  }
  if (platform::writeWholeFile(console.files, path, text) != platform::FileStatus::Ok) {
    console.messages.showMessage(
        platform::failureText("An error occurred while writing the settings file.", path, console.files));
    return cli::kExitFileFailure;
  }
  return cli::kExitDone;
}

int runSettings(const cli::clsOptions& options, clsConsole& console, bool print) {
  clsDocument document(console.platform);
  const std::optional<std::string> file = options.path.empty() ? std::nullopt : std::optional<std::string>(options.path);
  std::string bytes;
  if (const int code = openDocument(document, file, console, &bytes); code != cli::kExitDone) return code;
  if (!print) {
    // Every line no record takes becomes the note: a file without a single record is no settings file.
    if (file && !modSettingsFiles::holdsSettingsRecord(bytes)) {
      console.messages.showMessage(*file + " holds no settings record: opened, its whole text would become the note.");
      return cli::kExitBadInput;
    }
    return reportUnreadablePictures(document, console.status, "the settings do not apply cleanly.")
               ? cli::kExitDone
               : cli::kExitBadInput;
  }
  const std::string text = modSettingsFiles::settingsFileText(document);
  if (!options.output) return printWhole(text, console);
  return saveSettingsText(*options.output, text, console);
}

int runCommand(const cli::clsOptions& options) {
  clsConsole console(options.force);
  switch (options.command) {
    case cli::Command::Help: return printWhole(cli::kUsage, console);
    case cli::Command::Version:
      return printWhole("quenmoor-grass-cli " + std::string(kApplicationVersion) + "\n", console);
    case cli::Command::Create: return runCreate(options, console);
    case cli::Command::Materials: return runMaterials(options, console);
    case cli::Command::Settings: return runSettings(options, console, true);
    case cli::Command::Check: return runSettings(options, console, false);
  }
  return cli::kExitBadInput;
}

}  // namespace

int main(int argc, char** argv) {
  platform::ignoreBrokenPipes();
  try {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    cli::clsOptions options;
    std::string error;
    if (!cli::parseOptions(arguments, options, error)) {
      std::cerr << "quenmoor-grass-cli: " << error << "\n\n" << cli::kUsage;
      return cli::kExitBadInput;
    }
    return runCommand(options);
  } catch (const std::bad_alloc&) {
    std::cerr << "quenmoor-grass-cli: there is not enough memory for this input.\n";
    return cli::kExitBadInput;
  } catch (const std::exception& failure) {
    std::cerr << "quenmoor-grass-cli: " << failure.what() << '\n';
    return cli::kExitFileFailure;
  } catch (...) {
    std::cerr << "quenmoor-grass-cli: an unexpected failure ended the program.\n";
    return cli::kExitFileFailure;
  }
}
