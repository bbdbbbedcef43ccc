#include "desktop/typed_text.h"

#include <QApplication>
#include <QKeyEvent>

#include "desktop/text_box.h"
#include "desktop/value_box.h"

namespace desktop {

namespace {

bool inside(const QObject* target, const QWidget* box) {
  for (const QObject* at = target; at != nullptr; at = at->parent())
    if (at == box) return true;
  return false;
}

template <class Box>
void applyAll(const QObject* target) {
  for (QWidget* window : QApplication::topLevelWidgets())
    for (Box* box : window->findChildren<Box*>())
      if (box->typing() && !inside(target, box)) box->applyTyped();
}

}  // namespace

void applyTypedText(const QObject* target) {
  applyAll<ValueBox>(target);
  applyAll<TextBox>(target);
}

bool isUndoOrRedo(const QKeyEvent* event) {
  const QKeyCombination keys = event->keyCombination();
  return event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo) ||
         keys == QKeyCombination(Qt::CTRL | Qt::SHIFT, Qt::Key_Z);
}

bool TypedTextGuard::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Shortcut:
    case QEvent::Drop:
      applyTypedText(watched);
      break;
    case QEvent::Close:
      // Only a window that holds boxes; a tooltip or a menu closing changes nothing.
      if (const auto* window = qobject_cast<const QWidget*>(watched);
          window != nullptr && window->isWindow() && window->windowType() != Qt::Popup && window->windowType() != Qt::ToolTip)
        applyTypedText();
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace desktop
