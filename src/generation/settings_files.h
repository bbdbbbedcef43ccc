#pragma once
// Settings beside the object file, on the clipboard and as the built-in defaults.

#include <string>
#include <string_view>

#include "generation/project.h"
#include "platform/platform.h"

namespace modSettingsFiles {

// Clears the object path, applies the default element text and selects element 1.
void applyDefaults(generation::clsDocument& document, platform::clsPlatform& platform);
// "Default settings": applyDefaults, reported in the title.
void resetSettings(generation::clsDocument& document, platform::clsPlatform& platform);

// Resets, then applies text. All or nothing: when a line cannot be applied its message is
// shown and the document is left exactly as it was before the call.
bool applyUserText(generation::clsDocument& document, std::string_view text, platform::clsPlatform& platform);

enum class OpenResult { Opened, FileFailed, TextFailed };
// True only when the whole file was read and applied; otherwise the document is as it was.
bool openSettingsFile(generation::clsDocument& document, const std::string& path, platform::clsPlatform& platform);
OpenResult openSettings(generation::clsDocument& document, const std::string& path, platform::clsPlatform& platform);
bool saveSettingsFile(const generation::clsDocument& document, std::string_view folder, std::string_view baseName,
                      platform::clsPlatform& platform);
void copySettings(const generation::clsDocument& document, platform::clsPlatform& platform);
bool pasteSettings(generation::clsDocument& document, platform::clsPlatform& platform);

std::string settingsText(const generation::clsDocument& document);

inline constexpr std::string_view kSettingsExtension = ".grass";

}  // namespace modSettingsFiles
