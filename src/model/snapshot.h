#pragma once
// The generator's own copy of the store, taken at the start of every creation run so that
// editing during a run cannot change what is being made.

#include <vector>

#include "model/store.h"

namespace model {

struct clsSnapshot {
  std::vector<clsElement> elements;
};

}  // namespace model

namespace modSnapshot {

// Copies every slot by value; the curve record is copied deeply, the colour set is left out
// (colours reach the generator through the material table).
model::clsSnapshot makeSnapshot(const model::clsStore& store);
const model::tValue& readSnapshotSlot(const model::clsSnapshot& snapshot, int element, int slot);

}  // namespace modSnapshot
