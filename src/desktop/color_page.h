#pragma once
// The colour editor's page: the swatches of the six main colours, their transition bars, the
// "set all" labels, rainbow flags and more-info boxes, the pool strip, Reset, Save, Copy, Paste.

#include <array>

#include "desktop/drawing_view.h"
#include "desktop/editor_page.h"
#include "desktop/long_text_box.h"
#include "editors/frm_color.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QScrollBar;

namespace desktop {

class ColorPage final : public EditorPage {
 public:
  ColorPage(editors::frmColor& model, QWidget* parent = nullptr);
  void refresh() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  editors::frmColor& model_;
  std::array<std::array<QPushButton*, 6>, 4> swatches_{};  // by editors::Swatch, then colour
  std::array<QScrollBar*, 6> transitions_{};
  std::array<QLabel*, 6> transitionValues_{};
  std::array<QPushButton*, 8> setAll_{};
  std::array<QCheckBox*, 2> rainbows_{};
  std::array<LongTextBox*, 2> moreInfo_{};
  QPushButton* moreInfoHelp_ = nullptr;
  DrawingView* pool_ = nullptr;
  QPushButton* reset_ = nullptr;
  QPushButton* save_ = nullptr;
  QPushButton* copy_ = nullptr;
  QPushButton* paste_ = nullptr;
};

}  // namespace desktop
