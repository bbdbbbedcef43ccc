#include "generation/settings_files.h"

#include "model/default_texts.h"

namespace modSettingsFiles {

using generation::clsDocument;

namespace {

constexpr std::string_view kUnknownCause = "\nThe application doesn't know what the error is about.";

void resetValues(clsDocument& document, platform::clsPlatform& platform) {
  document.project.dialog.objectPath.clear();
  modSettings::applySettingsText(document.registry(), modDefaults::defaultElementText(), platform.messages,
                                 document.project.dialog.note);
  modStore::setActiveElement(document.project.store, 1);
}

}  // namespace

std::string settingsText(const clsDocument& document) {
  return modSettings::buildSettingsText(document.registry(), document.project.dialog.note);
}

void resetSettings(clsDocument& document, platform::clsPlatform& platform) {
  resetValues(document, platform);
  platform.status.setTitle(platform::titleWith(" - Reset settings done"));
}

bool applyUserText(clsDocument& document, std::string_view text, platform::clsPlatform& platform) {
  const generation::clsProject before = document.project;
  resetValues(document, platform);
  if (!modSettings::applySettingsText(document.registry(), text, platform.messages, document.project.dialog.note)) {
    document.project = before;
    return false;
  }
  modStore::setActiveElement(document.project.store, 1);
  return true;
}

bool openSettingsFile(clsDocument& document, const std::string& path, platform::clsPlatform& platform) {
  std::string text;
  const platform::FileStatus read = platform.files.readFile(path, text);
  if (read != platform::FileStatus::Ok) {
    platform.messages.showMessage(read == platform::FileStatus::OpenFailed
                                      ? "An error occurred while opening the settings file." + std::string(kUnknownCause)
                                      : "An error occurred while reading the settings." + std::string(kUnknownCause));
    platform.status.setTitle(platform::titleWith(" - Open settings failed"));
    return false;
  }
  if (!applyUserText(document, text, platform)) {
    platform.status.setTitle(platform::titleWith(" - Open settings failed"));
    return false;
  }
  platform.status.setTitle(platform::titleWith(" - Open settings done"));
  return true;
}

bool saveSettingsFile(const clsDocument& document, std::string_view folder, std::string_view baseName,
                      platform::clsPlatform& platform) {
  const std::string path = std::string(folder) + std::string(baseName) + std::string(kSettingsExtension);
  const platform::FileStatus written = platform.files.writeFile(path, settingsText(document), false);
  if (written != platform::FileStatus::Ok) {
    platform.messages.showMessage(written == platform::FileStatus::OpenFailed
                                      ? "An error occurred while opening the settings file." + std::string(kUnknownCause)
                                      : "An error occurred while writing the settings file." + std::string(kUnknownCause));
    platform.status.setTitle(platform::titleWith(" - Save settings failed"));
    return false;
  }
  platform.status.setTitle(platform::titleWith(" - Save settings done"));
  return true;
}

void copySettings(const clsDocument& document, platform::clsPlatform& platform) {
  platform.clipboard.clear();
  platform.clipboard.setText(settingsText(document));
  platform.status.setTitle(platform::titleWith(" - Copy done"));
}

bool pasteSettings(clsDocument& document, platform::clsPlatform& platform) {
  if (!applyUserText(document, platform.clipboard.text(), platform)) return false;
  platform.status.setTitle(platform::titleWith(" - Paste done"));
  return true;
}

}  // namespace modSettingsFiles
