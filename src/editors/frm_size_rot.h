#pragma once
// The size and rotation editor's model: eight scroll bars and two "-"/"+" pairs for slots 21
// to 30 with their value labels, the spin dial and the lean dial, and copying between elements.

#include <array>
#include <string>

#include "editors/drawing.h"
#include "editors/copying_editor.h"

namespace editors {

class frmSizeRot final : public clsCopyingEditor {
 public:
  explicit frmSizeRot(clsSession& session) : clsCopyingEditor(session) {}

  // The scroll bars in the order of their slots.
  enum Bar { kSizeBar, kSpinStartBar, kSpinRangeBar, kSpinShareBar, kLeanXBar, kLeanLeftBar, kLeanRightBar, kTwistBar };
  static constexpr int kBarCount = 8;
  struct clsBar {
    int slot;
    int maximum;
    int largeChange;
  };
  static constexpr std::array<clsBar, kBarCount> kBars = {
      {{model::slot::kSizeVar, 100, 10},
       {model::slot::kSpinStart, 360, 40},
       {model::slot::kSpinRange, 360, 40},
       {model::slot::kSpinShare, 100, 10},
       {model::slot::kLeanX, 180, 20},
       {model::slot::kLeanX + 1, 180, 20},
       {model::slot::kLeanX + 2, 180, 20},
       {model::slot::kTwistChance, 100, 10}}};

  static constexpr std::int32_t kDisc = rgb(0, 0, 0);
  static constexpr std::int32_t kGreen = rgb(0, 200, 0);
  static constexpr std::int32_t kOrange = rgb(255, 128, 0);

  int barValue(int bar) const;
  std::string barText(int bar) const;
  // What a bar's value label says for value.
  static std::string barText(int bar, int value);
  std::string minText() const;
  std::string maxText() const;
  // The fixed labels 0..7; 5 and 6 name rocks for rock elements.
  std::string label(int index) const;
  bool twistVisible() const;

  std::string barTip(int bar) const;
  std::string minTip(int index) const;
  std::string maxTip(int index) const;
  std::string copyTip() const { return tip("Copy the size-rotate values of this grass."); }
  std::string pasteTip() const { return tip("Paste the copied values into this grass."); }

  // A dial of width x height pixels.
  clsDrawing spinDial(int width, int height) const;
  clsDrawing leanDial(int width, int height) const;

  void setActiveElement(int element) override { modStore::setActiveElement(session_.store(), element); }

  void setBar(int bar, int value);
  // "-" (delta -1) and "+" (delta +1) of the minimum and maximum per clump.
  void changeMinimum(int delta);
  void changeMaximum(int delta);
  void paste() override;

 private:
  void applyBar(int bar, const model::tValue& value);

};

}  // namespace editors
