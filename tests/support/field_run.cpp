#include "support/field_run.h"

#include <fstream>
#include <sstream>

#include "document/settings_files.h"
#include "document/startup.h"

namespace support {

clsFieldRun::clsFieldRun(const std::string& name)
    : folder(std::filesystem::temp_directory_path() / ("quenmoor-field-" + name)) {
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  modStartup::startDocument(document, platform);
  modCreateDialog::setDiskSpace(document.session, generation::kMaxDiskLimitMB);
}

clsFieldRun::~clsFieldRun() { std::filesystem::remove_all(folder); }

bool clsFieldRun::apply(const std::string& settings) {
  return modSettingsFiles::applyUserText(document, settings, platform);
}

document::clsRunResult clsFieldRun::create(std::uint64_t seed, const std::string& baseName) {
  modCreateDialog::setFileName(document.project.dialog, path(baseName));
  messages.answer = true;
  model::clsRandom random(seed);
  generation::clsCreation creation{platform, random};
  creation_ = &creation;
  const document::clsRunResult result = modCreationRun::runCreation(document, creation);
  creation_ = nullptr;
  return result;
}

std::string clsFieldRun::read(const std::string& fileName) const {
  std::ifstream in(folder / fileName, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace support
