#include "document/settings_files.h"

#include <algorithm>
#include <array>
#include <set>

#include "model/default_texts.h"
#include "model/text_fields.h"
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

namespace {

// Some editors start a UTF-8 file with a byte-order mark; it is no part of the first record.
// Files joined together carry one at the start of a later line too: those go as well, so that
// no note line keeps one that the next open would take away. Returns the text itself when it
// holds none, else cleaned.
std::string_view withoutByteOrderMarks(std::string_view text, std::string& cleaned) {
  constexpr std::string_view kMark = modSettings::kByteOrderMark;
  if (text.find(kMark) == std::string_view::npos) return text;
  cleaned.reserve(text.size());
  bool lineStart = true;
  for (std::size_t i = 0; i < text.size();) {
    if (lineStart && text.substr(i, kMark.size()) == kMark) {
      i += kMark.size();
      continue;
    }
    lineStart = text[i] == '\n';
    cleaned += text[i++];
  }
  return cleaned;
}

}  // namespace

bool isSettingsText(std::string_view text) { return text.find('\0') == std::string_view::npos; }

bool holdsSettingsRecord(std::string_view text) {
  std::string cleaned;
  return isSettingsText(text) && modSettings::holdsRecord(withoutByteOrderMarks(text, cleaned));
}

bool holdsWholeDesign(std::string_view text) {
  if (!isSettingsText(text)) return false;
  // All but "seed", which a design without a layout lacks.
  constexpr std::array<std::string_view, 12> kAlwaysWritten = {
      "Usage", "Usage_Info", "Curve", "Shape", "Node_Wi", "Size_Rot", "Material", "Alpha", "Bump",
      "File_Name_Obj", "Application_Name", "Application_Version"};
  std::set<std::string_view> found;
  for (std::string_view line : modText::splitLines(text)) found.insert(line.substr(0, line.find(' ')));
  return std::all_of(kAlwaysWritten.begin(), kAlwaysWritten.end(),
                     [&found](std::string_view keyword) { return found.count(keyword) != 0; });
}

bool applyUserText(clsDocument& document, std::string_view userText, platform::clsPlatform& platform) {
  // Program files, pictures and the like hold zero bytes, which would only corrupt the note.
  if (!isSettingsText(userText)) {
    platform.messages.showMessage(std::string(kNotSettingsTextMessage));
    return false;
  }
  std::string cleaned;
  const std::string_view text = withoutByteOrderMarks(userText, cleaned);
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

OpenResult openSettings(clsDocument& document, const std::string& path, platform::clsPlatform& platform,
                        std::string* fileBytes) {
  std::string text;
  const platform::FileStatus read = platform.files.readFile(path, text);
  if (read != platform::FileStatus::Ok) {
    platform::reportFileFailure(platform, read, path, "An error occurred while opening the settings file.",
                                "An error occurred while reading the settings.", " - Open settings failed");
    return OpenResult::FileFailed;
  }
  if (fileBytes != nullptr) *fileBytes = text;
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
