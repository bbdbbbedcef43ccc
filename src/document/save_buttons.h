#pragma once
// The create dialog's "Save colors only" and "Save settings": each checks the file name for
// the file it writes (asking before it overwrites one) and then writes it.

#include "document/document.h"
#include "platform/platform.h"

namespace modSaveButtons {

bool saveColors(const document::clsDocument& document, platform::clsPlatform& platform);
bool saveSettings(const document::clsDocument& document, platform::clsPlatform& platform);

}  // namespace modSaveButtons
