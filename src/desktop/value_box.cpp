#include "desktop/value_box.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>

#include "desktop/typed_text.h"

namespace desktop {

ValueBox::ValueBox(QWidget* parent) : QLineEdit(parent) {
  connect(this, &QLineEdit::textEdited, this, [this] { typing_ = !appliedWhileTyped_; });
  // Qt lays a line out in more than linear time: 400,000 pasted characters would hold the window
  // for minutes. No value or path is longer than this; a longer paste is cut to it.
  setMaxLength(kMaxLength);
}

void ValueBox::show(const QString& text) {
  if (!typing_ && text != this->text()) setText(text);
}

void ValueBox::applyTyped() {
  if (!typing_) return;
  typing_ = false;
  Q_EMIT applied(text());
}

bool ValueBox::event(QEvent* event) {
  // Undo and Redo are the program's: they reach the menu, not the box's own typing history.
  if (event->type() == QEvent::ShortcutOverride && isUndoOrRedo(static_cast<QKeyEvent*>(event))) {
    event->ignore();
    return true;
  }
  return QLineEdit::event(event);
}

void ValueBox::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  // After the mouse press has placed the cursor, so that the selection stays.
  QTimer::singleShot(0, this, [this] { selectAll(); });
}

void ValueBox::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  applyTyped();
}

void ValueBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    applyTyped();
    selectAll();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

}  // namespace desktop
