#pragma once
#include "platform/platform.h"

namespace platform {

// Files through the C library, opened in binary mode so that text keeps its CR LF line ends.
class StdFileSystem final : public IFileSystem {
 public:
  FileStatus writeFile(const std::string& path, std::string_view data, bool append) override;
  FileStatus appendFile(const std::string& path, const std::string& sourcePath) override;
  FileStatus readFile(const std::string& path, std::string& out) override;
  std::optional<std::int64_t> fileLength(const std::string& path) override;
  bool exists(const std::string& path) override;
  FileStatus createTemporary(const std::string& path, std::string& temporaryPath) override;
  FileStatus commitTemporary(const std::string& temporaryPath, const std::string& path, bool flushToDisk) override;
  void removeFile(const std::string& path) override;
  std::string lastError() const override { return lastError_; }

 private:
  FileStatus fail(FileStatus status, const std::string& path, int error);
  FileStatus fail(FileStatus status, const std::string& path, const std::string& reason);
  std::string lastError_;
};

}  // namespace platform
