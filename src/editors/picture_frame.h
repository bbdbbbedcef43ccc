#pragma once
// The frame through which the coverage and altitude editors show an element's picture at pixel
// scale: the area shown, the two scroll bars' ranges and the picture's tooltip.

#include <string>

#include "generation/map_pictures.h"

namespace editors {

struct clsScrollRange {
  bool enabled = false;
  int maximum = 0;
  int smallChange = 1;
  int largeChange = 1;
};

struct clsPictureArea {
  int width = 0;   // the picture's size, or the frame's when there is none to show
  int height = 0;
  bool blank = false;  // no picture: an area of the blank colour
  clsScrollRange horizontal;
  clsScrollRange vertical;
  std::string tip;
};

}  // namespace editors

namespace modPictureFrame {

// showBlank: no file and (coverage) no circle, so the frame shows a blank area.
editors::clsPictureArea pictureArea(const generation::tPicture& picture, bool showBlank, int frameWidth,
                                    int frameHeight, const std::string& tipEnding);
// The range of a bar for a picture extent beyond a frame extent.
editors::clsScrollRange scrollRange(int pictureExtent, int frameExtent);

}  // namespace modPictureFrame
