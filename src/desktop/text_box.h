#pragma once
// A text box of several lines (the note, a more-info text): the text the user typed is applied
// when the box loses focus, once; a box the user is not typing in always shows the stored text,
// cut for display when it is too long to lay out. Tab moves on to the next control, as
// everywhere else: a tab character would end up in the settings text and the material file.

#include "desktop/long_text_box.h"
#include "desktop/typed_box.h"

namespace desktop {

class TextBox final : public TypedBox<LongTextBox> {
  Q_OBJECT

 public:
  // selectAllOnFocus: the whole text is selected when the box gains focus.
  explicit TextBox(QWidget* parent = nullptr, bool selectAllOnFocus = false);
  // Shows text unless the user is typing in the box.
  void show(const QString& text);

 Q_SIGNALS:
  void applied(const QString& text);

 protected:
  void emitApplied() override { Q_EMIT applied(text()); }

 private:
  bool showing_ = false;
};

}  // namespace desktop
