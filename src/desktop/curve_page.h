#pragma once
// The curve editor's page: the side view of the curve, the weight and variation boxes, and the
// buttons that move the active point and draw variants.

#include <array>

#include "desktop/drawing_view.h"
#include "desktop/editor_page.h"
#include "desktop/value_box.h"
#include "editors/frm_curve.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace desktop {

class CurvePage final : public EditorPage {
 public:
  CurvePage(editors::frmCurve& model, editors::clsSession& session, QWidget* parent = nullptr);
  void refresh() override;

 private:
  void placeViewLabels();

  editors::frmCurve& model_;
  DrawingView* view_ = nullptr;
  QCheckBox* use4_ = nullptr;
  std::array<ValueBox*, 4> weights_{};
  std::array<ValueBox*, 3> variation_{};
  QPushButton* sameToAll_ = nullptr;
  std::array<QPushButton*, 3> origins_{};
  std::array<QPushButton*, 2> draws_{};
  QLabel* unitHeight_ = nullptr;
  std::array<QLabel*, 2> axisEnds_{};
};

}  // namespace desktop
