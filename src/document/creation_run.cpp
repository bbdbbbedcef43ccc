#include "document/creation_run.h"

#include "generation/file_name_check.h"
#include "document/settings_files.h"
#include "materials/mtl_file.h"

namespace modCreationRun {

using namespace document;
using namespace generation;

clsRunResult runCreation(clsDocument& document, clsCreation& creation) {
  platform::clsPlatform& platform = creation.platform;
  clsRunResult result;
  // The binary glTF file holds its materials itself.
  const bool glb = document.project.dialog.format == ObjectFormat::Glb;
  const auto created = glb ? std::span<const std::string_view>(modFileNameCheck::kCreatedGlbFiles)
                           : std::span<const std::string_view>(modFileNameCheck::kCreatedFiles);
  const auto check = modFileNameCheck::checkFileName(document.project.dialog.objectPath, created, platform.messages,
                                                     platform.files);
  if (!check.passed) return result;
  result.folder = check.folder;
  result.baseName = check.baseName;
  if (!glb && !modMaterialFile::writeMaterialFile(document.project.store, check.folder, check.baseName, platform)) {
    result.outcome = RunOutcome::MaterialFailed;
    return result;
  }
  if (!modSettingsFiles::saveSettingsFile(document, check.folder, check.baseName, platform)) {
    result.outcome = RunOutcome::SettingsFailed;
    return result;
  }
  result.code = modCreateObject::createObject(document.project, check.folder, check.baseName, creation);
  result.outcome = result.code == status::kGoOn ? RunOutcome::Done
                   : result.code > 0            ? RunOutcome::Stopped
                                                : RunOutcome::ObjectFailed;
  return result;
}

}  // namespace modCreationRun
