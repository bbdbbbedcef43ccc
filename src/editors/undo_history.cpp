#include "editors/undo_history.h"

#include <utility>

namespace modUndo {

namespace {

// What belongs to the program rather than to the document stays as it is.
void keepSessionValues(const generation::clsProject& from, generation::clsProject& into) {
  into.dialog.helpTips = from.dialog.helpTips;
  into.dialog.initialFolder = from.dialog.initialFolder;
  into.dialog.chosenFolder = from.dialog.chosenFolder;
  // The format is the user's choice too; the restored file name takes its extension.
  modCreateDialog::setFormat(into.dialog, from.dialog.format);
}

bool step(std::vector<generation::clsProject>& from, std::vector<generation::clsProject>& to,
          generation::clsProject& current) {
  if (from.empty()) return false;
  generation::clsProject restored = std::move(from.back());
  from.pop_back();
  keepSessionValues(current, restored);
  to.push_back(std::move(current));
  current = std::move(restored);
  return true;
}

}  // namespace

void record(editors::clsUndoHistory& history, generation::clsProject before) {
  history.undo.push_back(std::move(before));
  if (history.undo.size() > history.limit) history.undo.erase(history.undo.begin());
  history.redo.clear();
}

bool undo(editors::clsUndoHistory& history, generation::clsProject& current) {
  return step(history.undo, history.redo, current);
}

bool redo(editors::clsUndoHistory& history, generation::clsProject& current) {
  return step(history.redo, history.undo, current);
}

}  // namespace modUndo
