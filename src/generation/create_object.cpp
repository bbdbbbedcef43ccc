#include "generation/create_object.h"

#include "generation/glb_sink.h"
#include "generation/item_pipeline.h"
#include "generation/item_placement.h"
#include "generation/obj_stage.h"
#include "materials/palette.h"
#include "model/number_format.h"
#include "model/text_fields.h"
#include "model/usage_records.h"
#include "platform/file_failure.h"

namespace modCreateObject {

using namespace generation;

std::string objectHeader(std::string_view note, std::string_view baseName) {
  std::string header;
  for (std::string_view line : modText::splitLines(note)) {
    header += "# ";
    if (modNumber::isNumber(line)) {
      double value = 0;
      modNumber::readNumber(line, value);
      modNumber::appendDouble(header, value);
    } else {
      header += line;
    }
    header += modText::kLineBreak;
  }
  header += "# Application_Name " + std::string(platform::kAppName) + modText::kLineBreak;
  header += "# Application_Version " + std::string(kApplicationVersion) + modText::kLineBreak;
  header += "\r\n\r\n";
  header += "mtllib " + std::string(baseName) + ".mtl\r\n";
  header += modText::kLineBreak;
  return header;
}

namespace {

// Why a run ended early, at the end of its "Done" line: a percentage below 100 alone does not say.
std::string stopReason(RunStatus code) {
  if (code == RunStatus::Cancelled) return " - cancelled";
  if (code == RunStatus::LimitReached) return " - disk-space limit reached";
  return {};
}

}  // namespace

std::string doneTitle(const clsObjWriter& writer, std::int64_t elapsedSeconds, std::int64_t fileLength,
                      RunStatus code) {
  std::int32_t itemNumber = writer.itemNumber();
  std::int32_t itemCount = writer.itemCount();
  if (itemCount == 0) itemNumber = itemCount = 1;
  const double percent = static_cast<double>(itemNumber) / itemCount * 100;
  return platform::titleWith(" - Done - " + modNumber::wholeText(percent) + "% - " +
                             std::to_string(elapsedSeconds / 60) + " min " + std::to_string(elapsedSeconds % 60) +
                             " sec - " + modNumber::oneDecimalText(static_cast<double>(fileLength) / kBytesPerMB) +
                             " MB" + stopReason(code));
}

clsGlbContents glbContents(const clsRunSettings& settings, std::string_view baseName) {
  clsGlbContents contents;
  const materials::clsMaterialTable table = modPalette::reportStartEnd(settings.store);
  for (int e = 1; e <= model::kElementCount; ++e) {
    const auto at = static_cast<std::size_t>(e - 1);
    contents.elementNames[at] = modUsage::name(settings.store, e);
    if (modUsage::inUse(settings.store, e)) contents.elementMaterials[at] = table.at(e, 6, 2) - table.at(e, 1, 1) + 1;
  }
  contents.materials = modGlbMaterials::materialsFor(settings.store, modMaterialFile::prefixesFor(baseName));
  contents.generator = std::string(platform::kAppName) + " " + std::string(kApplicationVersion);
  contents.note = settings.note;
  return contents;
}

clsObjectRun createObject(const clsRunSettings& settings, std::string_view folder, std::string_view baseName,
                          platform::ITemporaryFile& file, clsCreation& creation) {
  platform::clsPlatform& platform = creation.platform;
  const std::int64_t start = platform.clock.nowSeconds();
  const std::int64_t limitBytes = static_cast<std::int64_t>(settings.diskLimitMB) * kBytesPerMB;
  const bool glb = settings.format == ObjectFormat::Glb;
  const std::string path =
      std::string(folder) + std::string(baseName) + std::string(objectExtension(settings.format));

  clsObjWriter writer({&platform.status, &platform.events, &creation.cancelRequested});
  RunStatus code = writer.open(file, limitBytes, glb ? std::string() : objectHeader(settings.note, baseName));
  if (!failed(code)) {
    if (glb) {
      clsGlbSink stage(writer, glbContents(settings, baseName));
      clsItemPipeline sink(writer, stage);
      code = stage.close(sink.close(modItemPlacement::generateAll(settings, sink, creation.random, platform.messages)));
    } else {
      clsObjStage stage(writer, modMaterialFile::prefixesFor(baseName));
      clsItemPipeline sink(writer, stage);
      code = sink.close(modItemPlacement::generateAll(settings, sink, creation.random, platform.messages));
    }
  }

  if (!failed(code)) {
    const std::int64_t length = file.length();
    const std::int64_t elapsed = platform.clock.nowSeconds() - start;
    platform.status.setTitle(doneTitle(writer, elapsed, length, code));
    return {code, writer.itemsInFile()};
  }
  platform.status.setTitle(platform::titleWith(" - Creating grass object failed."));
  // The header failures show a message too: a folder that cannot be written must not fail
  // silently.
  const bool opening =
      code == RunStatus::HeaderOpenFailed || code == RunStatus::AppendOpenFailed || code == RunStatus::FinalOpenFailed;
  const std::string extension(objectExtension(settings.format));
  const std::string text = (opening ? "Opening the " : "Writing the ") + extension + " file has failed.";
  platform.messages.showMessage(
      platform::failureText(text, path, platform.files, "The application doesn't know what the error is."));
  return {code, writer.itemsInFile()};
}

std::string stopLine(std::int64_t itemsInFile, RunStatus code, std::int32_t limitMB) {
  const std::string held = "the object file holds the first " + std::to_string(itemsInFile) +
                           (itemsInFile == 1 ? " item." : " items.");
  if (code == RunStatus::LimitReached)
    return "Stopped: the disk-space limit of " + std::to_string(limitMB) + " MB was reached; " + held;
  if (code == RunStatus::Cancelled) return "Cancelled: " + held;
  return {};
}

}  // namespace modCreateObject
