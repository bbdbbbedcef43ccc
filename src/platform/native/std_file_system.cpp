#include "platform/native/std_file_system.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include "platform/native/file_paths.h"
#include "platform/native/std_temporary_file.h"

namespace platform {
namespace {

using modFilePaths::fileNameOf;
using modFilePaths::folderOf;
using modFilePaths::followLinks;
using modFilePaths::nameHash;
using modFilePaths::randomPart;
using modFilePaths::temporaryPrefix;

// Temporary files of other names are taken for a killed run's leftovers after a day.
constexpr std::time_t kLeftoverSeconds = 24 * 60 * 60;

// The read end of a pipe a shell made ("... | quenmoor-grass-cli check /dev/stdin"); a named
// pipe on the disk is no file to read, as nobody may ever write to it.
bool isAnonymousPipe(int fd, const struct stat& info) {
  constexpr long kPipeFileSystem = 0x50495045;  // PIPEFS_MAGIC
  struct statfs system {};
  return S_ISFIFO(info.st_mode) && ::fstatfs(fd, &system) == 0 && static_cast<long>(system.f_type) == kPipeFileSystem;
}

std::string folderText(const std::string& folder) { return folder.empty() ? std::string("./") : folder; }

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

bool isHex(std::string_view text) { return text.find_first_not_of("0123456789abcdef") == std::string_view::npos; }

// ".qg-" + 16 hex digits + ".lock", or + "-" + 6 letters + ".tmp": what runs leave when killed.
bool isRunFile(const std::string& name) {
  if (name.size() < 25 || name.compare(0, 4, ".qg-") != 0 || !isHex(std::string_view(name).substr(4, 16))) return false;
  if (name.size() == 25) return name.compare(20, 5, ".lock") == 0;
  return name.size() == 31 && name[20] == '-' && name.compare(27, 4, ".tmp") == 0;
}

// Removes a run file of another name when it is old and no run holds it (a running run keeps
// its files locked; the lock is tested on the file itself, so no holder is missed).
void removeIfAbandoned(int folder, const std::string& name, std::time_t now) {
  const int fd = ::openat(folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return;
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && now - info.st_mtime > kLeftoverSeconds &&
      ::flock(fd, LOCK_EX | LOCK_NB) == 0)
    ::unlinkat(folder, name.c_str(), 0);
  ::close(fd);
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
  if (!S_ISREG(info.st_mode) && !isAnonymousPipe(fd, info)) {
    ::close(fd);
    return fail(FileStatus::OpenFailed, path, S_ISDIR(info.st_mode) ? "it is a folder" : "it is not a regular file");
  }
  // A pipe is read to its end, however slowly its writer goes.
  if (S_ISFIFO(info.st_mode)) (void)::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
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

std::string StdFileSystem::realTarget(const std::string& path) {
  std::string refusal;
  return followLinks(path, refusal);
}

std::unique_ptr<ITemporaryFile> StdFileSystem::createTemporary(const std::string& path) {
  std::string refusal;
  const std::string target = followLinks(path, refusal);
  if (!refusal.empty()) {
    fail(FileStatus::OpenFailed, target, refusal);
    return nullptr;
  }
  // The new file gets the old one's permissions, or the usual ones for a new file.
  struct stat old {};
  const bool replacing = ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
  int error = EEXIST;
  for (int attempt = 0; attempt < 100 && error == EEXIST; ++attempt) {
    const std::string candidate = folderOf(target) + temporaryPrefix(target) + randomPart() + ".tmp";
    const int fd = ::open(candidate.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
      error = errno;
      continue;
    }
    if (replacing) (void)::fchmod(fd, old.st_mode & 07777);
    return makeStdTemporaryFile(fd, candidate, target, lastError_);
  }
  // Out of descriptors the folder is not to blame.
  if (error == EMFILE || error == ENFILE)
    fail(FileStatus::OpenFailed, target, "no further file can be opened now: " + std::string(std::strerror(error)));
  else
    fail(FileStatus::OpenFailed, target,
         "the folder " + folderText(folderOf(target)) + " does not take a new file: " + std::strerror(error));
  return nullptr;
}

bool StdFileSystem::checkTarget(const std::string& path) {
  std::string refusal;
  const std::string target = followLinks(path, refusal);
  if (!refusal.empty()) {
    fail(FileStatus::OpenFailed, target, refusal);
    return false;
  }
  const std::string folder = folderOf(target);
  const std::string shown = folderText(folder);
  const char* folderName = folder.empty() ? "." : folder.c_str();
  struct stat folderInfo {};
  if (::stat(folderName, &folderInfo) != 0 || !S_ISDIR(folderInfo.st_mode)) {
    fail(FileStatus::OpenFailed, target, "The folder " + shown + " does not exist.");
    return false;
  }
  if (::access(folderName, W_OK | X_OK) != 0) {
    fail(FileStatus::OpenFailed, target,
         "The folder " + shown + " does not take new files: " + std::strerror(errno) + ".");
    return false;
  }
  // The name is judged before anything is made: a name the folder cannot take fails only at
  // the rename, after the whole run.
  long nameMax = ::pathconf(folderName, _PC_NAME_MAX);
  if (nameMax <= 0) nameMax = NAME_MAX;
  if (fileNameOf(target).size() > static_cast<std::size_t>(nameMax)) {
    fail(FileStatus::OpenFailed, target,
         path + ": the name is longer than the folder takes (" + std::to_string(nameMax) + " bytes).");
    return false;
  }
  if (target.size() >= PATH_MAX) {
    fail(FileStatus::OpenFailed, target, path + ": the path is longer than the system takes.");
    return false;
  }
  // The kernel's own view as well, for links of /proc that name no path.
  struct stat followed {};
  const bool existsFollowed = ::stat(path.c_str(), &followed) == 0;
  struct stat info {};
  if (::lstat(target.c_str(), &info) != 0) {
    if (existsFollowed && !S_ISREG(followed.st_mode)) {
      fail(FileStatus::OpenFailed, target, path + " is not a regular file.");
      return false;
    }
    return true;
  }
  if (S_ISDIR(info.st_mode)) {
    fail(FileStatus::OpenFailed, target, path + " is a folder.");
    return false;
  }
  if (!S_ISREG(info.st_mode) || (existsFollowed && !S_ISREG(followed.st_mode))) {
    fail(FileStatus::OpenFailed, target, path + " is not a regular file.");
    return false;
  }
  if (::access(target.c_str(), W_OK) != 0) {
    fail(FileStatus::OpenFailed, target, path + " is read-only.");
    return false;
  }
  // As the kernel's protected_regular: in a shared sticky folder another user's file is theirs.
  const bool shared = (folderInfo.st_mode & S_ISVTX) != 0 && (folderInfo.st_mode & S_IWOTH) != 0;
  if (shared && info.st_uid != ::geteuid() && info.st_uid != folderInfo.st_uid) {
    fail(FileStatus::OpenFailed, target, path + " belongs to another user in a shared folder; it is not replaced.");
    return false;
  }
  return true;
}

std::unique_ptr<IFileLock> StdFileSystem::lockBaseName(const std::string& stem, bool& busy) {
  busy = false;
  const std::string lockPath = folderOf(stem) + ".qg-" + nameHash(fileNameOf(stem)) + ".lock";
  const auto refuse = [&](const std::string& why) -> std::unique_ptr<IFileLock> {
    lastError_ = "The lock file " + lockPath + " " + why;
    return nullptr;
  };
  for (int attempt = 0; attempt < 100; ++attempt) {
    // Never through a link: a planted one would make a file wherever it points.
    int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    // Another user's lock left by a run that ended: reading it is enough to lock it.
    if (fd < 0 && errno == EACCES) fd = ::open(lockPath.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
      const int error = errno;
      if (error == ELOOP) return refuse("is a symbolic link; it is not followed.");
      if (error == EISDIR) return refuse("is a folder.");
      return refuse(std::string("cannot be opened: ") + std::strerror(error) + ".");
    }
    struct stat held {};
    if (::fstat(fd, &held) != 0 || !S_ISREG(held.st_mode)) {
      ::close(fd);
      return refuse("is not a regular file.");
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      const int error = errno;
      ::close(fd);
      if (error == EWOULDBLOCK) {
        busy = true;
        lastError_ = "another run is writing these files";
        return nullptr;
      }
      // A file system without locks: no run can lock there, and there is nothing to wait for.
      if (error == ENOLCK || error == EOPNOTSUPP) return std::make_unique<StdFileLock>(-1, lockPath);
      return refuse(std::string("cannot be locked: ") + std::strerror(error) + ".");
    }
    // The lock file may have been removed by the run that held it, between open and lock.
    struct stat named {};
    if (::lstat(lockPath.c_str(), &named) == 0 && held.st_dev == named.st_dev && held.st_ino == named.st_ino)
      return std::make_unique<StdFileLock>(fd, lockPath);
    ::close(fd);
  }
  return refuse("keeps changing; it is not taken.");
}

void StdFileSystem::removeLeftovers(const std::string& path) {
  std::string refusal;
  const std::string target = followLinks(path, refusal);
  const std::string folder = folderOf(target);
  const std::string prefix = temporaryPrefix(target);
  DIR* listing = ::opendir(folder.empty() ? "." : folder.c_str());
  if (listing == nullptr) return;
  const std::time_t now = std::time(nullptr);
  while (const dirent* entry = ::readdir(listing)) {
    const std::string name = entry->d_name;
    const bool ours = name.size() == prefix.size() + 10 && name.compare(0, prefix.size(), prefix) == 0 &&
                      (name.compare(name.size() - 4, 4, ".tmp") == 0 || name.compare(name.size() - 4, 4, ".old") == 0);
    if (ours)
      ::unlinkat(::dirfd(listing), name.c_str(), 0);
    else if (isRunFile(name))
      removeIfAbandoned(::dirfd(listing), name, now);
  }
  ::closedir(listing);
}

void StdFileSystem::removeFile(const std::string& path) { ::unlink(path.c_str()); }

}  // namespace platform
