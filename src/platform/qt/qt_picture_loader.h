#pragma once
// Pictures decoded by Qt's QImage (PNG, JPEG, GIF, BMP, TIFF and the rest of Qt's readers) and
// TGA pictures by a reader of our own; it needs no display, so the command-line tool uses it too.

#include <cstdint>

#include "platform/platform.h"

namespace platform {

class QtPictureLoader final : public IPictureLoader {
 public:
  // Height maps of 10000 x 10000 and more are common: up to 16384 x 16384 pixels are read, one
  // byte a pixel when grey, four with colours.
  static constexpr std::int64_t kMaxPixels = std::int64_t{16384} * 16384;
  // Qt's own limit (128 MB) is raised for the decoders' widest form, 16-bit colour.
  static constexpr int kAllocationLimitMB = static_cast<int>(kMaxPixels * 8 / 1048576);

  std::unique_ptr<IPicture> load(const std::string& path, std::string& error) override;
  std::vector<std::string> extensions() const override;
};

}  // namespace platform
