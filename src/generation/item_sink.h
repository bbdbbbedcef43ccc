#pragma once
// Where the generator hands the items it makes: the item pipeline on its way to the object file,
// or the live preview. Every sink sees the same items in the same order.

#include <cstdint>

#include "geometry/item_list.h"

namespace generation {

// How the run goes on or why it ended, between the writer, the generator and the run.
enum class RunStatus {
  GoOn,
  LimitReached,  // the disk-space limit ended the run; the file holds whole items
  Cancelled,
  // File failures: the run's files must not be put in place.
  HeaderOpenFailed,
  HeaderWriteFailed,
  AppendOpenFailed,
  AppendWriteFailed,
  FinalOpenFailed,
  FinalWriteFailed,
};

// A file failed; any other status (done, limit, Cancel) leaves a whole, if shorter, file.
constexpr bool failed(RunStatus status) {
  return status != RunStatus::GoOn && status != RunStatus::LimitReached && status != RunStatus::Cancelled;
}

class IItemSink {
 public:
  virtual ~IItemSink() = default;
  // Where the builders add the next item.
  virtual geometry::clsItemList& items() = 0;
  // Whether the sink keeps item itemNumber of the element: one it does not keep is only drawn
  // (its random draws made, so that the items after it are the same) and adds nothing.
  virtual bool keeps(std::int32_t /*itemNumber*/) const { return true; }
  // Element element starts making itemCount items.
  virtual void beginElement(int element, std::int32_t itemCount) = 0;
  // The item just built is done (a builder may have added nothing); report asks for a progress
  // line, itemNumber being the item's number in its element. GoOn, or why the run ends.
  virtual RunStatus itemDone(bool report, std::int32_t itemNumber) = 0;
  // Every item of the element was made.
  virtual void endElement() = 0;
  // Every element was made: the status of the last write.
  virtual RunStatus finish() = 0;
};

}  // namespace generation
