#pragma once
// The size and rotation editor's page: the eight scroll bars with their value labels, the two
// "-"/"+" pairs of the clump counts, the spin and lean dials, Copy and Paste.

#include <array>

#include "desktop/drawing_view.h"
#include "desktop/editor_page.h"
#include "editors/frm_size_rot.h"

class QLabel;
class QPushButton;
class QScrollBar;

namespace desktop {

class SizeRotPage final : public EditorPage {
 public:
  SizeRotPage(editors::frmSizeRot& model, QWidget* parent = nullptr);
  void refresh() override;

 private:
  editors::frmSizeRot& model_;
  std::array<QScrollBar*, editors::frmSizeRot::kBarCount> bars_{};
  std::array<QLabel*, editors::frmSizeRot::kBarCount> values_{};
  std::array<QLabel*, 8> labels_{};
  std::array<QPushButton*, 2> minButtons_{}, maxButtons_{};
  QLabel* minValue_ = nullptr;
  QLabel* maxValue_ = nullptr;
  DrawingView* spin_ = nullptr;
  DrawingView* lean_ = nullptr;
  QPushButton* copy_ = nullptr;
  QPushButton* paste_ = nullptr;
};

}  // namespace desktop
