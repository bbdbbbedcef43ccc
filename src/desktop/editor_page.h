#pragma once
// A page of the main window: shows its editor model and refreshes on request.

#include <QPushButton>
#include <QWidget>
#include <array>
#include <functional>

namespace desktop {

class EditorPage : public QWidget {
 public:
  using QWidget::QWidget;
  // Everything the page shows, again from its model.
  virtual void refresh() {}
};

inline QString qt(const std::string& text) { return QString::fromStdString(text); }

// A "-" and "+" pair named name + 0 and name + 1, which call change with -1 and +1.
inline std::array<QPushButton*, 2> stepButtons(QWidget* parent, const QString& name, std::function<void(int)> change) {
  std::array<QPushButton*, 2> buttons{};
  for (int i = 0; i < 2; ++i) {
    QPushButton*& button = buttons[static_cast<std::size_t>(i)];
    button = new QPushButton(i == 0 ? "-" : "+", parent);
    button->setObjectName(name + QString::number(i));
    button->setFixedWidth(28);
    QObject::connect(button, &QPushButton::clicked, parent, [change, i] { change(i == 0 ? -1 : 1); });
  }
  return buttons;
}

}  // namespace desktop
