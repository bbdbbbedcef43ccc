#include "editors/autosave.h"

#include "document/settings_files.h"

namespace editors {

clsAutosave::clsAutosave(clsSession& session, platform::IRecoveryFiles& files) : session_(session), files_(files) {
  lastText_ = session_.settingsText();
  written_ = lastText_;
  // Views announce more than edits (an element picked); only a changed design restarts the wait.
  listener_ = session_.addListener([this] {
    const std::string& text = session_.settingsText();
    if (text == lastText_) return;
    lastText_ = text;
    lastEdit_ = session_.platform.clock.nowSeconds();
  });
  session_.aroundRun = [this] { writeNow(); };
}

clsAutosave::~clsAutosave() {
  // A clean exit: nothing to recover.
  session_.removeListener(listener_);
  session_.aroundRun = nullptr;
  if (fileHeld_ && !keep_) files_.discard();
}

void clsAutosave::keepForRecovery() {
  writeNow();
  keep_ = true;
}

void clsAutosave::tick() {
  if (session_.running()) return;
  // Saved settings leave nothing to recover.
  if (fileHeld_ && !session_.hasUnsavedChanges()) writeNow();
  else if (lastText_ != written_ && session_.platform.clock.nowSeconds() - lastEdit_ >= kQuietSeconds) writeNow();
}

void clsAutosave::writeNow() {
  const std::string& text = session_.settingsText();
  if (!session_.hasUnsavedChanges()) {
    if (fileHeld_) files_.discard();
    fileHeld_ = false;
    written_ = text;
    return;
  }
  if ((text != written_ || !fileHeld_) && files_.save(text)) {
    written_ = text;
    fileHeld_ = true;
  }
}

void clsAutosave::offerRecovery() {
  for (const platform::clsLeftover& leftover : files_.leftovers()) {
    // Only what this program wrote is offered: anything else would become a design with the
    // whole file as its note. It is moved aside, not removed.
    if (!modSettingsFiles::holdsWholeDesign(leftover.text)) {
      const std::string aside = files_.setAside(leftover.id);
      if (!aside.empty()) session_.platform.messages.showMessage(std::string(kRefusedMessage) + aside);
      continue;
    }
    // Cancel, or the box closed any other way (the program ending meanwhile), decides nothing:
    // the design is offered again at the next start. No lets it go.
    const platform::Answer answer = session_.platform.messages.askYesNoCancel(kRestoreQuestion);
    if (answer == platform::Answer::Cancel) continue;
    bool restored = false;
    if (answer == platform::Answer::Yes)
      session_.edit([&] {
        restored = modSettingsFiles::applyUserText(session_.document, leftover.text, session_.platform);
      });
    // A design that could not be restored stays for the next start; a restored one is kept in
    // this program's own file before the old file goes.
    if (answer == platform::Answer::Yes && !restored) continue;
    if (restored) writeNow();
    files_.removeLeftover(leftover.id);
    if (restored) return;
  }
}

}  // namespace editors
