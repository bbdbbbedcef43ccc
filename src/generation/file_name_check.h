#pragma once
// The check every save button runs before it writes: a file name is given, the folder is no
// system folder, and an existing file is overwritten only when the user agrees.

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace modFileNameCheck {

struct clsFileNameCheck {
  bool passed = false;
  std::string folder;
  std::string baseName;  // empty when the check failed
};

// extension is ".mtl", ".grass" or ".obj": the file about to be written.
clsFileNameCheck checkFileName(std::string_view objectPath, std::string_view extension,
                               platform::IMessageBox& messages, platform::IFileSystem& files);

bool isSystemFolder(std::string_view folder);

}  // namespace modFileNameCheck
