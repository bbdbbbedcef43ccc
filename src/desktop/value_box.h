#pragma once
// A text box as every editor has them: its whole text is selected when it gains focus, and the
// text the user typed is applied when Enter is pressed (the text is then selected again) or when
// it loses focus. Only typed text is applied, and only once: a box the user is not typing in
// always shows the stored value, so that its old text can never overwrite a later change.

#include <QLineEdit>

#include "desktop/typed_box.h"

namespace desktop {

class ValueBox : public TypedBox<QLineEdit> {
  Q_OBJECT

 public:
  static constexpr int kMaxLength = 4096;
  explicit ValueBox(QWidget* parent = nullptr);
  // Shows text unless the user is typing in the box.
  void show(const QString& text);
  // A box whose every keystroke is applied at once holds no typed text of its own.
  void setAppliedWhileTyped(bool on) { appliedWhileTyped_ = on; }

 Q_SIGNALS:
  void applied(const QString& text);

 protected:
  void emitApplied() override { Q_EMIT applied(text()); }
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool appliedWhileTyped_ = false;
};

}  // namespace desktop
