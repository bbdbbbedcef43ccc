#include "desktop/text_box.h"

namespace desktop {

TextBox::TextBox(QWidget* parent, bool selectAllOnFocus) : TypedBox<LongTextBox>(parent) {
  selectsAllOnFocus_ = selectAllOnFocus;
  setTabChangesFocus(true);
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

}  // namespace desktop
