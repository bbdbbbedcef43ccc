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
// The binary glTF file holds its materials itself.
constexpr clsOutput kGlbOutputs[] = {{modSettingsFiles::kSettingsExtension, true}, {".glb", false}};

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
  const bool glb = document.session.format == ObjectFormat::Glb;
  const auto created = glb ? std::span<const std::string_view>(modFileNameCheck::kCreatedGlbFiles)
                           : std::span<const std::string_view>(modFileNameCheck::kCreatedFiles);
  const auto check = modFileNameCheck::checkFileName(modDocument::objectPath(document), created, platform.messages,
                                                     platform.files);
  if (!check.passed) return result;
  result.folder = check.folder;
  result.baseName = check.baseName;
  clsFileSet set;
  const auto outputs = glb ? std::span<const clsOutput>(kGlbOutputs) : std::span<const clsOutput>(kOutputs);
  if (!modFileSet::open(set, check.folder, check.baseName, outputs, platform)) {
    platform.status.setTitle(platform::titleWith(" - Creating grass object failed."));
    result.outcome = RunOutcome::FilesRefused;
    return result;
  }
  clsPlannedFile& settings = set.files[set.files.size() - 2];
  clsPlannedFile& object = set.files.back();
  if (!glb && !writeText(*set.files[0].file, set.files[0].path,
                         modMaterialFile::toText(document.project.store, 1, modMaterialFile::prefixesFor(check.baseName)),
                         modMaterialFile::kSaveTexts, platform)) {
    result.outcome = RunOutcome::MaterialFailed;
    return result;
  }
  if (!writeText(*settings.file, settings.path, modSettingsFiles::settingsFileText(document), modSettingsFiles::kSaveTexts,
                 platform)) {
    result.outcome = RunOutcome::SettingsFailed;
    return result;
  }
  const clsObjectRun run =
      modCreateObject::createObject(modDocument::runSettings(document), check.folder, check.baseName, *object.file, creation);
  result.code = run.code;
  result.itemsInFile = run.itemsInFile;
  if (failed(result.code)) {
    result.outcome = RunOutcome::ObjectFailed;
    return result;
  }
  if (!modFileSet::commit(set, platform)) {
    platform.status.setTitle(platform::titleWith(" - Creating grass object failed."));
    result.code = RunStatus::FinalWriteFailed;
    result.outcome = RunOutcome::ObjectFailed;
    return result;
  }
  result.outcome = result.code == RunStatus::GoOn ? RunOutcome::Done : RunOutcome::Stopped;
  return result;
}

}  // namespace modCreationRun
