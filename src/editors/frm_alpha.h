#pragma once
// The coverage editor's model: the cover area and item count, the element's coverage picture in
// its frame (a file, the built-in circle, or a blank white area), and the picked colour.

#include <string>

#include "editors/picture_editor.h"

namespace editors {

class frmAlpha final : public clsPictureEditor {
 public:
  explicit frmAlpha(clsSession& session);

  static constexpr const char* kCoverXCaption = "Cover area X";
  static constexpr const char* kCoverZCaption = "Cover area Z";
  static constexpr const char* kItemCountCaption = "Number of blades";
  static constexpr const char* kLoadCaption = "Load image...";
  static constexpr const char* kClearCaption = "Clear";
  static constexpr const char* kCircleCaption = "Circle";
  static constexpr const char* kNoPickCaption = "No pick";
  static constexpr const char* kClearPickCaption = "Clear pick";

  generation::tPicture picture() const override;
  std::string coverText(int axis) const;  // 0 X, 1 Z
  std::string itemCountText() const;
  // The pick colour, or -1 for none ("No pick" on the button's face colour).
  std::int32_t pickColour() const;
  std::string pickCaption() const { return pickColour() < 0 ? kNoPickCaption : ""; }

  std::string loadTip() const { return tip("Load an image as alpha map."); }
  std::string clearTip() const { return tip("Clear alpha image and set it to blank white."); }
  std::string coverTip(int axis) const {
    return tip(axis == 0 ? "The X dimension of the coverage area" : "The Z dimension of the coverage area");
  }
  std::string itemCountTip() const {
    return tip("The number of fennets within the coverage area XZ. Caution: A large number will take up lots of disk space.");
  }
  std::string pickTip() const { return tip("If you click on the alpha image, the color you pick shall be used in alpha."); }
  std::string clearPickTip() const { return tip("Use standard colors for alpha."); }
  std::string circleTip() const { return tip("Draw a circle as alpha."); }
  std::string copyTip() const { return tip("Copy the alpha values of this grass."); }
  std::string pasteTip() const { return tip("Paste the copied values into this grass."); }

  void setActiveElement(int element) override { modStore::setActiveElement(session_.store(), element); }

  void applyCover(int axis, const std::string& text);
  void applyItemCount(const std::string& text);
  void loadFile(const std::string& path) override;
  void clear();
  void circle();
  void clearPick();
  // A press on the shown area at (x, y) of the picture: that pixel's colour becomes the pick.
  void pickAt(int x, int y);
  void paste() override;

 protected:
  bool showsBlank() const override;
  std::string tipEnding() const override { return " - fennets grow on areas of light color or picked color."; }
};

class frmBump final : public clsPictureEditor {
 public:
  explicit frmBump(clsSession& session);

  static constexpr const char* kMaxHeightCaption = "Max Height";
  static constexpr const char* kUseSpaceCaption = "Use Space";
  static constexpr const char* kLoadCaption = "Load image...";
  static constexpr const char* kClearCaption = "Clear";

  generation::tPicture picture() const override;
  std::string maxHeightText() const;
  bool useSpace() const;

  std::string loadTip() const { return tip("Load an image as bump map."); }
  std::string clearTip() const { return tip("Clear bump image and set it to blank black."); }
  std::string maxHeightTip() const {
    return tip("The highest altitude a grass blade can get. A negative value bumps down the grass.");
  }
  std::string useSpaceTip() const { return tip("If checked, grass shall fly from the ground to Max Hi."); }

  void setActiveElement(int element) override { modStore::setActiveElement(session_.store(), element); }

  void applyMaxHeight(const std::string& text);
  void setUseSpace(bool on);
  void loadFile(const std::string& path) override;
  void clear();
  void paste() override;

 protected:
  bool showsBlank() const override;
  std::string tipEnding() const override { return " - fennets grow on light-color areas."; }
};

}  // namespace editors
