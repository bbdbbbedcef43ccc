#pragma once
// The program as the editors see it: the open document, the one random generator, Undo and Redo, the creation run, and the folder that file dialogs open in. Editors
// change the document only through here, so that every user action is one Undo step.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "document/creation_run.h"
#include "document/document.h"
#include "document/settings_files.h"
#include "editors/undo_history.h"
#include "model/random.h"
#include "platform/platform.h"

namespace editors {

class clsSession {
 public:
  // Start-up as the program opens: the generator seeded, the store and every editor's values,
  // the stored palettes, limit and help switch, the default settings, the initial folder.
  clsSession(platform::clsPlatform& platform, platform::clsDialogs& dialogs, std::uint64_t seed);
  clsSession(const clsSession&) = delete;
  clsSession& operator=(const clsSession&) = delete;

  platform::clsPlatform& platform;
  platform::clsDialogs& dialogs;
  document::clsDocument document;
  model::clsRandom random;
  clsUndoHistory history;

  document::clsProject& project() { return document.project; }
  model::clsStore& store() { return document.project.store; }

  // One user action is one Undo step: the project before it is kept when the action changed
  // the document. Steps may nest; the outermost one counts. While a creation runs nothing is
  // changed (the action is not carried out) and false is returned.
  bool edit(const std::function<void()>& action);
  void beginStep();
  void endStep();
  bool undo();
  bool redo();
  // "Reshuffle": a new layout for the field, one Undo step.
  bool reshuffle();
  // The layout the view shows and Create writes.
  std::uint64_t layoutSeed() const { return document.project.dialog.layoutSeed.value_or(0); }

  // The folder the next file dialog opens in: the stored initial folder for the first one, then
  // that of the last file chosen. A cancelled dialog (nothing) counts as the last choice too.
  std::string dialogFolder() const;
  void noteDialogResult(const std::optional<std::string>& path);

  bool running() const { return running_; }
  // "Create grass and save as OBJ": the whole run, with the writer's progress in the title.
  document::clsRunResult create();
  void cancel();

  // Views listen here; every change of the document is announced once. A view that goes away
  // before the session removes itself with the number it was given.
  int addListener(std::function<void()> listener) {
    listeners_.emplace_back(++lastListener_, std::move(listener));
    return lastListener_;
  }
  void removeListener(int id) { std::erase_if(listeners_, [id](const auto& entry) { return entry.first == id; }); }
  void changed();

  // The per-user values stored again as the program ends.
  void close();

  // The design's settings text, built once after each announced change.
  const std::string& settingsText();
  // Whether the design differs from what was last saved as settings (Save settings, Open or
  // Create), or from the start-up defaults before any of them. Undoing back to it is no change.
  bool hasUnsavedChanges() { return settingsText() != savedText_; }
  void noteSaved() { savedText_ = settingsText(); }
  // Called before and after every creation run (the autosave keeps the design meanwhile).
  std::function<void()> aroundRun;

 private:
  // A document without a layout (a settings text without its "Seed") gets a fresh one.
  void ensureLayout();

  std::vector<std::pair<int, std::function<void()>>> listeners_;
  int lastListener_ = 0;
  int depth_ = 0;
  std::optional<document::clsProject> before_;
  bool running_ = false;
  generation::clsCreation* creation_ = nullptr;  // the run going on, for Cancel
  bool dialogUsed_ = false;
  std::string savedText_;
  std::string text_;  // the settings text, while textValid_
  bool textValid_ = false;
  bool historyTrimTold_ = false;
};

}  // namespace editors
