#include "generation/obj_sink.h"

#include "model/store.h"
#include "model/usage_records.h"

namespace generation {

std::string elementLabel(int element) {
  return modUsage::defaultName(element) + (model::isRock(element) ? " - Rock" : " - Blade");
}

void clsObjSink::beginElement(int element, std::int32_t itemCount) {
  writer_.label = elementLabel(element);
  writer_.itemCount = itemCount;
  prefix_ = model::isRock(element) ? &prefixes_.rock : &prefixes_.grass;
}

int clsObjSink::itemDone(bool report, std::int32_t itemNumber) {
  if (report) writer_.itemNumber = itemNumber;
  text_.clear();
  for (std::size_t i = 0; i < items_.items.size(); ++i) modItemList::appendItemText(text_, items_, i, *prefix_);
  modItemList::clearItems(items_);
  return modWriting::writeItem(writer_, text_, report);
}

}  // namespace generation
