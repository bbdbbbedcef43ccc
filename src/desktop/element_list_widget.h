#pragma once
// The element list: an option button (the name) and a check box (in use) for each element,
// and the grass-1 length box. A right click on a name renames it.

#include <QWidget>
#include <array>

#include "desktop/editor_page.h"
#include "desktop/value_box.h"
#include "editors/frm_element.h"
#include "model/store.h"

class QCheckBox;
class QRadioButton;

namespace desktop {

class ElementListWidget final : public QWidget {
 public:
  ElementListWidget(editors::frmElement& model, QWidget* parent = nullptr);
  void refresh();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  editors::frmElement& model_;
  std::array<QRadioButton*, model::kElementCount> names_{};
  std::array<QCheckBox*, model::kElementCount> uses_{};
  ValueBox* length_ = nullptr;
};

}  // namespace desktop
