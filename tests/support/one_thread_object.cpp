#include "support/one_thread_object.h"

#include "generation/create_object.h"
#include "generation/item_placement.h"
#include "geometry/item_normals.h"
#include "model/store.h"

namespace support {

void clsObjSink::beginElement(int element, std::int32_t itemCount) {
  writer_.beginElement(element, itemCount);
  prefix_ = model::isRock(element) ? &prefixes_.rock : &prefixes_.grass;
}

generation::RunStatus clsObjSink::itemDone(bool report, std::int32_t itemNumber) {
  if (report) writer_.setItemNumber(itemNumber);
  text_.clear();
  modItemNormals::computeNormals(items_, 0, items_.items.size());
  for (std::size_t i = 0; i < items_.items.size(); ++i) modItemList::appendItemText(text_, items_, i, *prefix_);
  modItemList::clearItems(items_);
  return writer_.writeItem(text_, report);
}

clsOneThreadRun writeObjectOneThread(const document::clsDocument& document, const std::string& folder,
                                     const std::string& baseName, std::uint64_t seed, platform::clsPlatform& platform) {
  const document::clsProject& project = document.project;
  const auto file = platform.files.createTemporary(folder + baseName + ".obj");
  if (file == nullptr) return {generation::RunStatus::HeaderOpenFailed, 0, {}};
  generation::clsObjWriter writer({&platform.status, &platform.events});
  const std::int64_t limitBytes = static_cast<std::int64_t>(document.session.diskLimitMB) * generation::kBytesPerMB;
  generation::RunStatus code =
      writer.open(*file, limitBytes, modCreateObject::objectHeader(project.dialog.note, baseName));
  if (!generation::failed(code)) {
    clsObjSink sink(writer, modMaterialFile::prefixesFor(baseName));
    model::clsRandom random(seed);
    code = modItemPlacement::generateAll(modDocument::runSettings(document), sink, random, platform.messages);
  }
  const std::string title = modCreateObject::doneTitle(writer, 0, file->length(), code);
  if (file->commit() != platform::FileStatus::Ok) code = generation::RunStatus::FinalWriteFailed;
  return {code, writer.itemsInFile(), title};
}

}  // namespace support
