#pragma once
// A text box of several lines (the note, a more-info text): the text the user typed is applied
// when the box loses focus, once; a box the user is not typing in always shows the stored text,
// cut for display when it is too long to lay out.

#include "desktop/long_text_box.h"

namespace desktop {

class TextBox final : public LongTextBox {
  Q_OBJECT

 public:
  explicit TextBox(QWidget* parent = nullptr);
  // Shows text unless the user is typing in the box.
  void show(const QString& text);
  bool typing() const { return typing_; }
  // Applies the typed text, if there is any.
  void applyTyped();

 Q_SIGNALS:
  void applied(const QString& text);

 protected:
  bool event(QEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  bool typing_ = false;
  bool showing_ = false;
};

}  // namespace desktop
