#pragma once
// A text box as every editor has them: its whole text is selected when it gains focus, and its
// text is applied when Enter is pressed (the text is then selected again) or when it loses focus.

#include <QLineEdit>

namespace desktop {

class ValueBox : public QLineEdit {
  Q_OBJECT

 public:
  static constexpr int kMaxLength = 4096;
  explicit ValueBox(QWidget* parent = nullptr);
  // Shows text unless the user is typing in the box.
  void show(const QString& text);

 Q_SIGNALS:
  void applied(const QString& text);

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace desktop
