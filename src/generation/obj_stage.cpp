#include "generation/obj_stage.h"

#include "model/store.h"

namespace generation {

const std::string& clsObjStage::prefixFor(int element) const {
  return model::isRock(element) ? prefixes_.rock : prefixes_.grass;
}

void clsObjStage::beginElement(int element, std::int32_t itemCount) {
  writer_.beginElement(element, itemCount);
  prefix_ = &prefixFor(element);
}

RunStatus clsObjStage::itemDone(const geometry::clsItemList& list, std::uint32_t first, std::uint32_t end, bool report,
                                std::int32_t itemNumber, const std::string_view* ahead) {
  if (report) writer_.setItemNumber(itemNumber);
  model::clsTextBuffer& buffer = writer_.buffer();
  const std::size_t before = buffer.size();
  if (ahead != nullptr)
    buffer.append(*ahead);
  else
    for (std::uint32_t i = first; i < end; ++i) modItemList::appendItemText(buffer, list, i, *prefix_);
  return writer_.bufferAppended(buffer.size() - before);
}

void clsObjStage::workAhead(int element, const geometry::clsItemList& list, std::uint32_t first, std::uint32_t end,
                            model::clsTextBuffer& text) {
  for (std::uint32_t i = first; i < end; ++i) modItemList::appendItemText(text, list, i, prefixFor(element));
}

}  // namespace generation
