#pragma once
// A decoded picture held as plain colours, so that reading a pixel costs an index.

#include <cstdint>
#include <vector>

#include "platform/platform.h"

namespace platform {

class RasterPicture final : public IPicture {
 public:
  // colours row by row from the top, red + 256 green + 65536 blue.
  RasterPicture(int width, int height, std::vector<std::int32_t> colours)
      : width_(width), height_(height), colours_(std::move(colours)) {}
  int width() const override { return width_; }
  int height() const override { return height_; }
  std::int32_t colourAt(int x, int y) const override {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return -1;
    return colours_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
  }

 private:
  int width_;
  int height_;
  std::vector<std::int32_t> colours_;
};

}  // namespace platform
