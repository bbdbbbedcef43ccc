#include "editors/autosave.h"

#include "document/settings_files.h"

namespace editors {

clsAutosave::clsAutosave(clsSession& session, platform::IRecoveryFiles& files) : session_(session), files_(files) {
  lastText_ = modSettingsFiles::settingsText(session_.document);
  written_ = lastText_;
  // Views announce more than edits (an element picked); only a changed design restarts the wait.
  listener_ = session_.addListener([this] {
    std::string text = modSettingsFiles::settingsText(session_.document);
    if (text == lastText_) return;
    lastText_ = std::move(text);
    lastEdit_ = session_.platform.clock.nowSeconds();
  });
  session_.aroundRun = [this] { writeNow(); };
}

clsAutosave::~clsAutosave() {
  // A clean exit: nothing to recover.
  session_.removeListener(listener_);
  session_.aroundRun = nullptr;
  if (fileHeld_) files_.discard();
}

void clsAutosave::tick() {
  if (session_.running()) return;
  // Saved settings leave nothing to recover.
  if (fileHeld_ && !session_.hasUnsavedChanges()) writeNow();
  else if (lastText_ != written_ && session_.platform.clock.nowSeconds() - lastEdit_ >= kQuietSeconds) writeNow();
}

void clsAutosave::writeNow() {
  std::string text = modSettingsFiles::settingsText(session_.document);
  if (!session_.hasUnsavedChanges()) {
    if (fileHeld_) files_.discard();
    fileHeld_ = false;
    written_ = std::move(text);
    return;
  }
  if ((text != written_ || !fileHeld_) && files_.save(text)) {
    written_ = std::move(text);
    fileHeld_ = true;
  }
}

void clsAutosave::offerRecovery() {
  for (const platform::clsLeftover& leftover : files_.leftovers()) {
    const bool restore = session_.platform.messages.askYesNo(kRestoreQuestion);
    bool restored = false;
    if (restore)
      session_.edit([&] {
        restored = modSettingsFiles::applyUserText(session_.document, leftover.text, session_.platform);
      });
    // A design that could not be restored stays for the next start; a restored one is kept in
    // this program's own file before the old file goes.
    if (restore && !restored) continue;
    if (restored) writeNow();
    files_.removeLeftover(leftover.id);
    if (restored) return;
  }
}

}  // namespace editors
