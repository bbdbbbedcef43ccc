#include "platform/native/std_file_system.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <vector>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

// A file named through a symbolic link is replaced where the link points, so the link stays.
std::string resolvedTarget(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char* real = ::realpath(path.c_str(), nullptr);
  if (real == nullptr) return path;
  std::string target(real);
  std::free(real);
  return target;
}

std::string folderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string fileNameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

FileStatus StdFileSystem::fail(FileStatus status, const std::string& path, int error) {
  return fail(status, path, std::strerror(error));
}

FileStatus StdFileSystem::fail(FileStatus status, const std::string&, const std::string& reason) {
  lastError_ = reason;
  return status;
}

FileStatus StdFileSystem::writeFile(const std::string& path, std::string_view data, bool append) {
  std::FILE* file = std::fopen(path.c_str(), append ? "ab" : "wb");
  if (file == nullptr) return fail(FileStatus::OpenFailed, path, errno);
  errno = 0;
  const bool written = std::fwrite(data.data(), 1, data.size(), file) == data.size();
  int error = errno;
  // A full disk often shows only when the last block is flushed, so fclose counts too.
  const bool closed = std::fclose(file) == 0;
  if (!closed && error == 0) error = errno;
  if (written && closed) return FileStatus::Ok;
  return fail(FileStatus::WriteFailed, path, error != 0 ? error : EIO);
}

FileStatus StdFileSystem::appendFile(const std::string& path, const std::string& sourcePath) {
  std::FILE* source = std::fopen(sourcePath.c_str(), "rb");
  if (source == nullptr) return fail(FileStatus::ReadFailed, sourcePath, errno);
  std::FILE* file = std::fopen(path.c_str(), "ab");
  if (file == nullptr) {
    const int error = errno;
    std::fclose(source);
    return fail(FileStatus::OpenFailed, path, error);
  }
  std::vector<char> block(1 << 20);
  int error = 0;
  bool copied = true;
  for (;;) {
    const std::size_t got = std::fread(block.data(), 1, block.size(), source);
    if (got > 0 && std::fwrite(block.data(), 1, got, file) != got) {
      error = errno;
      copied = false;
      break;
    }
    if (got < block.size()) {
      if (std::ferror(source) != 0) {
        error = errno;
        copied = false;
      }
      break;
    }
  }
  std::fclose(source);
  const bool closed = std::fclose(file) == 0;
  if (!closed && error == 0) error = errno;
  if (copied && closed) return FileStatus::Ok;
  return fail(FileStatus::WriteFailed, path, error != 0 ? error : EIO);
}

FileStatus StdFileSystem::readFile(const std::string& path, std::string& out) {
  // Opened without waiting, so that a pipe or device given by mistake cannot hang the program.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return fail(FileStatus::OpenFailed, path, errno);
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    const int error = errno;
    ::close(fd);
    return fail(FileStatus::OpenFailed, path, error);
  }
  if (!S_ISREG(info.st_mode)) {
    ::close(fd);
    return fail(FileStatus::OpenFailed, path, S_ISDIR(info.st_mode) ? "it is a folder" : "it is not a regular file");
  }
  if (info.st_size > kMaxReadBytes) {
    ::close(fd);
    return fail(FileStatus::ReadFailed, path, "the file is larger than 64 MB");
  }
  std::string text;
  text.reserve(static_cast<std::size_t>(info.st_size));
  char block[65536];
  for (;;) {
    const ssize_t got = ::read(fd, block, sizeof block);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      ::close(fd);
      return fail(FileStatus::ReadFailed, path, error);
    }
    if (static_cast<std::int64_t>(text.size()) + got > kMaxReadBytes) {
      ::close(fd);
      return fail(FileStatus::ReadFailed, path, "the file is larger than 64 MB");
    }
    text.append(block, static_cast<std::size_t>(got));
  }
  ::close(fd);
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

FileStatus StdFileSystem::createTemporary(const std::string& path, std::string& temporaryPath) {
  const std::string target = resolvedTarget(path);
  // The new file gets the old one's permissions, or the usual ones for a new file.
  struct stat old {};
  const bool replacing = ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
  std::random_device entropy;
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  int error = EEXIST;
  for (int attempt = 0; attempt < 100 && error == EEXIST; ++attempt) {
    std::string suffix;
    for (int i = 0; i < 6; ++i) suffix += kLetters[entropy() % (sizeof kLetters - 1)];
    const std::string candidate = folderOf(target) + "." + fileNameOf(target) + "." + suffix + ".tmp";
    const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
      error = errno;
      continue;
    }
    if (replacing) (void)::fchmod(fd, old.st_mode & 07777);
    ::close(fd);
    temporaryPath = candidate;
    return FileStatus::Ok;
  }
  return fail(FileStatus::OpenFailed, target, error);
}

FileStatus StdFileSystem::commitTemporary(const std::string& temporaryPath, const std::string& path,
                                          bool flushToDisk) {
  const std::string target = resolvedTarget(path);
  if (flushToDisk) {
    const int fd = ::open(temporaryPath.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return fail(FileStatus::WriteFailed, target, errno);
    const bool synced = ::fsync(fd) == 0;
    const int error = errno;
    ::close(fd);
    if (!synced) return fail(FileStatus::WriteFailed, target, error);
  }
  if (std::rename(temporaryPath.c_str(), target.c_str()) != 0) return fail(FileStatus::WriteFailed, target, errno);
  return FileStatus::Ok;
}

void StdFileSystem::removeFile(const std::string& path) { ::unlink(path.c_str()); }

}  // namespace platform
