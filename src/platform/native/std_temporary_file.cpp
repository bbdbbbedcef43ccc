#include "platform/native/std_temporary_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "platform/native/file_paths.h"

namespace platform {
namespace {

using modFilePaths::folderOf;
using modFilePaths::randomPart;
using modFilePaths::temporaryPrefix;

constexpr std::size_t kCopyBlockBytes = 1 << 20;

// Through the one descriptor opened at creation, readable so that a spill can be copied out; the
// file's identity is kept to tell at commit whether the temporary name still names it. The
// descriptor holds a shared lock, by which a cleaning run of another name tells it is in use.
class StdTemporaryFile final : public ITemporaryFile {
 public:
  StdTemporaryFile(int fd, std::string temporaryPath, std::string target, std::string& lastError)
      : fd_(fd), temporaryPath_(std::move(temporaryPath)), target_(std::move(target)), lastError_(lastError) {
    (void)::flock(fd_, LOCK_SH | LOCK_NB);
    struct stat info {};
    if (::fstat(fd_, &info) == 0) {
      device_ = info.st_dev;
      inode_ = info.st_ino;
    }
  }
  ~StdTemporaryFile() override {
    if (!committed_ && stillOurs()) ::unlink(temporaryPath_.c_str());
    if (!oldPath_.empty()) ::unlink(oldPath_.c_str());
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
    bool movedAside = false;
    if (const FileStatus kept = keepOld(movedAside); kept != FileStatus::Ok) return kept;
    if (std::rename(temporaryPath_.c_str(), target_.c_str()) != 0) {
      const int error = errno;
      if (movedAside) (void)std::rename(oldPath_.c_str(), target_.c_str());
      if (!oldPath_.empty() && !movedAside) ::unlink(oldPath_.c_str());
      oldPath_.clear();
      return fail(std::strerror(error));
    }
    committed_ = true;
    return FileStatus::Ok;
  }

  FileStatus restore() override {
    if (!committed_) return FileStatus::Ok;
    if (oldPath_.empty()) {
      if (::unlink(target_.c_str()) != 0 && errno != ENOENT) return fail(std::strerror(errno));
    } else {
      if (std::rename(oldPath_.c_str(), target_.c_str()) != 0) return fail(std::strerror(errno));
      oldPath_.clear();
    }
    committed_ = false;
    return FileStatus::Ok;
  }

 private:
  // A second name for the file about to be replaced, so that the rename leaves it whole beside
  // its place; where the file system has no hard links it is moved aside instead.
  FileStatus keepOld(bool& movedAside) {
    struct stat info {};
    if (::lstat(target_.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return FileStatus::Ok;
    const std::string prefix = folderOf(target_) + temporaryPrefix(target_);
    for (int attempt = 0; attempt < 100; ++attempt) {
      const std::string candidate = prefix + randomPart() + ".old";
      if (::link(target_.c_str(), candidate.c_str()) == 0) {
        oldPath_ = candidate;
        return FileStatus::Ok;
      }
      if (errno == EEXIST) continue;
      if (::renameat2(AT_FDCWD, target_.c_str(), AT_FDCWD, candidate.c_str(), RENAME_NOREPLACE) == 0) {
        oldPath_ = candidate;
        movedAside = true;
        return FileStatus::Ok;
      }
      if (errno != EEXIST) return fail("the file it replaces cannot be kept aside: " + std::string(std::strerror(errno)));
    }
    return fail("the file it replaces cannot be kept aside");
  }
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
  std::string oldPath_;  // the replaced file, kept until this object goes
  std::string& lastError_;
  dev_t device_ = 0;
  ino_t inode_ = 0;
  bool committed_ = false;
};

}  // namespace

std::unique_ptr<ITemporaryFile> makeStdTemporaryFile(int fd, std::string temporaryPath, std::string target,
                                                     std::string& lastError) {
  return std::make_unique<StdTemporaryFile>(fd, std::move(temporaryPath), std::move(target), lastError);
}

}  // namespace platform
