#pragma once
// A page of the main window: shows its editor model and refreshes on request.

#include <QWidget>

namespace desktop {

class EditorPage : public QWidget {
 public:
  using QWidget::QWidget;
  // Everything the page shows, again from its model.
  virtual void refresh() {}
};

inline QString qt(const std::string& text) { return QString::fromStdString(text); }

}  // namespace desktop
