#include "model/store.h"

#include <cassert>
#include <cmath>

#include "model/value_functions.h"

namespace modStore {

using model::clsStore;
using model::tValue;

std::vector<model::clsOne> newRecordList(int n) { return std::vector<model::clsOne>(static_cast<std::size_t>(n)); }

clsStore newStore() {
  clsStore store;
  store.elements.resize(model::kElementCount);
  for (auto& element : store.elements) element.slots = newRecordList(model::kSlotCount);
  return store;
}

int clampElement(double element) {
  return modGeneral::toClampedInteger(element, 1, model::kElementCount);
}

const tValue& readElementSlot(const clsStore& store, int element, int slot) {
  assert(slot >= 1 && slot <= model::kSlotCount);
  return store.elements[static_cast<std::size_t>(clampElement(element) - 1)].slots[static_cast<std::size_t>(slot - 1)].value;
}

void writeElementSlot(clsStore& store, int element, int slot, tValue value) {
  assert(slot >= 1 && slot <= model::kSlotCount);
  store.elements[static_cast<std::size_t>(clampElement(element) - 1)].slots[static_cast<std::size_t>(slot - 1)].value =
      std::move(value);
}

const tValue& readSlot(const clsStore& store, int slot) { return readElementSlot(store, store.activeElement, slot); }

void writeSlot(clsStore& store, int slot, tValue value) {
  writeElementSlot(store, store.activeElement, slot, std::move(value));
}

void writeIntegerSlot(clsStore& store, int slot, const tValue& value, double lower, double upper) {
  writeSlot(store, slot, modGeneral::toClampedInteger(value, lower, upper));
}

std::int16_t setActiveElement(clsStore& store, int element) {
  store.activeElement = static_cast<std::int16_t>(clampElement(element));
  return store.activeElement;
}

}  // namespace modStore
