#pragma once
// The create dialog's "Save colors only" and "Save settings": each checks the file name for
// the file it writes (asking before it overwrites one) and then writes it.

#include "document/document.h"
#include "platform/platform.h"

namespace modSaveButtons {

enum class SaveOutcome {
  Saved,
  NameRefused,  // the file-name check said no (no name, a system folder, No to overwriting)
  Failed,       // the file could not be written; the message and title said why
};

SaveOutcome saveColors(const document::clsDocument& document, platform::clsPlatform& platform);
SaveOutcome saveSettings(const document::clsDocument& document, platform::clsPlatform& platform);

}  // namespace modSaveButtons
