#pragma once
// Settings beside the object file, on the clipboard and as the built-in defaults.

#include <string>
#include <string_view>

#include "document/document.h"
#include "platform/file_failure.h"

namespace modSettingsFiles {

// Clears the object path, applies the default element text and selects element 1.
void applyDefaults(document::clsDocument& document, platform::clsPlatform& platform);
// "Default settings": applyDefaults, reported in the title.
void resetSettings(document::clsDocument& document, platform::clsPlatform& platform);

// Resets, then applies text. All or nothing: when a line cannot be applied its message is
// shown and the document is left exactly as it was before the call.
// A text with a zero byte is refused with kNotSettingsTextMessage.
bool applyUserText(document::clsDocument& document, std::string_view text, platform::clsPlatform& platform);
inline constexpr std::string_view kNotSettingsTextMessage =
    "This is not a settings text: it holds zero bytes, as programs and pictures do. The design stays as it was.";
// False for a text with a zero byte; such a text is refused everywhere.
bool isSettingsText(std::string_view text);
// True when at least one line of text is a record; otherwise opening it would make the whole
// text the note.
bool holdsSettingsRecord(std::string_view text);
// True when text holds every record the program writes in each settings text it makes (a
// recovery file the program wrote itself does); false for anything else, a zero byte included.
bool holdsWholeDesign(std::string_view text);

enum class OpenResult { Opened, FileFailed, TextFailed };
// Opened only when the whole file was read and applied; otherwise the document is as it was.
// fileBytes, when given, receives the bytes read, so that a pipe is read only once.
OpenResult openSettings(document::clsDocument& document, const std::string& path, platform::clsPlatform& platform,
                        std::string* fileBytes = nullptr);
bool saveSettingsFile(const document::clsDocument& document, std::string_view folder, std::string_view baseName,
                      platform::clsPlatform& platform);
void copySettings(const document::clsDocument& document, platform::clsPlatform& platform);
bool pasteSettings(document::clsDocument& document, platform::clsPlatform& platform);

std::string settingsText(const document::clsDocument& document);
// The bytes of a settings file: one byte per character where every character has one, else UTF-8.
std::string settingsFileText(const document::clsDocument& document);

inline constexpr std::string_view kSettingsExtension = ".grass";
// The messages and titles of saving a settings file.
inline constexpr platform::clsSaveTexts kSaveTexts{"An error occurred while opening the settings file.",
                                                  "An error occurred while writing the settings file.",
                                                  " - Save settings done", " - Save settings failed"};

}  // namespace modSettingsFiles
