#include "document/startup.h"

#include "generation/object_path.h"
#include "document/settings_files.h"
#include "materials/palette.h"
#include "model/value_functions.h"

namespace modStartup {

void startDocument(document::clsDocument& document, platform::clsPlatform& platform) {
  if (platform.userStore.takeDroppedNotice()) platform.messages.showMessage(std::string(kStoreDroppedMessage));
  modPalette::restoreStoredColours(document.project.store, platform.userStore);
  document::clsSessionValues& values = document.session;
  // A missing or unusable limit becomes the lower bound.
  modCreateDialog::setDiskSpace(values, platform.userStore.value(std::string(kDiskLimitKey)).value_or(""));
  values.helpTips = modGeneral::toInteger(platform.userStore.value(std::string(kHelpTipKey)).value_or("0")) != 0;
  values.initialFolder = platform.userStore.value(std::string(kInitialFolderKey)).value_or("");
  if (const auto* format = generation::formatNamed(platform.userStore.value(std::string(kObjectFormatKey)).value_or("")))
    values.format = format->format;
  modSettingsFiles::applyDefaults(document, platform);
}

void closeDocument(const document::clsDocument& document, platform::clsPlatform& platform) {
  modPalette::storeColours(document.project.store, platform.userStore);
  platform.userStore.setValue(std::string(kDiskLimitKey), std::to_string(document.session.diskLimitMB));
  platform.userStore.setValue(std::string(kHelpTipKey), document.session.helpTips ? "1" : "0");
  platform.userStore.setValue(std::string(kInitialFolderKey), document.session.chosenFolder);
  platform.userStore.setValue(std::string(kObjectFormatKey),
                              std::string(generation::objectFormat(document.session.format).name));
  if (!platform.userStore.flush()) platform.messages.showMessage(std::string(kStoreFailedMessage));
}

void noteChosenFile(document::clsDocument& document, std::string_view path) {
  document.session.chosenFolder = modObjectPath::splitObjectPath(path).folder;
}

}  // namespace modStartup
