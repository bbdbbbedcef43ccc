#pragma once
// The object run on one thread, the oracle the program's two-stage run is held to: each item is
// turned into its OBJ text and handed to the buffered writer at once, on the calling thread.

#include <cstdint>
#include <string>

#include "document/document.h"
#include "generation/item_sink.h"
#include "generation/obj_writer.h"
#include "materials/mtl_file.h"

namespace support {

class clsObjSink final : public generation::IItemSink {
 public:
  clsObjSink(generation::clsObjWriter& writer, materials::clsMaterialPrefixes prefixes)
      : writer_(writer), prefixes_(std::move(prefixes)) {}
  geometry::clsItemList& items() override { return items_; }
  void beginElement(int element, std::int32_t itemCount) override;
  generation::RunStatus itemDone(bool report, std::int32_t itemNumber) override;
  void endElement() override { writer_.endElement(); }
  generation::RunStatus finish() override { return writer_.finish(); }

 private:
  generation::clsObjWriter& writer_;
  materials::clsMaterialPrefixes prefixes_;
  const std::string* prefix_ = &prefixes_.grass;
  geometry::clsItemList items_;
  std::string text_;
};

struct clsOneThreadRun {
  generation::RunStatus code = generation::RunStatus::GoOn;
  std::int64_t itemsInFile = 0;
  std::string title;  // the "Done" title, as after no time at all
};

// Writes folder + baseName + ".obj" of the document's settings, the field of seed, on one thread.
clsOneThreadRun writeObjectOneThread(const document::clsDocument& document, const std::string& folder,
                                     const std::string& baseName, std::uint64_t seed, platform::clsPlatform& platform);

}  // namespace support
