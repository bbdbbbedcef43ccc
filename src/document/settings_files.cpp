#include "document/settings_files.h"

#include "model/default_texts.h"
#include "model/text_encoding.h"
#include "platform/file_failure.h"

namespace modSettingsFiles {

using document::clsDocument;

void applyDefaults(clsDocument& document, platform::clsPlatform& platform) {
  document.project.dialog.objectPath.clear();
  modSettings::applySettingsText(document.registry(), modDefaults::defaultElementText(), platform.messages,
                                 document.project.dialog.note);
  modStore::setActiveElement(document.project.store, 1);
}

std::string settingsText(const clsDocument& document) {
  return modSettings::buildSettingsText(document.registry(), document.project.dialog.note);
}

std::string settingsFileText(const clsDocument& document) { return modTextEncoding::toFileBytes(settingsText(document)); }

void resetSettings(clsDocument& document, platform::clsPlatform& platform) {
  applyDefaults(document, platform);
  platform.status.setTitle(platform::titleWith(" - Reset settings done"));
}

bool applyUserText(clsDocument& document, std::string_view text, platform::clsPlatform& platform) {
  // Some editors start a UTF-8 file with a byte-order mark; it is no part of the first record.
  // Files joined together carry one at the start of a later line too: those go as well, so that
  // no note line keeps one that the next open would take away.
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  std::string cleaned;
  if (text.find(kByteOrderMark) != std::string_view::npos) {
    cleaned.reserve(text.size());
    bool lineStart = true;
    for (std::size_t i = 0; i < text.size();) {
      if (lineStart && text.substr(i, kByteOrderMark.size()) == kByteOrderMark) {
        i += kByteOrderMark.size();
        continue;
      }
      lineStart = text[i] == '\n';
      cleaned += text[i++];
    }
    text = cleaned;
  }
  const document::clsProject before = document.project;
  applyDefaults(document, platform);
  // The layout comes with the text; a text without one gets a fresh layout.
  document.project.dialog.layoutSeed.reset();
  if (!modSettings::applySettingsText(document.registry(), text, platform.messages, document.project.dialog.note)) {
    document.project = before;
    return false;
  }
  modStore::setActiveElement(document.project.store, 1);
  return true;
}

OpenResult openSettings(clsDocument& document, const std::string& path, platform::clsPlatform& platform) {
  std::string text;
  const platform::FileStatus read = platform.files.readFile(path, text);
  if (read != platform::FileStatus::Ok) {
    platform::reportFileFailure(platform, read, path, "An error occurred while opening the settings file.",
                                "An error occurred while reading the settings.", " - Open settings failed");
    return OpenResult::FileFailed;
  }
  if (!applyUserText(document, modTextEncoding::fromFileBytes(text), platform)) {
    platform.status.setTitle(platform::titleWith(" - Open settings failed"));
    return OpenResult::TextFailed;
  }
  platform.status.setTitle(platform::titleWith(" - Open settings done"));
  return OpenResult::Opened;
}

bool saveSettingsFile(const clsDocument& document, std::string_view folder, std::string_view baseName,
                      platform::clsPlatform& platform) {
  const std::string path = std::string(folder) + std::string(baseName) + std::string(kSettingsExtension);
  return platform::saveReported(platform, path, settingsFileText(document), kSaveTexts);
}

void copySettings(const clsDocument& document, platform::clsPlatform& platform) {
  platform.clipboard.clear();
  platform.clipboard.setText(settingsText(document));
  platform.status.setTitle(platform::titleWith(" - Copy done"));
}

bool pasteSettings(clsDocument& document, platform::clsPlatform& platform) {
  if (!applyUserText(document, platform.clipboard.text(), platform)) {
    platform.status.setTitle(platform::titleWith(" - Paste failed"));
    return false;
  }
  platform.status.setTitle(platform::titleWith(" - Paste done"));
  return true;
}

}  // namespace modSettingsFiles
