#pragma once
#include "platform/platform.h"

namespace platform {

// Files through the C library, opened in binary mode so that text keeps its CR LF line ends.
class StdFileSystem final : public IFileSystem {
 public:
  FileStatus writeFile(const std::string& path, std::string_view data, bool append) override;
  FileStatus readFile(const std::string& path, std::string& out) override;
  std::optional<std::int64_t> fileLength(const std::string& path) override;
  bool exists(const std::string& path) override;
};

}  // namespace platform
