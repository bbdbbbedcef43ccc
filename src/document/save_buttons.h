#pragma once
// The create dialog's "Save colors only" and "Save settings": each checks the file name for
// the file it writes (asking before it overwrites one) and then writes it.

#include "document/document.h"
#include "platform/platform.h"

namespace modSaveButtons {

enum class SaveStatus { Saved, Refused, Failed };  // Refused: the name check or the user said no

SaveStatus saveColors(const document::clsDocument& document, platform::clsPlatform& platform);
bool saveSettings(const document::clsDocument& document, platform::clsPlatform& platform);

}  // namespace modSaveButtons
