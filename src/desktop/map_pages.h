#pragma once
// The coverage ("Alpha") and altitude ("Bump") pages: their boxes, the picture frame with its
// scroll bars, and the picture buttons.

#include <array>

#include "desktop/editor_page.h"
#include "desktop/picture_frame_widget.h"
#include "desktop/value_box.h"
#include "editors/frm_alpha.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace desktop {

class AlphaPage final : public EditorPage {
 public:
  AlphaPage(editors::frmAlpha& model, QWidget* parent = nullptr);
  void refresh() override;

 private:
  editors::frmAlpha& model_;
  std::array<ValueBox*, 2> cover_{};
  ValueBox* items_ = nullptr;
  PictureFrame* frame_ = nullptr;
  QLabel* fileName_ = nullptr;
  QPushButton* load_ = nullptr;
  QPushButton* clear_ = nullptr;
  QPushButton* circle_ = nullptr;
  QLabel* pick_ = nullptr;
  QPushButton* clearPick_ = nullptr;
  QPushButton* copy_ = nullptr;
  QPushButton* paste_ = nullptr;
};

class BumpPage final : public EditorPage {
 public:
  BumpPage(editors::frmBump& model, QWidget* parent = nullptr);
  void refresh() override;

 private:
  editors::frmBump& model_;
  ValueBox* maxHeight_ = nullptr;
  QCheckBox* useSpace_ = nullptr;
  PictureFrame* frame_ = nullptr;
  QLabel* fileName_ = nullptr;
  QPushButton* load_ = nullptr;
  QPushButton* clear_ = nullptr;
  QPushButton* copy_ = nullptr;
  QPushButton* paste_ = nullptr;
};

}  // namespace desktop
