#include "desktop/text_box.h"

#include <QKeyEvent>

#include "desktop/typed_text.h"

namespace desktop {

TextBox::TextBox(QWidget* parent) : QPlainTextEdit(parent) {
  connect(this, &QPlainTextEdit::textChanged, this, [this] {
    if (!showing_) typing_ = true;
  });
}

void TextBox::show(const QString& text) {
  if (typing_ || text == toPlainText()) return;
  showing_ = true;
  setPlainText(text);
  showing_ = false;
}

void TextBox::applyTyped() {
  if (!typing_) return;
  typing_ = false;
  Q_EMIT applied(toPlainText());
}

bool TextBox::event(QEvent* event) {
  // Undo and Redo are the program's, as in every other box.
  if (event->type() == QEvent::ShortcutOverride && isUndoOrRedo(static_cast<QKeyEvent*>(event))) {
    event->ignore();
    return true;
  }
  return QPlainTextEdit::event(event);
}

void TextBox::focusOutEvent(QFocusEvent* event) {
  QPlainTextEdit::focusOutEvent(event);
  applyTyped();
}

}  // namespace desktop
