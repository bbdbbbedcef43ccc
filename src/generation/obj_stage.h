#pragma once
// The object file as the item pipeline's stage: the items are formatted and written through the
// buffered writer on the pipeline's second thread, or formatted ahead on the generator's thread
// while the writing is behind. The file is byte for byte what the one-thread writer makes,
// including where the disk-space limit or Cancel end it.

#include <string>

#include "generation/item_pipeline.h"
#include "generation/obj_writer.h"
#include "materials/mtl_file.h"

namespace generation {

class clsObjStage final : public IItemStage {
 public:
  // The writer must be open; from here until the pipeline closes, only the pipeline's thread
  // writes through it.
  clsObjStage(clsObjWriter& writer, materials::clsMaterialPrefixes prefixes)
      : writer_(writer), prefixes_(std::move(prefixes)) {}

  void beginElement(int element, std::int32_t itemCount) override;
  RunStatus itemDone(const geometry::clsItemList& list, std::uint32_t first, std::uint32_t end, bool report,
                     std::int32_t itemNumber, const std::string_view* ahead) override;
  void endElement() override { writer_.endElement(); }
  RunStatus finish() override { return writer_.finish(); }
  std::string progressLine() override { return writer_.progressLine(); }
  bool worksAhead() const override { return true; }
  void workAhead(int element, const geometry::clsItemList& list, std::uint32_t first, std::uint32_t end,
                 model::clsTextBuffer& text) override;

 private:
  const std::string& prefixFor(int element) const;

  clsObjWriter& writer_;
  materials::clsMaterialPrefixes prefixes_;
  const std::string* prefix_ = &prefixes_.grass;  // the pipeline thread's
};

}  // namespace generation
