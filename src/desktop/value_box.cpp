#include "desktop/value_box.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>

namespace desktop {

ValueBox::ValueBox(QWidget* parent) : QLineEdit(parent) {
  // Qt lays a line out in more than linear time: 400,000 pasted characters would hold the window
  // for minutes. No value or path is longer than this; a longer paste is cut to it.
  setMaxLength(kMaxLength);
}

void ValueBox::show(const QString& text) {
  if (text != this->text()) setText(text);
}

void ValueBox::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  // After the mouse press has placed the cursor, so that the selection stays.
  QTimer::singleShot(0, this, [this] { selectAll(); });
}

void ValueBox::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  Q_EMIT applied(text());
}

void ValueBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    Q_EMIT applied(text());
    selectAll();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

}  // namespace desktop
