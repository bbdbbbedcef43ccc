#include "desktop/shape_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "desktop/fitted_label.h"

namespace desktop {

ShapePage::ShapePage(editors::frmShapeWi& model, editors::clsSession& session, QWidget* parent)
    : EditorPage(parent), model_(model) {
  using editors::frmShapeWi;
  view_ = new DrawingView(this);
  view_->setObjectName("picWidth");
  view_->setMinimumSize(180, 260);
  view_->setMaximumWidth(260);
  wireEditorView(view_, model_, session);
  view_->onKey = [this](int key) {
    model_.setViewSize(view_->width(), view_->height());
    if (key == Qt::Key_Left) model_.nudge(-1);
    else if (key == Qt::Key_Right) model_.nudge(1);
    else return false;
    return true;
  };
  // "+Z" and "-Z" stand over the view's edges, however wide Max makes it.
  auto* sideRow = new QWidget(this);
  sideRow->setMaximumWidth(view_->maximumWidth());
  auto* sides = new QHBoxLayout(sideRow);
  sides->setContentsMargins(0, 0, 0, 0);
  sides->addWidget(new QLabel(frmShapeWi::kSideCaptions[0], sideRow));
  sides->addStretch(1);
  sides->addWidget(new QLabel(frmShapeWi::kSideCaptions[1], sideRow));
  auto* viewColumn = new QVBoxLayout;
  viewColumn->addWidget(sideRow);
  viewColumn->addWidget(view_, 1);

  auto* grid = new QGridLayout;
  symmetric_ = new QCheckBox(frmShapeWi::kSymmetricCaption, this);
  symmetric_->setObjectName("chkSymmetric");
  grid->addWidget(symmetric_, 0, 0, 1, 4);
  addStepper(grid, 1, frmShapeWi::kNodeCountCaption, "cmdNodeNum", nodeButtons_, nodeValue_, [this](int delta) { model_.changeNodeCount(delta); });
  addStepper(grid, 2, frmShapeWi::kSecondColourCaption, "cmdNode2ndColor", secondButtons_, secondValue_,
             [this](int delta) { model_.changeSecondColourNode(delta); });
  const int compoundFirst = grid->count();
  addStepper(grid, 3, frmShapeWi::kCompoundCaption, "cmdCompoundNum", compoundButtons_, compoundValue_,
             [this](int delta) { model_.changeCompoundCount(delta); });
  const auto addBox = [&](int row, const char* caption, const char* name, ValueBox*& box, const char* unit,
                          std::function<void(const std::string&)> apply) {
    grid->addWidget(new QLabel(caption, this), row, 0);
    box = new ValueBox(this);
    box->setObjectName(name);
    box->setMaximumWidth(70);
    grid->addWidget(box, row, 1, 1, 2);
    grid->addWidget(new QLabel(unit, this), row, 3);
    connect(box, &ValueBox::applied, this, [this, apply](const QString& text) {
      apply(text.toStdString());
      refresh();
    });
  };
  addBox(4, frmShapeWi::kAngleCaption, "txtCompoundAngle", angle_, "deg", [this](const std::string& text) { model_.applyAngle(text); });
  addBox(5, frmShapeWi::kSizeCaption, "txtCompoundSize", size_, "%", [this](const std::string& text) { model_.applySize(text); });
  addStepper(grid, 6, frmShapeWi::kJointCaption, "cmdCompoundJoint", jointButtons_, jointValue_,
             [this](int delta) { model_.changeJointNode(delta); });
  addStepper(grid, 7, frmShapeWi::kSplitCaption, "cmdCompoundSplit", splitButtons_, splitValue_,
             [this](int delta) { model_.changeSplitNode(delta); });
  for (int i = compoundFirst; i < grid->count(); ++i)
    if (QWidget* widget = grid->itemAt(i)->widget()) compoundControls_.push_back(widget);
  smooth_ = new QCheckBox(frmShapeWi::kSmoothCaption, this);
  smooth_->setObjectName("chkSmooth");
  grid->addWidget(smooth_, 8, 0, 1, 4);
  addBox(9, frmShapeWi::kWidthVarCaption, "txtVWi", widthVar_, "%", [this](const std::string& text) { model_.applyWidthVar(text); });
  auto* equals = new QGridLayout;
  for (int i = 0; i < 5; ++i) {
    QPushButton*& button = equals_[static_cast<std::size_t>(i)];
    button = new QPushButton(frmShapeWi::kEqualCaptions[static_cast<std::size_t>(i)], this);
    button->setObjectName(QString("cmdEqual%1").arg(i));
    equals->addWidget(button, i / 3, i % 3);
    connect(button, &QPushButton::clicked, this, [this, i] { model_.equal(i); });
  }
  for (int i = 0; i < 2; ++i) {
    QPushButton*& button = draws_[static_cast<std::size_t>(i)];
    button = new QPushButton(frmShapeWi::kDrawCaptions[static_cast<std::size_t>(i)], this);
    button->setObjectName(QString("cmdDraw%1").arg(i));
    equals->addWidget(button, 2, i);
  }
  copy_ = new QPushButton("Copy", this);
  copy_->setObjectName("cmdCopy");
  paste_ = new QPushButton("Paste", this);
  paste_->setObjectName("cmdPaste");
  equals->addWidget(copy_, 3, 0);
  equals->addWidget(paste_, 3, 1);

  section_ = new QScrollBar(Qt::Vertical, this);
  section_->setObjectName("barDist");
  section_->setRange(-30, 30);
  section_->setSingleStep(1);
  section_->setPageStep(15);
  sectionValue_ = new FittedLabel(this, "-30%");
  sectionValue_->setObjectName("lblDist");
  auto* sectionColumn = new QVBoxLayout;
  sectionColumn->addWidget(new QLabel(frmShapeWi::kSectionCaption, this));
  sectionColumn->addWidget(section_, 1);
  sectionColumn->addWidget(sectionValue_);

  auto* controls = new QVBoxLayout;
  controls->addLayout(grid);
  controls->addLayout(equals);
  controls->addStretch(1);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(viewColumn, 1);
  layout->addLayout(sectionColumn);
  layout->addLayout(controls);

  connect(symmetric_, &QCheckBox::clicked, this, [this](bool on) { model_.setSymmetric(on); });
  connect(smooth_, &QCheckBox::clicked, this, [this](bool on) { model_.setSmooth(on); });
  connect(section_, &QScrollBar::valueChanged, this, [this](int value) { model_.setSectionChange(value); });
  connect(draws_[0], &QPushButton::clicked, this, [this] {
    model_.drawRandom();
    view_->update();
  });
  connect(draws_[1], &QPushButton::clicked, this, [this] {
    model_.drawExact();
    view_->update();
  });
  connect(copy_, &QPushButton::clicked, this, [this] { model_.copy(); });
  connect(paste_, &QPushButton::clicked, this, [this] { model_.paste(); });
  refresh();
}

void ShapePage::addStepper(QGridLayout* grid, int row, const char* caption, const char* name,
                           std::array<QPushButton*, 2>& buttons, QLabel*& value,
                           std::function<void(int)> change) {
  grid->addWidget(new QLabel(caption, this), row, 0);
  value = new FittedLabel(this, "000");
  buttons = stepButtons(this, name, std::move(change));
  grid->addWidget(buttons[0], row, 1);
  grid->addWidget(value, row, 2, Qt::AlignCenter);
  grid->addWidget(buttons[1], row, 3);
}

void ShapePage::refresh() {
  symmetric_->setChecked(model_.symmetric());
  symmetric_->setToolTip(qt(model_.symmetricTip()));
  nodeValue_->setNum(model_.nodeCount());
  secondValue_->setNum(model_.secondColourNode());
  compoundValue_->setNum(model_.compoundCount());
  jointValue_->setNum(model_.jointNode());
  splitValue_->setNum(model_.splitNode());
  for (int i = 0; i < 2; ++i) {
    nodeButtons_[static_cast<std::size_t>(i)]->setToolTip(qt(model_.nodeCountTip(i)));
    secondButtons_[static_cast<std::size_t>(i)]->setToolTip(qt(model_.secondColourTip(i)));
    compoundButtons_[static_cast<std::size_t>(i)]->setToolTip(qt(model_.compoundTip(i)));
    jointButtons_[static_cast<std::size_t>(i)]->setToolTip(qt(model_.jointTip(i)));
    splitButtons_[static_cast<std::size_t>(i)]->setToolTip(qt(model_.splitTip(i)));
    draws_[static_cast<std::size_t>(i)]->setToolTip(qt(model_.drawTip(i)));
  }
  for (int i = 0; i < 5; ++i) equals_[static_cast<std::size_t>(i)]->setToolTip(qt(model_.equalTip(i)));
  angle_->show(qt(model_.angleText()));
  size_->show(qt(model_.sizeText()));
  widthVar_->show(qt(model_.widthVarText()));
  angle_->setToolTip(qt(model_.angleTip()));
  size_->setToolTip(qt(model_.sizeTip()));
  widthVar_->setToolTip(qt(model_.widthVarTip()));
  const QSignalBlocker quiet(section_);
  section_->setValue(model_.sectionChange());
  section_->setToolTip(qt(model_.sectionTip()));
  sectionValue_->setText(qt(model_.sectionText()));
  sectionValue_->setToolTip(qt(model_.sectionTip()));
  const bool rock = model_.isRock();
  for (QWidget* widget : compoundControls_) widget->setVisible(!rock);
  smooth_->setVisible(rock);
  smooth_->setChecked(model_.smooth());
  smooth_->setToolTip(qt(model_.smoothTip()));
  copy_->setToolTip(qt(model_.copyTip()));
  paste_->setToolTip(qt(model_.pasteTip()));
  view_->update();
}

}  // namespace desktop
