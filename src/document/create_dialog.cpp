#include "document/create_dialog.h"

#include <charconv>
#include <cmath>

#include "generation/object_path.h"
#include "model/text_fields.h"
#include "model/value_functions.h"
#include "platform/platform.h"

namespace modCreateDialog {

void setFileName(document::clsCreateDialog& dialog, std::string_view text) {
  dialog.objectPath = modObjectPath::normalizeObjectPath(text);
}

void setDiskSpace(document::clsSessionValues& values, const model::tValue& value) {
  const double limit = modGeneral::clampValue(modGeneral::toSingle(value), generation::kMinDiskLimitMB,
                                              generation::kMaxDiskLimitMB);
  values.diskLimitMB = static_cast<std::int32_t>(std::nearbyint(limit));
}

void setNote(document::clsCreateDialog& dialog, std::string_view text) {
  // A zero byte would make the settings text unopenable: no text holds one.
  dialog.note = modText::replaceAll(modText::withLineBreaks(text), std::string_view("\0", 1), "");
}

}  // namespace modCreateDialog

namespace document {

using generation::kApplicationVersion;

std::string clsCreateDialogRecords::toTextSettings() const {
  // Three line breaks first: with the section break before it, four empty lines in all.
  std::string text = "\r\n\r\n\r\n";
  // Stored as the OBJ name whatever the format, so that every reader of settings files takes it.
  text += "File_Name_Obj " + modText::encodeText(modObjectPath::normalizeObjectPath(dialog_.objectPath));
  text += modText::kLineBreak;
  text += "Application_Name " + std::string(platform::kAppName);
  text += modText::kLineBreak;
  text += "Application_Version " + std::string(kApplicationVersion);
  text += modText::kLineBreak;
  if (dialog_.layoutSeed) {
    text += "Seed " + std::to_string(*dialog_.layoutSeed);
    text += modText::kLineBreak;
  }
  return text;
}

model::RecordStatus clsCreateDialogRecords::fromTextSettings(std::string_view keyword, const model::tFields& fields) {
  if (keyword == "file_name_obj") {
    std::string path;
    if (!modSettings::textField(fields, 1, path)) return model::RecordStatus::Failed;
    modCreateDialog::setFileName(dialog_, path);
    return model::RecordStatus::Applied;
  }
  if (keyword == "seed") {
    if (fields.size() < 2) return model::RecordStatus::Failed;
    // A whole number; anything else reads as 0, as every other field does.
    std::uint64_t seed = 0;
    (void)std::from_chars(fields[1].data(), fields[1].data() + fields[1].size(), seed);
    dialog_.layoutSeed = seed;
    return model::RecordStatus::Applied;
  }
  if (keyword == "application_name" || keyword == "application_version") return model::RecordStatus::Applied;
  return model::RecordStatus::NotMine;
}

}  // namespace document
