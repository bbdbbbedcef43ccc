#include "desktop/text_box.h"

#include <QKeyEvent>

#include "desktop/typed_text.h"

namespace desktop {

TextBox::TextBox(QWidget* parent) : LongTextBox(parent) {
  connect(this, &QPlainTextEdit::textChanged, this, [this] {
    if (!showing_) typing_ = true;
  });
}

void TextBox::show(const QString& text) {
  if (typing_ || text == this->text()) return;
  showing_ = true;
  showText(text);
  showing_ = false;
}

void TextBox::applyTyped() {
  if (!typing_) return;
  typing_ = false;
  Q_EMIT applied(text());
}

bool TextBox::event(QEvent* event) {
  // Undo and Redo are the program's, as in every other box.
  if (event->type() == QEvent::ShortcutOverride && isUndoOrRedo(static_cast<QKeyEvent*>(event))) {
    event->ignore();
    return true;
  }
  return LongTextBox::event(event);
}

void TextBox::focusOutEvent(QFocusEvent* event) {
  LongTextBox::focusOutEvent(event);
  applyTyped();
}

}  // namespace desktop
