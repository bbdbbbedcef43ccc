#pragma once
// "Save view as PNG...": the sizes the picture can be saved at, and the file it goes to.

#include <array>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace editors {

struct clsPictureSize {
  const char* caption;
  int width;  // 0 x 0: the view's own size on the screen
  int height;
};

inline constexpr std::array<clsPictureSize, 3> kPictureSizes = {{
    {"At the view's size", 0, 0},
    {"1920 x 1080", 1920, 1080},
    {"3840 x 2160", 3840, 2160},
}};

}  // namespace editors

namespace modViewPicture {

// The chosen path, ending in ".png"; nothing when a file is there and the user does not want it
// replaced (the save dialog asks nothing, as the ending may be added only here).
std::optional<std::string> targetPath(const std::string& chosen, platform::IMessageBox& messages,
                                      platform::IFileSystem& files);

}  // namespace modViewPicture
