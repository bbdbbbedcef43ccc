#include "platform/native/std_file_system.h"

#include <cstdio>
#include <sys/stat.h>

namespace platform {

FileStatus StdFileSystem::writeFile(const std::string& path, std::string_view data, bool append) {
  std::FILE* file = std::fopen(path.c_str(), append ? "ab" : "wb");
  if (file == nullptr) return FileStatus::OpenFailed;
  const bool written = std::fwrite(data.data(), 1, data.size(), file) == data.size();
  // A full disk often shows only when the last block is flushed, so fclose counts too.
  const bool closed = std::fclose(file) == 0;
  return written && closed ? FileStatus::Ok : FileStatus::WriteFailed;
}

FileStatus StdFileSystem::readFile(const std::string& path, std::string& out) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return FileStatus::OpenFailed;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return FileStatus::OpenFailed;
  std::string text;
  char block[65536];
  std::size_t got = 0;
  while ((got = std::fread(block, 1, sizeof block, file)) > 0) text.append(block, got);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return FileStatus::ReadFailed;
  out = std::move(text);
  return FileStatus::Ok;
}

std::optional<std::int64_t> StdFileSystem::fileLength(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  return static_cast<std::int64_t>(info.st_size);
}

bool StdFileSystem::exists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

}  // namespace platform
