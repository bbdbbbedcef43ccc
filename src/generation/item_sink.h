#pragma once
// Where the generator hands the items it makes: the item pipeline on its way to the object file,
// or the live preview. Every sink sees the same items in the same order.

#include <cstdint>

#include "geometry/item_list.h"

namespace generation {

// Status codes between the writer, the generator and the run.
namespace status {
inline constexpr int kGoOn = 1;
inline constexpr int kLimitReached = 2;
inline constexpr int kCancelled = 3;
inline constexpr int kHeaderOpenFailed = -1;
inline constexpr int kHeaderWriteFailed = -2;
inline constexpr int kAppendOpenFailed = -3;
inline constexpr int kAppendWriteFailed = -4;
inline constexpr int kFinalOpenFailed = -5;
inline constexpr int kFinalWriteFailed = -6;
}  // namespace status


class IItemSink {
 public:
  virtual ~IItemSink() = default;
  // Where the builders add the next item.
  virtual geometry::clsItemList& items() = 0;
  // Element element starts making itemCount items.
  virtual void beginElement(int element, std::int32_t itemCount) = 0;
  // The item just built is done (a builder may have added nothing); report asks for a progress
  // line, itemNumber being the item's number in its element. Returns a status code: 1 go on.
  virtual int itemDone(bool report, std::int32_t itemNumber) = 0;
  // Every item of the element was made.
  virtual void endElement() = 0;
  // Every element was made: the status of the last write.
  virtual int finish() = 0;
};

}  // namespace generation
