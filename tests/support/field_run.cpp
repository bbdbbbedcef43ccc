#include "support/field_run.h"

#include <algorithm>
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

std::string onlyElements(std::initializer_list<int> elements, int items) {
  std::string text;
  for (int e = 1; e <= 11; ++e) {
    const bool use = std::find(elements.begin(), elements.end(), e) != elements.end();
    text += "Usage " + std::to_string(e) + (use ? " 1 " : " 0 ") + "e" + std::to_string(e) + "\r\n";
    if (items > 0) text += "Alpha " + std::to_string(e) + " 10 10 " + std::to_string(items) + " <empty> 0 -1\r\n";
  }
  return text;
}

}  // namespace support
