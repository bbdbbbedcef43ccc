#pragma once
// Dragging a scroll bar's thumb is one Undo step, as a drag in a drawn view is; the window still
// follows every value on the way (labels, dials, the 3D view).

#include <QAbstractSlider>

#include "editors/session.h"

namespace desktop {

// Connect after the bar's own valueChanged handler, so that its edit is inside the step.
inline void dragIsOneStep(QAbstractSlider* bar, editors::clsSession& session) {
  QObject::connect(bar, &QAbstractSlider::sliderPressed, bar, [&session] { session.beginStep(); });
  QObject::connect(bar, &QAbstractSlider::valueChanged, bar, [bar, &session] {
    if (bar->isSliderDown()) session.changed();
  });
  QObject::connect(bar, &QAbstractSlider::sliderReleased, bar, [&session] { session.endStep(); });
}

}  // namespace desktop
