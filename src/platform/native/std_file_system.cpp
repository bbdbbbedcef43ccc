#include "platform/native/std_file_system.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

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

bool StdFileSystem::isFolder(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

namespace {

constexpr std::size_t kCopyBlockBytes = 1 << 20;

// Through the one descriptor opened at creation, readable so that a spill can be copied out; the
// file's identity is kept to tell at commit whether the temporary name still names it.
class StdTemporaryFile final : public ITemporaryFile {
 public:
  StdTemporaryFile(int fd, std::string temporaryPath, std::string target, std::string& lastError)
      : fd_(fd), temporaryPath_(std::move(temporaryPath)), target_(std::move(target)), lastError_(lastError) {
    struct stat info {};
    if (::fstat(fd_, &info) == 0) {
      device_ = info.st_dev;
      inode_ = info.st_ino;
    }
  }
  ~StdTemporaryFile() override {
    if (!committed_ && stillOurs()) ::unlink(temporaryPath_.c_str());
    ::close(fd_);
  }
  StdTemporaryFile(const StdTemporaryFile&) = delete;
  StdTemporaryFile& operator=(const StdTemporaryFile&) = delete;

  FileStatus append(std::string_view data) override {
    while (!data.empty()) {
      const ssize_t put = ::write(fd_, data.data(), data.size());
      if (put < 0) {
        if (errno == EINTR) continue;
        return fail(std::strerror(errno));
      }
      data.remove_prefix(static_cast<std::size_t>(put));
    }
    return FileStatus::Ok;
  }

  FileStatus writeAt(std::int64_t offset, std::string_view data) override {
    while (!data.empty()) {
      const ssize_t put = ::pwrite(fd_, data.data(), data.size(), static_cast<off_t>(offset));
      if (put < 0) {
        if (errno == EINTR) continue;
        return fail(std::strerror(errno));
      }
      data.remove_prefix(static_cast<std::size_t>(put));
      offset += put;
    }
    return FileStatus::Ok;
  }

  FileStatus appendContentsOf(ITemporaryFile& source) override {
    auto* from = dynamic_cast<StdTemporaryFile*>(&source);
    if (from == nullptr) return fail("the file to copy is not on this file system");
    // The kernel copies without a trip through this process where it can (and shares the
    // blocks on file systems that clone); anything it refuses goes the plain way.
    off_t offset = 0;
    for (;;) {
      const ssize_t moved = ::copy_file_range(from->fd_, &offset, fd_, nullptr, kCopyBlockBytes * 64, 0);
      if (moved == 0) return FileStatus::Ok;
      if (moved > 0) continue;
      if (errno == EINTR) continue;
      if (errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP && errno != EBADF)
        return fail(std::strerror(errno));
      break;
    }
    std::vector<char> block(kCopyBlockBytes);
    for (;;) {
      const ssize_t got = ::pread(from->fd_, block.data(), block.size(), offset);
      if (got < 0) {
        if (errno == EINTR) continue;
        return fail(std::strerror(errno));
      }
      if (got == 0) return FileStatus::Ok;
      if (const FileStatus status = append(std::string_view(block.data(), static_cast<std::size_t>(got)));
          status != FileStatus::Ok)
        return status;
      offset += got;
    }
  }

  std::int64_t length() override {
    struct stat info {};
    return ::fstat(fd_, &info) == 0 ? static_cast<std::int64_t>(info.st_size) : 0;
  }

  FileStatus ready(bool flushToDisk) override {
    if (!stillOurs())
      return fail("its temporary file " + temporaryPath_ + " was removed or replaced while it was written");
    // A full disk may show only here, on file systems that allocate late.
    if (flushToDisk && ::fsync(fd_) != 0) return fail(std::strerror(errno));
    return FileStatus::Ok;
  }

  FileStatus commit() override {
    if (committed_) return FileStatus::Ok;
    if (!stillOurs())
      return fail("its temporary file " + temporaryPath_ + " was removed or replaced while it was written");
    if (std::rename(temporaryPath_.c_str(), target_.c_str()) != 0) return fail(std::strerror(errno));
    committed_ = true;
    return FileStatus::Ok;
  }

 private:
  bool stillOurs() const {
    struct stat info {};
    return ::lstat(temporaryPath_.c_str(), &info) == 0 && info.st_dev == device_ && info.st_ino == inode_;
  }
  FileStatus fail(const std::string& reason) {
    lastError_ = reason;
    return FileStatus::WriteFailed;
  }

  int fd_;
  std::string temporaryPath_;
  std::string target_;
  std::string& lastError_;
  dev_t device_ = 0;
  ino_t inode_ = 0;
  bool committed_ = false;
};

class StdFileLock final : public IFileLock {
 public:
  StdFileLock(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
  ~StdFileLock() override {
    if (fd_ < 0) return;
    // Removed while still held: whoever opened it meanwhile sees that it is gone and starts anew.
    ::unlink(path_.c_str());
    ::close(fd_);
  }
  StdFileLock(const StdFileLock&) = delete;
  StdFileLock& operator=(const StdFileLock&) = delete;

 private:
  int fd_;
  std::string path_;
};

// FNV-1a: stable from run to run and from program to program.
std::string nameHash(const std::string& name) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (const unsigned char c : name) {
    hash ^= c;
    hash *= 1099511628211ULL;
  }
  static constexpr char kHex[] = "0123456789abcdef";
  std::string text(16, '0');
  for (int i = 15; i >= 0; --i, hash >>= 4) text[static_cast<std::size_t>(i)] = kHex[hash & 15];
  return text;
}

std::string temporaryPrefix(const std::string& target) { return ".qg-" + nameHash(fileNameOf(target)) + "-"; }

std::string folderText(const std::string& folder) { return folder.empty() ? std::string("./") : folder; }

}  // namespace

std::unique_ptr<ITemporaryFile> StdFileSystem::createTemporary(const std::string& path) {
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
    const std::string candidate = folderOf(target) + temporaryPrefix(target) + suffix + ".tmp";
    const int fd = ::open(candidate.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
      error = errno;
      continue;
    }
    if (replacing) (void)::fchmod(fd, old.st_mode & 07777);
    return std::make_unique<StdTemporaryFile>(fd, candidate, target, lastError_);
  }
  fail(FileStatus::OpenFailed, target,
       "the folder " + folderText(folderOf(target)) + " does not take a new file: " + std::strerror(error));
  return nullptr;
}

