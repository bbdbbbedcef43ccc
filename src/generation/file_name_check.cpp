#include "generation/file_name_check.h"

#include <array>
#include <filesystem>

#include "generation/object_path.h"
#include "model/text_fields.h"

namespace modFileNameCheck {

bool isSystemFolder(std::string_view folder) {
  const std::string lower = modText::lowerAscii(folder);
  for (std::string_view windows : {"c:\\windows", "c:\\winnt", "c:/windows", "c:/winnt"})
    if (lower.find(windows) != std::string::npos) return true;
  if (folder.empty() || folder.front() != '/') return false;
  // Compare the first component of the folder with ".." and "." resolved.
  const std::filesystem::path normal = std::filesystem::path(std::string(folder)).lexically_normal();
  auto part = normal.begin();
  if (part == normal.end() || ++part == normal.end()) return false;
  static constexpr std::array<std::string_view, 11> kSystem = {"bin", "boot", "dev",  "etc", "lib", "lib32",
                                                              "lib64", "proc", "sbin", "sys", "usr"};
  const std::string first = part->string();
  for (std::string_view system : kSystem)
    if (first == system) return true;
  return false;
}

clsFileNameCheck checkFileName(std::string_view objectPath, std::string_view extension,
                               platform::IMessageBox& messages, platform::IFileSystem& files) {
  const modObjectPath::clsSplitPath parts = modObjectPath::splitObjectPath(objectPath);
  const std::string base = modObjectPath::baseName(parts.fileName);
  if (base.empty()) {
    messages.showMessage("Please enter a file name (which ends with .obj).");
    return {};
  }
  if (isSystemFolder(parts.folder)) {
    messages.showMessage("You cannot write objects to system folders.");
    return {};
  }
  const std::string fileName = base + std::string(extension);
  if (files.exists(parts.folder + fileName) &&
      !messages.askYesNo("A file with the same name (" + fileName + ") already exists.\n" +
                         "Do you want to overwrite the existing file?"))
    return {};
  return {true, parts.folder, base};
}

}  // namespace modFileNameCheck
