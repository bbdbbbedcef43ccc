#include "editors/drop_rules.h"

#include "document/settings_files.h"
#include "model/text_fields.h"

namespace modDropRules {

editors::clsDrop whatDropDoes(const std::vector<std::string>& paths, bool onPictureFrame, platform::IFileSystem& files) {
  // A settings file wins: dropped with pictures, or on a frame, it is still the design to open.
  for (const std::string& path : paths)
    if (modText::lowerAscii(path).ends_with(modSettingsFiles::kSettingsExtension) && !files.isFolder(path))
      return {editors::DropAction::OpenSettings, path};
  if (onPictureFrame)
    for (const std::string& path : paths)
      if (!path.empty() && !files.isFolder(path)) return {editors::DropAction::LoadPicture, path};
  return {};
}

}  // namespace modDropRules
