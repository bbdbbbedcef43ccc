#pragma once
// Pictures decoded by Qt's QImage (PNG, JPEG, GIF, BMP and the rest of Qt's readers); it needs
// no display, so the command-line tool uses it too.

#include "platform/platform.h"

namespace platform {

class QtPictureLoader final : public IPictureLoader {
 public:
  // Height maps of 10000 x 10000 and more are common: Qt's own limit of 128 MB is raised.
  static constexpr int kAllocationLimitMB = 1024;

  std::unique_ptr<IPicture> load(const std::string& path, std::string& error) override;
  std::vector<std::string> extensions() const override;
};

}  // namespace platform
