#pragma once
// The parameter store: eleven elements (1..7 grass, 8..11 rock) of 44 numbered slots, the
// active element and the grass-1 length. Every editor writes here; the generator reads a
// snapshot of it.

#include <cstdint>
#include <vector>

#include "model/slots.h"
#include "model/tagged_value.h"

namespace model {

inline constexpr int kElementCount = 11;
inline constexpr int kSlotCount = 44;
inline constexpr int kFirstRock = 8;

struct clsElement {
  std::vector<clsOne> slots;  // slot k at index k - 1
  bool operator==(const clsElement&) const = default;
};

struct clsStore {
  std::vector<clsElement> elements;  // element e at index e - 1
  std::int16_t activeElement = 1;
  float grassLength = 1;  // the length element 1's curve gets in the output
  bool operator==(const clsStore&) const = default;
};

inline bool isRock(int element) { return element >= kFirstRock; }

}  // namespace model

namespace modStore {

// A list of n fresh, empty records.
std::vector<model::clsOne> newRecordList(int n);
// Eleven elements of 44 empty slots, element 1 active.
model::clsStore newStore();

// Element and slot indexes are 1-based; an element outside 1..11 is clamped into it.
const model::tValue& readSlot(const model::clsStore& store, int slot);
void writeSlot(model::clsStore& store, int slot, model::tValue value);
const model::tValue& readElementSlot(const model::clsStore& store, int element, int slot);
void writeElementSlot(model::clsStore& store, int element, int slot, model::tValue value);

// Stores an integer slot of the active element from any input, clamped to the slot's bounds.
void writeIntegerSlot(model::clsStore& store, int slot, const model::tValue& value, double lower, double upper);

// Clamps the requested index to 1..11 and returns the element made active.
std::int16_t setActiveElement(model::clsStore& store, int element);

int clampElement(double element);

}  // namespace modStore
