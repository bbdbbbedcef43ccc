#include "editors/undo_history.h"

#include <set>
#include <utility>

namespace modUndo {

namespace {

bool step(std::vector<document::clsProject>& from, std::vector<document::clsProject>& to,
          document::clsProject& current) {
  if (from.empty()) return false;
  document::clsProject restored = std::move(from.back());
  from.pop_back();
  to.push_back(std::move(current));
  current = std::move(restored);
  return true;
}

// Counts each picture of project once, skipping those already seen.
std::size_t newPictureBytes(const document::clsProject& project, std::set<const void*>& seen) {
  std::size_t bytes = 0;
  for (const auto* pictures : {&project.pictures.coverage, &project.pictures.altitude})
    for (const generation::tPicture& picture : *pictures)
      if (picture != nullptr && seen.insert(picture.get()).second)
        bytes += static_cast<std::size_t>(picture->width()) * static_cast<std::size_t>(picture->height()) * 4;
  return bytes;
}

}  // namespace

std::size_t historyPictureBytes(const editors::clsUndoHistory& history, const document::clsProject& current) {
  std::set<const void*> seen;
  newPictureBytes(current, seen);
  std::size_t bytes = 0;
  for (const auto* steps : {&history.redo, &history.undo})
    for (const document::clsProject& step : *steps) bytes += newPictureBytes(step, seen);
  return bytes;
}

std::size_t boundPictures(editors::clsUndoHistory& history, const document::clsProject& current) {
  std::set<const void*> seen;
  newPictureBytes(current, seen);
  std::size_t bytes = 0;
  for (const document::clsProject& step : history.redo) bytes += newPictureBytes(step, seen);
  // From the newest undo step back: the first one that goes over the limit goes, and all older;
  // the newest stays whatever its pictures weigh, so the last edit can always be undone.
  for (std::size_t i = history.undo.size(); i-- > 0;) {
    bytes += newPictureBytes(history.undo[i], seen);
    if (bytes > history.pictureBytesLimit) {
      const std::size_t dropped = i + 1 == history.undo.size() ? i : i + 1;
      history.undo.erase(history.undo.begin(), history.undo.begin() + static_cast<std::ptrdiff_t>(dropped));
      return dropped;
    }
  }
  return 0;
}

void record(editors::clsUndoHistory& history, document::clsProject before) {
  history.undo.push_back(std::move(before));
  if (history.undo.size() > history.limit) history.undo.erase(history.undo.begin());
  history.redo.clear();
}

bool undo(editors::clsUndoHistory& history, document::clsProject& current) {
  return step(history.undo, history.redo, current);
}

bool redo(editors::clsUndoHistory& history, document::clsProject& current) {
  return step(history.redo, history.undo, current);
}

}  // namespace modUndo
