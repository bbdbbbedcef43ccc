#include "editors/session.h"

#include "document/settings_files.h"
#include "document/startup.h"
#include "generation/object_path.h"

namespace editors {

clsSession::clsSession(platform::clsPlatform& platform, platform::clsDialogs& dialogs, std::uint64_t seed)
    : platform(platform), dialogs(dialogs), document(platform), random(seed) {
  modStartup::startDocument(document, platform);
  writer.services = {&platform.status, &platform.events};
  platform.status.setTitle(std::string(platform::kAppName));
  noteSaved();
}

// What an edit can change, in one text: the settings text and the few values beside it.
std::string clsSession::fingerprint() {
  const generation::clsProject& p = document.project;
  std::string text = modSettingsFiles::settingsText(document);
  text += "\n" + std::to_string(p.dialog.diskLimitMB) + " " + std::to_string(p.store.activeElement);
  for (const auto* pictures : {&p.pictures.coverage, &p.pictures.altitude})
    for (const auto& picture : *pictures) text += " " + std::to_string(reinterpret_cast<std::uintptr_t>(picture.get()));
  return text;
}

std::string clsSession::fingerprintOf(generation::clsProject& project) {
  std::swap(document.project, project);
  std::string text = fingerprint();
  std::swap(document.project, project);
  return text;
}

void clsSession::beginStep() {
  if (depth_++ == 0) before_ = document.project;
}

void clsSession::endStep() {
  if (depth_ == 0 || --depth_ > 0) return;
  generation::clsProject before = std::move(*before_);
  before_.reset();
  if (fingerprintOf(before) != fingerprint()) modUndo::record(history, std::move(before));
  changed();
}

bool clsSession::edit(const std::function<void()>& action) {
  if (running_) return false;
  beginStep();
  action();
  endStep();
  return true;
}

bool clsSession::undo() {
  if (running_ || !modUndo::undo(history, document.project)) return false;
  changed();
  return true;
}

bool clsSession::redo() {
  if (running_ || !modUndo::redo(history, document.project)) return false;
  changed();
  return true;
}

std::string clsSession::dialogFolder() const {
  const generation::clsCreateDialog& dialog = document.project.dialog;
  return dialogUsed_ ? dialog.chosenFolder : dialog.initialFolder;
}

void clsSession::noteDialogResult(const std::optional<std::string>& path) {
  dialogUsed_ = true;
  modStartup::noteChosenFile(document, path.value_or(""));
}

document::clsRunResult clsSession::create(bool pipelined) {
  if (running_) return {};
  if (aroundRun) aroundRun();
  running_ = true;
  writer.services = {&platform.status, &platform.events};
  generation::clsCreation creation{platform, random, writer, pipelined};
  const document::clsRunResult result = modCreationRun::runCreation(document, creation);
  running_ = false;
  if (result.outcome == document::RunOutcome::Done || result.outcome == document::RunOutcome::Stopped) noteSaved();
  if (aroundRun) aroundRun();
  return result;
}

void clsSession::cancel() {
  if (running_) modWriting::requestCancel(writer);
}

void clsSession::changed() {
  // A copy: a listener may add or remove listeners.
  const auto listeners = listeners_;
  for (const auto& [id, listener] : listeners) listener();
}

void clsSession::close() { modStartup::closeDocument(document, platform); }

}  // namespace editors
