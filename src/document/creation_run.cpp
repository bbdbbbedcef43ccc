#include "document/creation_run.h"

#include "document/file_set.h"
#include "document/settings_files.h"
#include "generation/file_name_check.h"
#include "materials/mtl_file.h"

namespace modCreationRun {

using namespace document;
using namespace generation;

namespace {

// The files of a run in the order they are written: the object file last, and not forced onto
// the disk, as it is made again from the other two.
constexpr clsOutput kOutputs[] = {{".mtl", true}, {modSettingsFiles::kSettingsExtension, true}, {".obj", false}};

bool writeText(platform::ITemporaryFile& file, const std::string& path, const std::string& text,
               const platform::clsSaveTexts& texts, platform::clsPlatform& platform) {
  const platform::FileStatus status = file.append(text);
  if (status == platform::FileStatus::Ok) return true;
  platform::reportFileFailure(platform, status, path, texts.openingFailed, texts.writingFailed, texts.failedTitle);
  return false;
}

}  // namespace

clsRunResult runCreation(clsDocument& document, clsCreation& creation) {
  platform::clsPlatform& platform = creation.platform;
  clsRunResult result;
  const auto check =
      modFileNameCheck::checkFileName(document.project.dialog.objectPath, modFileNameCheck::kCreatedFiles,
                                      platform.messages, platform.files);
  if (!check.passed) return result;
  result.folder = check.folder;
  result.baseName = check.baseName;
  clsFileSet set;
  if (!modFileSet::open(set, check.folder, check.baseName, kOutputs, platform)) {
    platform.status.setTitle(platform::titleWith(" - Creating grass object failed."));
    result.outcome = RunOutcome::FilesRefused;
    return result;
  }
  clsPlannedFile& material = set.files[0];
  clsPlannedFile& settings = set.files[1];
  clsPlannedFile& object = set.files[2];
  const std::string materialText =
      modMaterialFile::toText(document.project.store, 1, modMaterialFile::prefixesFor(check.baseName));
  if (!writeText(*material.file, material.path, materialText, modMaterialFile::kSaveTexts, platform)) {
    result.outcome = RunOutcome::MaterialFailed;
    return result;
  }
  if (!writeText(*settings.file, settings.path, modSettingsFiles::settingsText(document), modSettingsFiles::kSaveTexts,
                 platform)) {
    result.outcome = RunOutcome::SettingsFailed;
    return result;
  }
  result.code = modCreateObject::createObject(document.project, check.folder, check.baseName, *object.file, creation);
  if (result.code < 0) {
    result.outcome = RunOutcome::ObjectFailed;
    return result;
  }
  if (!modFileSet::commit(set, platform)) {
    platform.status.setTitle(platform::titleWith(" - Creating grass object failed."));
    result.code = status::kFinalWriteFailed;
    result.outcome = RunOutcome::ObjectFailed;
    return result;
  }
  result.outcome = result.code == status::kGoOn ? RunOutcome::Done : RunOutcome::Stopped;
  return result;
}

}  // namespace modCreationRun
