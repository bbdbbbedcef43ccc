#include "generation/file_name_check.h"

#include <array>
#include <filesystem>
#include <vector>

#include "generation/object_path.h"
#include "model/text_fields.h"

namespace modFileNameCheck {

std::vector<std::string_view> createdFiles(const generation::clsObjectFormat& format) {
  std::vector<std::string_view> files;
  if (format.materialFile) files.push_back(".mtl");
  files.push_back(".grass");
  files.push_back(format.extension);
  return files;
}

namespace {

namespace fs = std::filesystem;

fs::path resolvedFolder(std::string_view folder) {
  std::error_code error;
  fs::path path = folder.empty() ? fs::current_path(error) : fs::absolute(fs::path(std::string(folder)), error);
  if (error) return fs::path(std::string(folder)).lexically_normal();
  fs::path resolved = fs::weakly_canonical(path, error);
  return error ? path.lexically_normal() : resolved;
}

bool underSystemFolder(const fs::path& path) {
  if (!path.is_absolute()) return false;
  auto part = path.begin();
  if (part == path.end() || ++part == path.end()) return false;
  static constexpr std::array<std::string_view, 11> kSystem = {"bin", "boot", "dev",  "etc", "lib", "lib32",
                                                              "lib64", "proc", "sbin", "sys", "usr"};
  const std::string first = part->string();
  for (std::string_view system : kSystem)
    if (first == system) return true;
  return false;
}

}  // namespace

std::string overwriteQuestion(const std::vector<std::string>& existing) {
  if (existing.size() == 1)
    return "A file with the same name (" + existing[0] + ") already exists.\n" +
           "Do you want to overwrite the existing file?";
  std::string names;
  for (std::size_t i = 0; i < existing.size(); ++i)
    names += (i == 0 ? "" : i + 1 == existing.size() ? " and " : ", ") + existing[i];
  return "Files with the same names (" + names + ") already exist.\nDo you want to overwrite the existing files?";
}

bool isSystemFolder(std::string_view folder) {
  const std::string lower = modText::lowerAscii(folder);
  for (std::string_view windows : {"c:\\windows", "c:\\winnt", "c:/windows", "c:/winnt"})
    if (lower.find(windows) != std::string::npos) return true;
  return underSystemFolder(fs::path(std::string(folder)).lexically_normal()) || underSystemFolder(resolvedFolder(folder));
}

bool inSystemFolder(const std::string& path, platform::IFileSystem& files) {
  const auto folderOf = [](std::string_view file) {
    const std::size_t slash = file.find_last_of('/');
    return slash == std::string_view::npos ? std::string_view() : file.substr(0, slash + 1);
  };
  const std::string real = files.realTarget(path);
  return isSystemFolder(folderOf(path)) || isSystemFolder(folderOf(real));
}

clsFileNameCheck checkFileName(std::string_view objectPath, std::span<const std::string_view> extensions,
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
  for (std::string_view extension : extensions) {
    if (inSystemFolder(parts.folder + base + std::string(extension), files)) {
      messages.showMessage("You cannot write objects to system folders.");
      return {};
    }
  }
  std::vector<std::string> existing;
  for (std::string_view extension : extensions) {
    std::string fileName = base + std::string(extension);
    if (files.exists(parts.folder + fileName)) existing.push_back(std::move(fileName));
  }
  if (!existing.empty() && !messages.askYesNo(overwriteQuestion(existing))) return {};
  return {true, parts.folder, base};
}

}  // namespace modFileNameCheck
