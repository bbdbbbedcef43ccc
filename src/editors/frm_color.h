#pragma once
// The colour editor's model: the six main colours of the active element as real, ambient,
// diffuse and specular swatches, their transition numbers, the "set all" actions, the rainbow
// flags and more-info texts, and the colour pool drawn as a strip of columns.

#include <array>
#include <string>

#include "editors/drawing.h"
#include "editors/copying_editor.h"
#include "materials/palette.h"

namespace editors {

class frmCreate;

enum class Swatch { Real, Ambient, Diffuse, Specular };

class frmColor final : public clsCopyingEditor {
 public:
  frmColor(clsSession& session, frmCreate& createDialog) : clsCopyingEditor(session), create_(createDialog) {}

  static constexpr std::array<const char*, 8> kSetAllCaptions = {"Diffuse all", "Ambient all", "Specular all",
                                                                 "Real all",    "Transit all", "&R=A",
                                                                 "&A=R",        "&S=R"};
  static constexpr std::array<const char*, 2> kRainbowCaptions = {"Rainbow 1st", "Rainbow 2nd"};
  static constexpr const char* kMoreInfoCaption = "More Info &?";
  static constexpr const char* kMoreInfoHelp =
      "Here are the most commonly used commands for materials:\r\n\r\n"
      "d value   (dissolve factor, value = 0 is perfect transparent, value = 1 perfect opaque)\r\n\r\n"
      "Ns value   (specular size, value is varied by applications, 0-255 (Bryce), 1-128 (Java), 0-1000, etc.)\r\n\r\n";

  // Main colour k = 1..6.
  std::int32_t swatch(Swatch which, int k) const;
  int transition(int k) const;
  bool rainbow(int set) const;
  std::string moreInfo(int set) const;  // with plain line breaks

  std::string swatchTip(Swatch which) const;
  std::string transitionTip() const { return tip("The number of transit colors between 2 main colors"); }
  std::string setAllTip(int index) const;
  std::string moreInfoTip(int set) const;
  std::string resetTip() const { return tip("Reset the colors to default settings."); }
  std::string saveTip() const { return tip("Save these colors to the .mtl file."); }
  std::string rainbowTip(int set) const { return tip(set == 1 ? "Rainbow all colors in the 1st set." : "Rainbow all colors in the 2nd set."); }
  std::string copyTip() const { return tip("Copy the colors of this grass."); }
  std::string pasteTip() const { return tip("Paste the copied colors into this grass."); }

  // The pool strip of width x height pixels, and its tooltip (set whether tooltips are on or not).
  clsDrawing pool(int width, int height) const;
  std::string poolTip() const;

  void setActiveElement(int element) override { modStore::setActiveElement(session_.store(), element); }
  // Both more-info texts of the active element become empty.
  void reset() override;

  // A swatch is clicked: the colour chooser with the swatch's prompt; true when a colour was chosen.
  bool choose(Swatch which, int k);
  void setTransition(int k, int value);
  // The "set all" labels 0..7.
  void setAll(int index);
  void setRainbow(int set, bool on);
  // A more-info box lost the focus.
  void applyMoreInfo(int set, const std::string& text);
  void showMoreInfoHelp();
  // "Reset": the default palettes of all eleven elements.
  void resetColours();
  // "Save": the create dialog's "Save colors only".
  bool save();
  void paste() override;

 private:
  const materials::clsMainColour& colour(int k) const;

  frmCreate& create_;
};

}  // namespace editors
