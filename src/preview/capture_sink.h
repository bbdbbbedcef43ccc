#pragma once
// The items as the generator hands them over, with their material numbers: what the 3D view
// draws, and what tests compare with the object file. With a step k only every k-th item of an
// element is kept: the others are made (their draws belong to the field) and dropped.

#include <array>
#include <atomic>
#include <cstdint>

#include "generation/item_sink.h"
#include "model/store.h"

namespace preview {

class clsCaptureSink : public generation::IItemSink {
 public:
  explicit clsCaptureSink(const std::atomic<bool>* cancel = nullptr, std::int64_t step = 1)
      : cancel_(cancel), step_(step < 1 ? 1 : step) {}
  geometry::clsItemList& items() override { return items_[static_cast<std::size_t>(element_ - 1)]; }
  bool keeps(std::int32_t itemNumber) const override { return (itemNumber - 1) % step_ == 0; }
  void beginElement(int element, std::int32_t) override { element_ = element; }
  generation::RunStatus itemDone(bool, std::int32_t itemNumber) override;
  void endElement() override {}
  generation::RunStatus finish() override { return generation::RunStatus::GoOn; }

  std::array<geometry::clsItemList, model::kElementCount> items_{};

 protected:
  // Takes away the item just made, if it added one after the first keptItems of its list.
  void dropLastItem(std::size_t keptItems);

 private:
  const std::atomic<bool>* cancel_;
  std::int64_t step_;
  int element_ = 1;
  std::array<std::size_t, model::kElementCount> kept_{};  // items kept so far, per element
};

}  // namespace preview
