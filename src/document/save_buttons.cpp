#include "document/save_buttons.h"

#include "generation/file_name_check.h"
#include "document/settings_files.h"
#include "materials/mtl_file.h"

namespace modSaveButtons {

SaveOutcome saveColors(const document::clsDocument& document, platform::clsPlatform& platform) {
  const auto check =
      modFileNameCheck::checkFileName(document.project.dialog.objectPath, ".mtl", platform.messages, platform.files);
  if (!check.passed) return SaveOutcome::NameRefused;
  return modMaterialFile::writeMaterialFile(document.project.store, check.folder, check.baseName, platform)
             ? SaveOutcome::Saved
             : SaveOutcome::Failed;
}

SaveOutcome saveSettings(const document::clsDocument& document, platform::clsPlatform& platform) {
  const auto check = modFileNameCheck::checkFileName(document.project.dialog.objectPath,
                                                     modSettingsFiles::kSettingsExtension, platform.messages, platform.files);
  if (!check.passed) return SaveOutcome::NameRefused;
  return modSettingsFiles::saveSettingsFile(document, check.folder, check.baseName, platform) ? SaveOutcome::Saved
                                                                                                : SaveOutcome::Failed;
}

}  // namespace modSaveButtons
