#pragma once
// Pictures decoded by Qt's QImage (PNG, JPEG, GIF, BMP and the rest of Qt's readers); it needs
// no display, so the command-line tool uses it too.

#include "platform/platform.h"

namespace platform {

class QtPictureLoader final : public IPictureLoader {
 public:
  std::unique_ptr<IPicture> load(const std::string& path, std::string& error) override;
};

}  // namespace platform
