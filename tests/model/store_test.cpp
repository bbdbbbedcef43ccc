#include <gtest/gtest.h>

#include "model/snapshot.h"
#include "model/store.h"
#include "model/usage_records.h"

namespace {

struct clsMarker final : model::clsObject {
  explicit clsMarker(int v) : value(v) {}
  std::unique_ptr<model::clsObject> clone() const override { return std::make_unique<clsMarker>(*this); }
  bool equals(const model::clsObject& other) const override {
    const auto* marker = dynamic_cast<const clsMarker*>(&other);
    return marker != nullptr && marker->value == value;
  }
  int value;
};

model::clsStore loadedStore() {
  model::clsStore store = modStore::newStore();
  modUsage::loadElementList(store);
  return store;
}

}  // namespace

TEST(Store, ActiveElementIsClampedAndAddressesTheSlots) {
  model::clsStore store = loadedStore();
  EXPECT_EQ(modStore::setActiveElement(store, 0), 1);
  EXPECT_EQ(modStore::setActiveElement(store, 12), 11);
  modStore::writeSlot(store, 21, std::int16_t{42});
  EXPECT_EQ(std::get<std::int16_t>(modStore::readElementSlot(store, 11, 21)), 42);
  EXPECT_TRUE(std::holds_alternative<std::monostate>(modStore::readElementSlot(store, 10, 21)));
}

TEST(Store, SnapshotCopiesDeeplyAndLeavesTheColourSetOut) {
  model::clsStore store = loadedStore();
  modStore::writeElementSlot(store, 2, model::slot::kCurve, model::clsObjectRef(std::make_unique<clsMarker>(1)));
  modStore::writeElementSlot(store, 2, model::slot::kColourSet, model::clsObjectRef(std::make_unique<clsMarker>(2)));
  modStore::writeElementSlot(store, 2, 33, std::int32_t{1000});
  const model::clsSnapshot snapshot = modSnapshot::makeSnapshot(store);

  EXPECT_TRUE(std::holds_alternative<std::monostate>(modSnapshot::readSnapshotSlot(snapshot, 2, 40)));
  EXPECT_EQ(std::get<std::int32_t>(modSnapshot::readSnapshotSlot(snapshot, 2, 33)), 1000);
  // Editing the store afterwards does not reach the snapshot's curve.
  std::get<model::clsObjectRef>(store.elements[1].slots[2].value).as<clsMarker>()->value = 99;
  const auto& curve = std::get<model::clsObjectRef>(modSnapshot::readSnapshotSlot(snapshot, 2, 3));
  EXPECT_EQ(curve.as<clsMarker>()->value, 1);
}
