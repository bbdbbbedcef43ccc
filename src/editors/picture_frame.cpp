#include "editors/picture_frame.h"

#include <cmath>

#include "model/value_functions.h"

namespace modPictureFrame {

editors::clsScrollRange scrollRange(int pictureExtent, int frameExtent) {
  editors::clsScrollRange range;
  const double beyond = pictureExtent - frameExtent;
  if (beyond <= 0) return range;
  range.enabled = true;
  range.maximum = static_cast<int>(std::nearbyint(beyond));
  range.smallChange = static_cast<int>(std::nearbyint(modGeneral::atLeast(beyond / 20, 1)));
  range.largeChange = static_cast<int>(std::nearbyint(modGeneral::atLeast(beyond / 5, 1)));
  return range;
}

editors::clsPictureArea pictureArea(const generation::tPicture& picture, bool showBlank, int frameWidth,
                                    int frameHeight, const std::string& tipEnding) {
  editors::clsPictureArea area;
  if (showBlank || !picture) {
    area.blank = true;
    area.width = frameWidth;
    area.height = frameHeight;
  } else {
    area.width = picture->width();
    area.height = picture->height();
  }
  area.horizontal = scrollRange(area.width, frameWidth);
  area.vertical = scrollRange(area.height, frameHeight);
  area.tip = std::to_string(area.width) + "x" + std::to_string(area.height) + tipEnding;
  return area;
}

}  // namespace modPictureFrame
