#pragma once
// The check every save button runs before it writes: a file name is given, the folder is no
// system folder, and existing files are overwritten only when the user agrees.

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "generation/run_settings.h"
#include "platform/platform.h"

namespace modFileNameCheck {

struct clsFileNameCheck {
  bool passed = false;
  std::string folder;
  std::string baseName;  // empty when the check failed
};

// What "Create grass" writes in the format, in the order it writes them: the material file if
// the format has one, the settings file, the object file. One question names every one of
// them that exists.
std::vector<std::string_view> createdFiles(const generation::clsObjectFormat& format);

// extensions are those of the files about to be written (".mtl", ".grass", ".obj").
clsFileNameCheck checkFileName(std::string_view objectPath, std::span<const std::string_view> extensions,
                               platform::IMessageBox& messages, platform::IFileSystem& files);
inline clsFileNameCheck checkFileName(std::string_view objectPath, std::string_view extension,
                                      platform::IMessageBox& messages, platform::IFileSystem& files) {
  return checkFileName(objectPath, std::span<const std::string_view>(&extension, 1), messages, files);
}

// Whether to overwrite the existing files named (file names, no folders).
std::string overwriteQuestion(const std::vector<std::string>& existing);

// The folder is judged where it really is: made absolute, with "..", "." and symbolic links
// resolved as far as it exists.
bool isSystemFolder(std::string_view folder);
// Whether path, or the file that writing there really changes (links followed), is in a system folder.
bool inSystemFolder(const std::string& path, platform::IFileSystem& files);

}  // namespace modFileNameCheck
