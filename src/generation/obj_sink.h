#pragma once
// The object file as the generator's sink, on the calling thread: each item is turned into its
// OBJ text and handed to the buffered writer at once.

#include <string>

#include "generation/item_sink.h"
#include "generation/obj_writer.h"
#include "materials/mtl_file.h"

namespace generation {

// The progress label of an element: "grass 3 - Blade", "rock 2 - Rock".
std::string elementLabel(int element);

class clsObjSink final : public IItemSink {
 public:
  clsObjSink(clsObjWriter& writer, materials::clsMaterialPrefixes prefixes)
      : writer_(writer), prefixes_(std::move(prefixes)) {}
  geometry::clsItemList& items() override { return items_; }
  void beginElement(int element, std::int32_t itemCount) override;
  int itemDone(bool report, std::int32_t itemNumber) override;
  void endElement() override { writer_.itemNumber = writer_.itemCount; }
  int finish() override { return modWriting::finishWriter(writer_); }

 private:
  clsObjWriter& writer_;
  materials::clsMaterialPrefixes prefixes_;
  const std::string* prefix_ = &prefixes_.grass;
  geometry::clsItemList items_;
  std::string text_;
};

}  // namespace generation
