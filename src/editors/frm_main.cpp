#include "editors/frm_main.h"

#include <algorithm>
#include <cmath>

#include "model/value_functions.h"

namespace editors {

frmMain::frmMain(clsSession& session, std::array<clsEditorModel*, kTabCount> pages, clsEditorModel& elementList)
    : session_(session), pages_(pages), elementList_(elementList) {
  setAllToolTips(session_.document.session.helpTips);
  selectTab(0);
}

void frmMain::selectTab(int tab) {
  activeTab_ = std::clamp(tab, 0, kTabCount - 1);
  setActiveElement(session_.store().activeElement);
}

void frmMain::setActiveElement(int element) {
  const int active = modStore::setActiveElement(session_.store(), element);
  // Only the editor in front follows at once; the others catch up when their tab is selected.
  if (activeTab_ != kCreateTab) pages_[static_cast<std::size_t>(activeTab_)]->setActiveElement(active);
}

void frmMain::setActiveElementFrom(const model::tValue& value) {
  setActiveElement(static_cast<int>(modGeneral::clampValue(modGeneral::toInteger(value), 1, model::kElementCount)));
}

void frmMain::setAllToolTips(bool on) {
  setToolTip(on);
  elementList_.setToolTip(on);
  for (clsEditorModel* page : pages_) page->setToolTip(on);
}

void frmMain::refreshAll() {
  formChange();
  elementList_.formChange();
  for (clsEditorModel* page : pages_) page->formChange();
}

clsGeometry frmMain::maxGeometry(const clsGeometry& current, int screenWidth, int screenHeight) const {
  if (current.width <= 0) return current;
  const double f = screenWidth * 0.95 / current.width;
  clsGeometry scaled;
  scaled.width = static_cast<int>(std::lround(current.width * f));
  scaled.height = static_cast<int>(std::lround(current.height * f));
  // Within one pixel of the current size is the size it already has: a second Max is no change.
  if (std::abs(scaled.width - current.width) <= 1 && std::abs(scaled.height - current.height) <= 1) {
    scaled.width = current.width;
    scaled.height = current.height;
  }
  scaled.left = (screenWidth - scaled.width) / 2;
  scaled.top = (screenHeight - scaled.height) / 2;
  return scaled;
}

clsGeometry frmMain::minGeometry(int screenWidth, int screenHeight) const {
  clsGeometry restored = design_;
  restored.left = (screenWidth - restored.width) / 2;
  restored.top = (screenHeight - restored.height) / 2;
  return restored;
}

}  // namespace editors
