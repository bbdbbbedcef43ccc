#include "preview/capture_sink.h"

#include <algorithm>

#include "geometry/item_normals.h"

namespace preview {

generation::RunStatus clsCaptureSink::itemDone(bool, std::int32_t itemNumber) {
  if (cancel_ != nullptr && cancel_->load(std::memory_order_relaxed)) return generation::RunStatus::Cancelled;
  std::size_t& kept = kept_[static_cast<std::size_t>(element_ - 1)];
  // Not shown: the item just made goes.
  if ((itemNumber - 1) % step_ != 0) dropLastItem(kept);
  modItemNormals::computeNormals(items(), kept, items().items.size());
  kept = items().items.size();
  return generation::RunStatus::GoOn;
}

void clsCaptureSink::dropLastItem(std::size_t keptItems) {
  geometry::clsItemList& list = items();
  if (list.items.size() <= keptItems) return;
  const geometry::clsItemEntry last = list.items.back();
  list.items.pop_back();
  for (std::size_t r = last.firstRing; r < list.rings.size(); ++r)
    if (list.rings[r].nameLength > 0) list.names.resize(std::min<std::size_t>(list.names.size(), list.rings[r].nameBegin));
  list.rings.resize(last.firstRing);
  list.points.resize(last.firstPoint);
}

}  // namespace preview
