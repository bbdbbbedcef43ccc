#include "editors/autosave.h"

#include <algorithm>
#include <map>

#include "document/settings_files.h"
#include "model/store.h"
#include "model/text_fields.h"

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
    const platform::Answer answer = session_.platform.messages.askYesNoCancel(modAutosave::restoreQuestion(leftover));
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

namespace modAutosave {

namespace {

// The text on one line (no control characters) in at most limit bytes, not cutting a UTF-8
// character, "..." where it was cut.
std::string shortened(std::string text, std::size_t limit) {
  std::erase_if(text, [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
  if (text.size() <= limit) return text;
  std::size_t end = limit;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return text.substr(0, end) + "...";
}

}  // namespace

std::string restoreQuestion(const platform::clsLeftover& leftover) {
  constexpr std::size_t kLongest = 60;
  std::map<int, std::string> inUse;  // by element, later records winning as when applied
  std::string note;
  bool first = true;
  for (std::string_view line : modText::splitLines(leftover.text)) {
    const model::tFields fields = modText::splitFields(line);
    const std::string keyword = fields.empty() ? "" : modText::lowerAscii(fields[0]);
    const bool record = std::find(modSettings::kRecordKeywords.begin(), modSettings::kRecordKeywords.end(),
                                  keyword) != modSettings::kRecordKeywords.end();
    // The text starts with the note, if it has one; a marked note line loses its marker.
    if (first && !record) {
      note = std::string(line);
      const std::string marker = std::string(modSettings::kNoteMarker) + " ";
      if (note.rfind(marker, 0) == 0) note.erase(0, marker.size());
    }
    first = false;
    double element = 0;
    double use = 0;
    std::string name;
    if (keyword != "usage" || !modSettings::numberField(fields, 1, element) ||
        !modSettings::numberField(fields, 2, use) || !modSettings::textField(fields, 3, name))
      continue;
    const int e = modStore::clampElement(element);
    if (use != 0) inUse[e] = shortened(name, kLongest);
    else inUse.erase(e);
  }
  std::string question = editors::clsAutosave::kRestoreQuestion;
  question += "\n\n";
  if (!leftover.savedWhen.empty()) question += "Kept on " + leftover.savedWhen + ".\n";
  question += "Elements in use: ";
  if (inUse.empty()) question += "none";
  for (auto at = inUse.begin(); at != inUse.end(); ++at) question += (at == inUse.begin() ? "" : ", ") + at->second;
  question += ".";
  note = shortened(note, kLongest);
  if (!note.empty()) question += "\nNote: " + note;
  return question;
}

}  // namespace modAutosave
