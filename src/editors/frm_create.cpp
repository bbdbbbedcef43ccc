#include "editors/frm_create.h"

#include <cmath>
#include <iterator>

#include "document/save_buttons.h"
#include "document/settings_files.h"
#include "editors/frm_main.h"
#include "editors/value_text.h"
#include "model/text_fields.h"
#include "model/value_functions.h"

namespace editors {

std::string frmCreate::helpMessage(const std::string& helpFolder) {
  // The files are named where they are installed, so the user finds them without searching.
  const std::string folder = helpFolder.empty() || helpFolder.back() == '/' ? helpFolder : helpFolder + "/";
  return "Help: When you downloaded this application, several help files were also downloaded.\n"
         "Please read the file " + folder + "Help.txt for help on every window of the program.\n"
         "\n"
         "License\n"
         "Please read the file " + folder + "License.txt for license information.\n"
         "This file is included in your download.";
}

namespace {

std::vector<platform::clsFileFilter> objectFilters(const generation::clsObjectFormat& format) {
  return {{std::string(format.filter), "*" + std::string(format.extension)}, {"All formats (*.*)", "*.*"}};
}
const std::vector<platform::clsFileFilter> kSettingsFilters = {{"Quenmoor Fennet files (*.grass)", "*.grass"},
                                                               {"All formats (*.*)", "*.*"}};

}  // namespace

frmCreate::frmCreate(clsSession& session) : session_(session) {
  diskText_ = std::to_string(session_.document.session.diskLimitMB);
}

std::string frmCreate::fileNameText() const { return modDocument::objectPath(session_.document); }

std::string frmCreate::noteText() const { return modText::replaceAll(session_.project().dialog.note, modText::kLineBreak, "\n"); }

bool frmCreate::helpTips() const { return session_.document.session.helpTips; }

int frmCreate::formatChoice() const { return static_cast<int>(session_.document.session.format); }

void frmCreate::chooseFormat(int choice) {
  // A preference of the user rather than part of the settings: no Undo step.
  if (choice < 0 || choice >= static_cast<int>(std::size(generation::kObjectFormats))) return;
  session_.document.session.format = generation::kObjectFormats[static_cast<std::size_t>(choice)].format;
  session_.changed();
}

void frmCreate::formChange() {
  // A typed limit such as "2.5" stays as typed while it still stands for the stored limit.
  const double typed = modGeneral::clampValue(modGeneral::toSingle(diskText_), generation::kMinDiskLimitMB,
                                              generation::kMaxDiskLimitMB);
  if (static_cast<std::int32_t>(std::nearbyint(typed)) != session_.document.session.diskLimitMB)
    diskText_ = std::to_string(session_.document.session.diskLimitMB);
}

void frmCreate::chooseFileName() {
  const auto path = session_.dialogs.files.saveFile("Save As", objectFilters(generation::objectFormat(session_.document.session.format)),
                                                    session_.dialogFolder());
  session_.noteDialogResult(path);
  if (path) applyFileName(*path);
}

void frmCreate::applyFileName(const std::string& text) {
  session_.edit([&] { modCreateDialog::setFileName(session_.project().dialog, text); });
}

void frmCreate::typeDiskSpace(const std::string& text) {
  // A preference of the user rather than part of the settings: no Undo step.
  if (!session_.running()) {
    modCreateDialog::setDiskSpace(session_.document.session, text);
    session_.changed();
  }
  // The box shows the clamped value; what the user types stays while it means that value.
  const double clamped =
      modGeneral::clampValue(modGeneral::toSingle(text), generation::kMinDiskLimitMB, generation::kMaxDiskLimitMB);
  diskText_ = modGeneral::isNumeric(text) && modGeneral::toSingle(text) == clamped ? text
                                                                                   : modValueText::roundedText(clamped, 7);
}

void frmCreate::applyNote(const std::string& text) {
  const std::string note = modText::replaceAll(modText::replaceAll(text, modText::kLineBreak, "\n"), "\n", modText::kLineBreak);
  session_.edit([&] { modCreateDialog::setNote(session_.project().dialog, note); });
}

void frmCreate::setHelpTips(bool on) {
  session_.document.session.helpTips = on;
  if (main_ != nullptr) main_->setAllToolTips(on);
  session_.changed();
}

bool frmCreate::saved(modSaveButtons::SaveOutcome outcome) {
  if (outcome == modSaveButtons::SaveOutcome::NameRefused) fileNameRefused();
  return outcome == modSaveButtons::SaveOutcome::Saved;
}

void frmCreate::fileNameRefused() {
  // The user is to type the name again: the file-name box takes the keys.
  if (onFileNameRefused) onFileNameRefused();
}

bool frmCreate::saveColors() {
  return !session_.running() && saved(modSaveButtons::saveColors(session_.document, session_.platform));
}

bool frmCreate::saveSettings() {
  if (session_.running() || !saved(modSaveButtons::saveSettings(session_.document, session_.platform))) return false;
  session_.noteSaved();
  return true;
}

void frmCreate::copySettings() { modSettingsFiles::copySettings(session_.document, session_.platform); }

bool frmCreate::pasteSettings() {
  bool pasted = false;
  session_.edit([&] { pasted = modSettingsFiles::pasteSettings(session_.document, session_.platform); });
  return pasted;
}

bool frmCreate::openSettings() {
  if (session_.running()) return false;
  const auto path = session_.dialogs.files.openFile("Select a File", kSettingsFilters, session_.dialogFolder());
  session_.noteDialogResult(path);
  return path && openFile(*path);
}

bool frmCreate::openFile(const std::string& path) {
  if (session_.running()) return false;
  // The next file dialog opens where this file lies, as after choosing it in a dialog.
  session_.noteDialogResult(path);
  bool opened = false;
  session_.edit([&] {
    opened = modSettingsFiles::openSettings(session_.document, path, session_.platform) ==
             modSettingsFiles::OpenResult::Opened;
  });
  if (opened) session_.noteSaved();
  return opened;
}

void frmCreate::defaultSettings() {
  session_.edit([&] { modSettingsFiles::resetSettings(session_.document, session_.platform); });
}

document::clsRunResult frmCreate::create() {
  const document::clsRunResult result = session_.create();
  if (result.outcome == document::RunOutcome::NameRefused && !session_.running()) fileNameRefused();
  return result;
}

void frmCreate::cancel() { session_.cancel(); }

void frmCreate::help() { session_.platform.messages.showMessage(helpMessage(helpFolder_)); }

bool frmCreate::confirmClose() {
  if (!session_.hasUnsavedChanges()) return true;
  switch (session_.platform.messages.askYesNoCancel(kCloseQuestion)) {
    case platform::Answer::No: return true;
    case platform::Answer::Cancel: return false;
    case platform::Answer::Yes: break;
  }
  // Settings are saved beside the object file: without its name yet, the save dialog asks for it.
  if (session_.project().dialog.objectPath.empty()) chooseFileName();
  return saveSettings();
}

}  // namespace editors
