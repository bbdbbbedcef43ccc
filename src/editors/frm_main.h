#pragma once
// The main window's model: the seven tabs and which editor is in front, the element shown,
// the help balloons of every window, and the Min and Max views.

#include <array>
#include <string>
#include <vector>

#include "editors/editor_model.h"
#include "editors/session.h"

namespace editors {

inline constexpr int kTabCount = 7;
inline constexpr int kCreateTab = 6;

struct clsTab {
  const char* caption;
  const char* tip;
};

inline constexpr std::array<clsTab, kTabCount> kTabs = {{
    {"Curve", "Define the curve of a grass blade."},
    {"Shape", "Set the shape of a grass blade."},
    {"Size, Rotate", "Set the size and orientation for grass."},
    {"Color", "Set the colors for grass."},
    {"Alpha", "Set the coverage area for grass."},
    {"Bump", "Set the altitudes for grass."},
    {"Create", "Create the grass object and read help."},
}};

// A window's place on the screen in pixels.
struct clsGeometry {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const clsGeometry&) const = default;
};

class frmMain final : public clsEditorModel {
 public:
  // pages: the editors behind tabs 0..5 and the create dialog (tab 6), then the element list.
  frmMain(clsSession& session, std::array<clsEditorModel*, kTabCount> pages, clsEditorModel& elementList);

  int activeTab() const { return activeTab_; }
  // A tab is clicked: it comes to the front and shows the active element.
  void selectTab(int tab);
  // Any value: toInteger, clamped to 1..11; the editor in front shows it.
  void setActiveElement(int element) override;
  void setActiveElementFrom(const model::tValue& value);

  std::string tabTip(int tab) const { return tip(kTabs[static_cast<std::size_t>(tab)].tip); }
  std::string minTip() const { return tip("Minimum view"); }
  std::string maxTip() const { return tip("Maximum view"); }

  // Every window's help balloons, as the create dialog's check box asks.
  void setAllToolTips(bool on);
  // formChange of every window in the fixed order: this one, the element list, the six
  // editors, the create dialog.
  void refreshAll();

  // Max: scaled by 0.95 x screen width / current width, aspect kept, centred; a second Max
  // therefore changes nothing. Min: the start-up geometry, centred.
  void recordDesign(const clsGeometry& design) { design_ = design; }
  clsGeometry maxGeometry(const clsGeometry& current, int screenWidth, int screenHeight) const;
  clsGeometry minGeometry(int screenWidth, int screenHeight) const;
  // How much larger than at start-up the controls are drawn in a window this wide (1 at Min).
  double controlScale(int windowWidth) const {
    return design_.width > 0 && windowWidth > design_.width ? static_cast<double>(windowWidth) / design_.width : 1.0;
  }

 private:
  clsSession& session_;
  std::array<clsEditorModel*, kTabCount> pages_;
  clsEditorModel& elementList_;
  int activeTab_ = 0;
  clsGeometry design_;
};

}  // namespace editors
