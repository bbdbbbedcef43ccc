#include "model/snapshot.h"

#include <cassert>

namespace modSnapshot {

model::clsSnapshot makeSnapshot(const model::clsStore& store) {
  model::clsSnapshot snapshot;
  snapshot.elements.resize(model::kElementCount);
  for (int e = 0; e < model::kElementCount; ++e) {
    auto& slots = snapshot.elements[static_cast<std::size_t>(e)].slots;
    slots = modStore::newRecordList(model::kSlotCount);
    const auto& source = store.elements[static_cast<std::size_t>(e)].slots;
    for (int s = 0; s < model::kSlotCount; ++s)
      if (s + 1 != model::slot::kColourSet) slots[static_cast<std::size_t>(s)] = source[static_cast<std::size_t>(s)];
  }
  return snapshot;
}

const model::tValue& readSnapshotSlot(const model::clsSnapshot& snapshot, int element, int slot) {
  assert(element >= 1 && element <= model::kElementCount && slot >= 1 && slot <= model::kSlotCount);
  return snapshot.elements[static_cast<std::size_t>(element - 1)].slots[static_cast<std::size_t>(slot - 1)].value;
}

}  // namespace modSnapshot
