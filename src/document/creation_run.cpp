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
// the disk, as it is made again from the others.
std::vector<clsOutput> outputsOf(const clsObjectFormat& format) {
  std::vector<clsOutput> outputs;
  for (std::string_view extension : modFileNameCheck::createdFiles(format))
    outputs.push_back({extension, extension != format.extension});
  return outputs;
}

// The set's file of this extension (each file of a set has its own).
clsPlannedFile* fileWith(clsFileSet& set, std::string_view extension) {
  for (clsPlannedFile& planned : set.files)
    if (planned.path.size() >= extension.size() &&
        std::string_view(planned.path).substr(planned.path.size() - extension.size()) == extension)
      return &planned;
  return nullptr;
}

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
  const clsObjectFormat& format = objectFormat(document.session.format);
  const std::vector<std::string_view> created = modFileNameCheck::createdFiles(format);
  const auto check = modFileNameCheck::checkFileName(modDocument::objectPath(document), created, platform.messages,
                                                     platform.files);
  if (!check.passed) return result;
  result.folder = check.folder;
  result.baseName = check.baseName;
  clsFileSet set;
  const std::vector<clsOutput> outputs = outputsOf(format);
  if (!modFileSet::open(set, check.folder, check.baseName, outputs, platform)) {
    platform.status.setTitle(platform::titleWith(" - Creating grass object failed."));
    result.outcome = RunOutcome::FilesRefused;
    return result;
  }
  clsPlannedFile& settings = *fileWith(set, modSettingsFiles::kSettingsExtension);
  clsPlannedFile& object = *fileWith(set, format.extension);
  clsPlannedFile* material = format.materialFile ? fileWith(set, ".mtl") : nullptr;
  if (material != nullptr &&
      !writeText(*material->file, material->path,
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
