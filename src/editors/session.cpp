#include "editors/session.h"

#include "document/settings_files.h"
#include "document/startup.h"
#include "generation/object_path.h"

namespace editors {

clsSession::clsSession(platform::clsPlatform& platform, platform::clsDialogs& dialogs, std::uint64_t seed)
    : platform(platform), dialogs(dialogs), document(platform), random(seed) {
  modStartup::startDocument(document, platform);
  ensureLayout();
  platform.status.setTitle(std::string(platform::kAppName));
  noteSaved();
}

const std::string& clsSession::settingsText() {
  if (!textValid_) {
    text_ = modSettingsFiles::settingsText(document);
    textValid_ = true;
  }
  return text_;
}

void clsSession::ensureLayout() {
  if (!document.project.dialog.layoutSeed)
    document.project.dialog.layoutSeed = static_cast<std::uint64_t>(random.draw() * 4294967296.0);
}

void clsSession::beginStep() {
  if (depth_++ == 0) before_ = document.project;
}

void clsSession::endStep() {
  if (depth_ == 0 || --depth_ > 0) return;
  ensureLayout();
  document::clsProject before = std::move(*before_);
  before_.reset();
  if (before != document.project) {
    modUndo::record(history, std::move(before));
    if (modUndo::boundPictures(history, document.project) > 0 && !historyTrimTold_) {
      historyTrimTold_ = true;
      platform.status.setTitle(platform::titleWith(" - Undo keeps fewer steps: their pictures reached 256 MB"));
    }
  }
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
  // The title is the status line: what it said before no longer holds.
  platform.status.setTitle(platform::titleWith(" - Undo done"));
  changed();
  return true;
}

bool clsSession::redo() {
  if (running_ || !modUndo::redo(history, document.project)) return false;
  platform.status.setTitle(platform::titleWith(" - Redo done"));
  changed();
  return true;
}

bool clsSession::reshuffle() {
  return edit([this] {
    document.project.dialog.layoutSeed.reset();
    ensureLayout();
  });
}

std::string clsSession::dialogFolder() const {
  const document::clsSessionValues& values = document.session;
  return dialogUsed_ ? values.chosenFolder : values.initialFolder;
}

void clsSession::noteDialogResult(const std::optional<std::string>& path) {
  dialogUsed_ = true;
  modStartup::noteChosenFile(document, path.value_or(""));
}

document::clsRunResult clsSession::create() {
  if (running_) return {};
  if (aroundRun) aroundRun();
  running_ = true;
  // The layout's own draws: the file holds the field the view shows, and Create changes nothing.
  model::clsRandom layout(layoutSeed());
  generation::clsCreation creation{platform, layout};
  creation_ = &creation;
  const document::clsRunResult result = modCreationRun::runCreation(document, creation);
  creation_ = nullptr;
  running_ = false;
  if (result.outcome == document::RunOutcome::Done || result.outcome == document::RunOutcome::Stopped) noteSaved();
  if (aroundRun) aroundRun();
  return result;
}

void clsSession::cancel() {
  if (creation_ != nullptr) creation_->cancelRequested = true;
}

void clsSession::changed() {
  textValid_ = false;
  // A copy: a listener may add or remove listeners.
  const auto listeners = listeners_;
  for (const auto& [id, listener] : listeners) listener();
}

void clsSession::close() { modStartup::closeDocument(document, platform); }

}  // namespace editors
