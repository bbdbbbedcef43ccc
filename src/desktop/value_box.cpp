#include "desktop/value_box.h"

#include <QKeyEvent>

namespace desktop {

ValueBox::ValueBox(QWidget* parent) : TypedBox<QLineEdit>(parent) {
  connect(this, &QLineEdit::textEdited, this, [this] { typing_ = !appliedWhileTyped_; });
  // Qt lays a line out in more than linear time: 400,000 pasted characters would hold the window
  // for minutes. No value or path is longer than this; a longer paste is cut to it.
  setMaxLength(kMaxLength);
}

void ValueBox::show(const QString& text) {
  if (!typing_ && text != this->text()) setText(text);
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
