#include "desktop/desktop_platform.h"

namespace desktop {

void DesktopPlatform::attach(QWidget* window) {
  status.setWindow(window);
  messages.setParent(window);
  fileDialogs.setParent(window);
  colours.setParent(window);
  prompt.setParent(window);
}

}  // namespace desktop
