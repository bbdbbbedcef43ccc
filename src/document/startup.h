#pragma once
// What a program does with the document when it starts and when it ends: the stored palettes,
// disk-space limit and help switch come back, the default settings are applied, and on the way
// out the per-user values are stored again.

#include "document/document.h"
#include "platform/platform.h"

namespace modStartup {

inline constexpr std::string_view kDiskLimitKey = "objectlength";
inline constexpr std::string_view kHelpTipKey = "helptip";
inline constexpr std::string_view kInitialFolderKey = "initdirectory";
// The create page's format choice, by its name ("obj", "glb"); anything else is the OBJ.
inline constexpr std::string_view kObjectFormatKey = "objectformat";

void startDocument(document::clsDocument& document, platform::clsPlatform& platform);
// Stores the per-user values; when they cannot be kept the user is told so.
void closeDocument(const document::clsDocument& document, platform::clsPlatform& platform);
inline constexpr std::string_view kStoreFailedMessage =
    "The colors, the disk space limit, the help balloons switch and the last folder could not be stored "
    "for the next start (the home folder may be full or not writable).";

inline constexpr std::string_view kStoreDroppedMessage =
    "The values kept for the next start were damaged; what could not be read was dropped, and its defaults are "
    "used.";

// A file chosen in an open or save dialog: its folder is where the next start's first dialog opens.
void noteChosenFile(document::clsDocument& document, std::string_view path);

}  // namespace modStartup
