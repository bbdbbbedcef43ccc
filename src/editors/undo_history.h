#pragma once
// Undo and Redo of the user's edits: each step keeps the whole project as it was before the
// edit (the project is plain values, so a copy is all of it). Files on disk are never touched.

#include <cstddef>
#include <vector>

#include "document/project.h"

namespace editors {

struct clsUndoHistory {
  std::vector<document::clsProject> undo;  // oldest first
  std::vector<document::clsProject> redo;  // the next redo last
  std::size_t limit = 200;
  // Pictures that only the steps still hold (not the current project) stay within this.
  std::size_t pictureBytesLimit = std::size_t{256} << 20;
};

}  // namespace editors

namespace modUndo {

// A new edit: the project before it becomes the newest undo step; Redo is no longer possible.
void record(editors::clsUndoHistory& history, document::clsProject before);
// Swaps the current project with the newest undo (or redo) step; false when there is none.
bool undo(editors::clsUndoHistory& history, document::clsProject& current);
bool redo(editors::clsUndoHistory& history, document::clsProject& current);

// Bytes of the pictures the steps hold that current does not; a picture shared by several
// steps counts once.
std::size_t historyPictureBytes(const editors::clsUndoHistory& history, const document::clsProject& current);
// Drops the oldest undo steps while the pictures only they hold are over the limit, never the
// newest; returns how many went.
std::size_t boundPictures(editors::clsUndoHistory& history, const document::clsProject& current);

}  // namespace modUndo
