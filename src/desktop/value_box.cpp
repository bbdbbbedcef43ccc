#include "desktop/value_box.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>

namespace desktop {

ValueBox::ValueBox(QWidget* parent) : QLineEdit(parent) {}

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
