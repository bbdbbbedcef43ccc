#pragma once
// What files dropped on the window do: a settings file opens wherever it falls, the coverage
// and altitude frames take a picture file, and anything else is refused before it is touched.

#include <string>
#include <vector>

#include "platform/platform.h"

namespace editors {

enum class DropAction { Refuse, OpenSettings, LoadPicture };

struct clsDrop {
  DropAction action = DropAction::Refuse;
  std::string path;
};

}  // namespace editors

namespace modDropRules {

// paths: the dropped local files, in the order the file manager gives them; onPictureFrame: the
// drop falls on a coverage or altitude frame.
editors::clsDrop whatDropDoes(const std::vector<std::string>& paths, bool onPictureFrame, platform::IFileSystem& files);

}  // namespace modDropRules
