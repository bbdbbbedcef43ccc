#pragma once
// The width-profile editor's page: the straightened blade with its width handles, and the
// buttons, boxes and the section scroll bar of the profile.

#include <array>
#include <functional>
#include <vector>

#include "desktop/drawing_view.h"
#include "desktop/editor_page.h"
#include "desktop/value_box.h"
#include "editors/frm_shape.h"

class QCheckBox;
class QGridLayout;
class QLabel;
class QPushButton;
class QScrollBar;

namespace desktop {

class ShapePage final : public EditorPage {
 public:
  ShapePage(editors::frmShapeWi& model, editors::clsSession& session, QWidget* parent = nullptr);
  void refresh() override;

 private:
  // A caption, "-", the value and "+"; the value label is returned in value.
  void addStepper(QGridLayout* grid, int row, const char* caption, const char* name,
                  std::array<QPushButton*, 2>& buttons, QLabel*& value, std::function<void(int)> change);

  editors::frmShapeWi& model_;
  DrawingView* view_ = nullptr;
  QCheckBox* symmetric_ = nullptr;
  QCheckBox* smooth_ = nullptr;
  std::array<QPushButton*, 2> nodeButtons_{}, secondButtons_{}, compoundButtons_{}, jointButtons_{}, splitButtons_{};
  QLabel* nodeValue_ = nullptr;
  QLabel* secondValue_ = nullptr;
  QLabel* compoundValue_ = nullptr;
  QLabel* jointValue_ = nullptr;
  QLabel* splitValue_ = nullptr;
  ValueBox* angle_ = nullptr;
  ValueBox* size_ = nullptr;
  ValueBox* widthVar_ = nullptr;
  QScrollBar* section_ = nullptr;
  QLabel* sectionValue_ = nullptr;
  std::array<QPushButton*, 2> draws_{};
  std::array<QPushButton*, 5> equals_{};
  QPushButton* copy_ = nullptr;
  QPushButton* paste_ = nullptr;
  // Shown for grass only.
  std::vector<QWidget*> compoundControls_;
};

}  // namespace desktop
