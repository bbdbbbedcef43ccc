#pragma once
#include "platform/platform.h"

namespace platform {

// Temporary files are named ".qg-" + a hash of the file name they replace + a random part, so
// that they stay short beside long names and a later run on the same name finds its leftovers.
// Files through the C library, opened in binary mode so that text keeps its CR LF line ends.
class StdFileSystem final : public IFileSystem {
 public:
  FileStatus writeFile(const std::string& path, std::string_view data, bool append) override;
  FileStatus readFile(const std::string& path, std::string& out) override;
  std::optional<std::int64_t> fileLength(const std::string& path) override;
  bool exists(const std::string& path) override;
  bool isFolder(const std::string& path) override;
  std::string realTarget(const std::string& path) override;
  std::unique_ptr<ITemporaryFile> createTemporary(const std::string& path) override;
  bool checkTarget(const std::string& path) override;
  std::unique_ptr<IFileLock> lockBaseName(const std::string& stem, bool& busy) override;
  void removeLeftovers(const std::string& path) override;
  void removeFile(const std::string& path) override;
  std::string lastError() const override { return lastError_; }

 private:
  FileStatus fail(FileStatus status, const std::string& path, int error);
  FileStatus fail(FileStatus status, const std::string& path, const std::string& reason);
  std::string lastError_;
};

}  // namespace platform