bool StdFileSystem::checkTarget(const std::string& path) {
  const std::string target = resolvedTarget(path);
  const std::string folder = folderOf(target);
  const std::string shown = folderText(folder);
  struct stat info {};
  if (::stat(folder.empty() ? "." : folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    fail(FileStatus::OpenFailed, target, "The folder " + shown + " does not exist.");
    return false;
  }
  if (::access(folder.empty() ? "." : folder.c_str(), W_OK | X_OK) != 0) {
    fail(FileStatus::OpenFailed, target,
         "The folder " + shown + " does not take new files: " + std::strerror(errno) + ".");
    return false;
  }
  if (::stat(target.c_str(), &info) != 0) return true;
  if (S_ISDIR(info.st_mode)) {
    fail(FileStatus::OpenFailed, target, path + " is a folder.");
    return false;
  }
  if (!S_ISREG(info.st_mode)) {
    fail(FileStatus::OpenFailed, target, path + " is not a regular file.");
    return false;
  }
  if (::access(target.c_str(), W_OK) != 0) {
    fail(FileStatus::OpenFailed, target, path + " is read-only.");
    return false;
  }
  return true;
}

std::unique_ptr<IFileLock> StdFileSystem::lockBaseName(const std::string& stem, bool& busy) {
  busy = false;
  const std::string lockPath = folderOf(stem) + ".qg-" + nameHash(fileNameOf(stem)) + ".lock";
  for (int attempt = 0; attempt < 100; ++attempt) {
    const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    // Where no lock file can be made, nothing else can be written either; that failure is
    // reported where it happens.
    if (fd < 0) return std::make_unique<StdFileLock>(-1, lockPath);
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      const int error = errno;
      ::close(fd);
      if (error == EWOULDBLOCK) {
        busy = true;
        lastError_ = "another run is writing these files";
        return nullptr;
      }
      return std::make_unique<StdFileLock>(-1, lockPath);  // a file system without locks
    }
    // The lock file may have been removed by the run that held it, between open and lock.
    struct stat held {}, named {};
    if (::fstat(fd, &held) == 0 && ::stat(lockPath.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
        held.st_ino == named.st_ino)
      return std::make_unique<StdFileLock>(fd, lockPath);
    ::close(fd);
  }
  return std::make_unique<StdFileLock>(-1, lockPath);
}

void StdFileSystem::removeLeftovers(const std::string& path) {
  const std::string target = resolvedTarget(path);
  const std::string folder = folderOf(target);
  const std::string prefix = temporaryPrefix(target);
  DIR* listing = ::opendir(folder.empty() ? "." : folder.c_str());
  if (listing == nullptr) return;
  while (const dirent* entry = ::readdir(listing)) {
    const std::string name = entry->d_name;
    if (name.size() == prefix.size() + 10 && name.compare(0, prefix.size(), prefix) == 0 &&
        name.compare(name.size() - 4, 4, ".tmp") == 0)
      ::unlink((folder + name).c_str());
  }
  ::closedir(listing);
}

void StdFileSystem::removeFile(const std::string& path) { ::unlink(path.c_str()); }

}  // namespace platform
