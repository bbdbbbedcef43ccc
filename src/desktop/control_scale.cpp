#include "desktop/control_scale.h"

#include <QWidget>
#include <cmath>

namespace desktop {

namespace {

bool insidePicture(const QWidget* widget, const QWidget* root) {
  for (const QWidget* at = widget; at != nullptr && at != root; at = at->parentWidget())
    if (at->objectName() == "picAlphaBeta") return true;
  return false;
}

int scaled(int size, double factor) {
  if (size >= QWIDGETSIZE_MAX) return QWIDGETSIZE_MAX;  // no limit stays no limit
  return static_cast<int>(std::min<double>(QWIDGETSIZE_MAX, std::lround(size * factor)));
}

}  // namespace

void scaleControls(QWidget* root, double factor) {
  for (QWidget* widget : root->findChildren<QWidget*>()) {
    if (widget->isWindow() || insidePicture(widget, root)) continue;
    // The limits as built are kept on the control, so that every factor starts from them.
    if (!widget->property("designMinimum").isValid()) {
      widget->setProperty("designMinimum", widget->minimumSize());
      widget->setProperty("designMaximum", widget->maximumSize());
    }
    const QSize minimum = widget->property("designMinimum").toSize();
    const QSize maximum = widget->property("designMaximum").toSize();
    widget->setMinimumSize(scaled(minimum.width(), factor), scaled(minimum.height(), factor));
    widget->setMaximumSize(scaled(maximum.width(), factor), scaled(maximum.height(), factor));
  }
}

}  // namespace desktop
