#include "editors/view_picture.h"

#include "generation/file_name_check.h"
#include "generation/object_path.h"
#include "model/text_fields.h"

namespace modViewPicture {

std::optional<std::string> targetPath(const std::string& chosen, platform::IMessageBox& messages,
                                      platform::IFileSystem& files) {
  std::string path = chosen;
  if (!modText::lowerAscii(path).ends_with(".png")) path += ".png";
  if (files.exists(path) &&
      !messages.askYesNo(modFileNameCheck::overwriteQuestion({modObjectPath::splitObjectPath(path).fileName})))
    return std::nullopt;
  return path;
}

}  // namespace modViewPicture
