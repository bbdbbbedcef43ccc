#include "desktop/map_pages.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "desktop/fitted_label.h"
#include "platform/qt/qt_colour.h"

namespace desktop {

namespace {

QPushButton* button(QWidget* parent, const char* caption, const char* name) {
  auto* made = new QPushButton(caption, parent);
  made->setObjectName(name);
  return made;
}

ValueBox* box(QWidget* parent, const char* name) {
  auto* made = new ValueBox(parent);
  made->setObjectName(name);
  made->setMaximumWidth(110);
  return made;
}

// The picture's path under the frame: cut in its middle when long, so that the file's name shows.
FittedLabel* pathLabel(QWidget* parent) {
  auto* made = new FittedLabel(parent);
  made->setObjectName("lblFileName");
  made->setElideMode(Qt::ElideMiddle);
  return made;
}

// The frame with its scroll bars at its right and bottom edges.
QGridLayout* framed(PictureFrame* frame) {
  auto* grid = new QGridLayout;
  grid->setSpacing(0);
  frame->setObjectName("picAlphaBeta");
  frame->horizontalBar()->setObjectName("barH");
  frame->verticalBar()->setObjectName("barV");
  grid->addWidget(frame, 0, 0);
  grid->addWidget(frame->verticalBar(), 0, 1);
  grid->addWidget(frame->horizontalBar(), 1, 0);
  return grid;
}

}  // namespace

AlphaPage::AlphaPage(editors::frmAlpha& model, QWidget* parent) : EditorPage(parent), model_(model) {
  using editors::frmAlpha;
  auto* boxes = new QGridLayout;
  for (int axis = 0; axis < 2; ++axis) {
    boxes->addWidget(new QLabel(axis == 0 ? frmAlpha::kCoverXCaption : frmAlpha::kCoverZCaption, this), 0, axis);
    ValueBox*& cover = cover_[static_cast<std::size_t>(axis)];
    cover = box(this, axis == 0 ? "txtCover0" : "txtCover1");
    boxes->addWidget(cover, 1, axis);
    connect(cover, &ValueBox::applied, this, [this, axis](const QString& text) {
      model_.applyCover(axis, text.toStdString());
      cover_[static_cast<std::size_t>(axis)]->show(qt(model_.coverText(axis)));
    });
  }
  boxes->addWidget(new QLabel(frmAlpha::kItemCountCaption, this), 0, 2);
  items_ = box(this, "txtItemNum");
  boxes->addWidget(items_, 1, 2);
  connect(items_, &ValueBox::applied, this, [this](const QString& text) {
    model_.applyItemCount(text.toStdString());
    items_->show(qt(model_.itemCountText()));
  });
  boxes->setColumnStretch(3, 1);

  frame_ = new PictureFrame(model_, Qt::white, this);
  frame_->onPick = [this](int x, int y) { model_.pickAt(x, y); };
  fileName_ = pathLabel(this);
  load_ = button(this, frmAlpha::kLoadCaption, "cmdLoad");
  clear_ = button(this, frmAlpha::kClearCaption, "cmdClear");
  circle_ = button(this, frmAlpha::kCircleCaption, "cmdCircle");
  pick_ = new FittedLabel(this);
  pick_->setObjectName("lblPickColor");
  pick_->setAlignment(Qt::AlignCenter);
  pick_->setAutoFillBackground(true);
  pick_->setMinimumHeight(24);
  clearPick_ = button(this, frmAlpha::kClearPickCaption, "cmdClearPick");
  copy_ = button(this, "Copy", "cmdCopy");
  paste_ = button(this, "Paste", "cmdPaste");
  auto* buttons = new QVBoxLayout;
  for (QWidget* w : std::initializer_list<QWidget*>{load_, clear_, circle_, pick_, clearPick_, copy_, paste_})
    buttons->addWidget(w);
  buttons->addStretch(1);

  auto* middle = new QHBoxLayout;
  middle->addLayout(framed(frame_), 1);
  middle->addLayout(buttons);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(boxes);
  layout->addLayout(middle, 1);
  layout->addWidget(fileName_);

  connect(load_, &QPushButton::clicked, this, [this] { model_.load(); });
  connect(clear_, &QPushButton::clicked, this, [this] { model_.clear(); });
  connect(circle_, &QPushButton::clicked, this, [this] { model_.circle(); });
  connect(clearPick_, &QPushButton::clicked, this, [this] { model_.clearPick(); });
  connect(copy_, &QPushButton::clicked, this, [this] { model_.copy(); });
  connect(paste_, &QPushButton::clicked, this, [this] { model_.paste(); });
  refresh();
}

void AlphaPage::refresh() {
  for (int axis = 0; axis < 2; ++axis) {
    ValueBox* cover = cover_[static_cast<std::size_t>(axis)];
    cover->show(qt(model_.coverText(axis)));
    cover->setToolTip(qt(model_.coverTip(axis)));
  }
  items_->show(qt(model_.itemCountText()));
  items_->setToolTip(qt(model_.itemCountTip()));
  fileName_->setText(qt(model_.fileNameText()));
  // "No pick" on the face colour of the button beside it; a pick shows as the background.
  const std::int32_t pick = model_.pickColour();
  QPalette colours = pick_->palette();
  colours.setColor(QPalette::Window, pick < 0 ? clearPick_->palette().button().color()
                                             : platform::qtColour(pick));
  pick_->setPalette(colours);
  pick_->setText(qt(model_.pickCaption()));
  pick_->setToolTip(qt(model_.pickTip()));
  load_->setToolTip(qt(model_.loadTip()));
  clear_->setToolTip(qt(model_.clearTip()));
  circle_->setToolTip(qt(model_.circleTip()));
  clearPick_->setToolTip(qt(model_.clearPickTip()));
  copy_->setToolTip(qt(model_.copyTip()));
  paste_->setToolTip(qt(model_.pasteTip()));
  frame_->refresh();
}

BumpPage::BumpPage(editors::frmBump& model, QWidget* parent) : EditorPage(parent), model_(model) {
  using editors::frmBump;
  auto* top = new QHBoxLayout;
  top->addWidget(new QLabel(frmBump::kMaxHeightCaption, this));
  maxHeight_ = box(this, "txtMaxHi");
  top->addWidget(maxHeight_);
  useSpace_ = new QCheckBox(frmBump::kUseSpaceCaption, this);
  useSpace_->setObjectName("chkUseSpace");
  top->addWidget(useSpace_);
  top->addStretch(1);
  connect(maxHeight_, &ValueBox::applied, this, [this](const QString& text) {
    model_.applyMaxHeight(text.toStdString());
    maxHeight_->show(qt(model_.maxHeightText()));
  });
  connect(useSpace_, &QCheckBox::clicked, this, [this](bool on) { model_.setUseSpace(on); });

  frame_ = new PictureFrame(model_, Qt::black, this);
  fileName_ = pathLabel(this);
  load_ = button(this, frmBump::kLoadCaption, "cmdLoad");
  clear_ = button(this, frmBump::kClearCaption, "cmdClear");
  copy_ = button(this, "Copy", "cmdCopy");
  paste_ = button(this, "Paste", "cmdPaste");
  auto* buttons = new QVBoxLayout;
  for (QWidget* w : std::initializer_list<QWidget*>{load_, clear_, copy_, paste_}) buttons->addWidget(w);
  buttons->addStretch(1);
  auto* middle = new QHBoxLayout;
  middle->addLayout(framed(frame_), 1);
  middle->addLayout(buttons);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(middle, 1);
  layout->addWidget(fileName_);

  connect(load_, &QPushButton::clicked, this, [this] { model_.load(); });
  connect(clear_, &QPushButton::clicked, this, [this] { model_.clear(); });
  connect(copy_, &QPushButton::clicked, this, [this] { model_.copy(); });
  connect(paste_, &QPushButton::clicked, this, [this] { model_.paste(); });
  refresh();
}

void BumpPage::refresh() {
  maxHeight_->show(qt(model_.maxHeightText()));
  maxHeight_->setToolTip(qt(model_.maxHeightTip()));
  useSpace_->setChecked(model_.useSpace());
  useSpace_->setToolTip(qt(model_.useSpaceTip()));
  fileName_->setText(qt(model_.fileNameText()));
  load_->setToolTip(qt(model_.loadTip()));
  clear_->setToolTip(qt(model_.clearTip()));
  frame_->refresh();
}

}  // namespace desktop
