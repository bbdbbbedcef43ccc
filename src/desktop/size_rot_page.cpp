#include "desktop/size_rot_page.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <functional>

#include "desktop/fitted_label.h"

namespace desktop {

namespace {

// Bar names as the window's controls are called, by bar.
constexpr std::array<const char*, editors::frmSizeRot::kBarCount> kBarNames = {
    "barVSize", "barSpin0", "barSpin1", "barSpin2", "barLean1", "barLean2", "barLean3", "barTwist"};
// The fixed label above each bar, by bar; the lean bars carry their caption in the value label.
constexpr std::array<int, editors::frmSizeRot::kBarCount> kBarLabels = {0, 3, 7, 2, -1, -1, -1, 4};

}  // namespace

SizeRotPage::SizeRotPage(editors::frmSizeRot& model, QWidget* parent) : EditorPage(parent), model_(model) {
  using editors::frmSizeRot;
  auto* grid = new QGridLayout;
  for (int i = 0; i < 8; ++i) {
    // The captions for a grass element are the longer ones.
    labels_[static_cast<std::size_t>(i)] = new FittedLabel(this, qt(model_.label(i)));
    labels_[static_cast<std::size_t>(i)]->setObjectName(QString("lblMain%1").arg(i));
  }
  int row = 0;
  const auto addBar = [&](int bar) {
    QScrollBar*& scroll = bars_[static_cast<std::size_t>(bar)];
    scroll = new QScrollBar(Qt::Horizontal, this);
    scroll->setObjectName(kBarNames[static_cast<std::size_t>(bar)]);
    const frmSizeRot::clsBar& range = frmSizeRot::kBars[static_cast<std::size_t>(bar)];
    scroll->setRange(0, range.maximum);
    scroll->setSingleStep(1);
    scroll->setPageStep(range.largeChange);
    scroll->setMinimumWidth(160);
    QLabel*& value = values_[static_cast<std::size_t>(bar)];
    value = new FittedLabel(this, qt(frmSizeRot::barText(bar, range.maximum)));
    value->setObjectName(QString(kBarNames[static_cast<std::size_t>(bar)]).replace("bar", "lbl"));
    const int label = kBarLabels[static_cast<std::size_t>(bar)];
    if (label >= 0) grid->addWidget(labels_[static_cast<std::size_t>(label)], row, 0);
    grid->addWidget(scroll, row, 1);
    grid->addWidget(value, row, 2);
    ++row;
    connect(scroll, &QScrollBar::valueChanged, this, [this, bar](int v) { model_.setBar(bar, v); });
  };
  addBar(frmSizeRot::kSizeBar);
  grid->addWidget(labels_[1], row++, 0, 1, 3);
  for (int bar : {frmSizeRot::kSpinStartBar, frmSizeRot::kSpinRangeBar, frmSizeRot::kSpinShareBar}) addBar(bar);
  for (int bar : {frmSizeRot::kLeanXBar, frmSizeRot::kLeanLeftBar, frmSizeRot::kLeanRightBar}) addBar(bar);
  const auto addPair = [&](int label, const char* name, std::array<QPushButton*, 2>& buttons, QLabel*& value,
                           std::function<void(int)> change) {
    grid->addWidget(labels_[static_cast<std::size_t>(label)], row, 0);
    auto* pair = new QHBoxLayout;
    value = new FittedLabel(this, "0000");
    buttons = stepButtons(this, name, std::move(change));
    pair->addWidget(buttons[0]);
    pair->addWidget(value);
    pair->addWidget(buttons[1]);
    pair->addStretch(1);
    grid->addLayout(pair, row++, 1, 1, 2);
  };
  addPair(5, "cmdMinNum1", minButtons_, minValue_, [this](int delta) { model_.changeMinimum(delta); });
  addPair(6, "cmdMaxNum1", maxButtons_, maxValue_, [this](int delta) { model_.changeMaximum(delta); });
  addBar(frmSizeRot::kTwistBar);

  spin_ = new DrawingView(this);
  spin_->setObjectName("picSpin");
  lean_ = new DrawingView(this);
  lean_->setObjectName("picLean");
  for (DrawingView* dial : {spin_, lean_}) {
    dial->setFixedSize(120, 120);
    dial->setFocusPolicy(Qt::NoFocus);
  }
  spin_->source = [this](int w, int h) { return model_.spinDial(w, h); };
  lean_->source = [this](int w, int h) { return model_.leanDial(w, h); };
  copy_ = new QPushButton("Copy", this);
  copy_->setObjectName("cmdCopy");
  paste_ = new QPushButton("Paste", this);
  paste_->setObjectName("cmdPaste");
  connect(copy_, &QPushButton::clicked, this, [this] { model_.copy(); });
  connect(paste_, &QPushButton::clicked, this, [this] { model_.paste(); });

  auto* dials = new QVBoxLayout;
  dials->addWidget(spin_);
  dials->addWidget(lean_);
  dials->addWidget(copy_);
  dials->addWidget(paste_);
  dials->addStretch(1);
  auto* layout = new QHBoxLayout(this);
  auto* left = new QVBoxLayout;
  left->addLayout(grid);
  left->addStretch(1);
  layout->addLayout(left, 1);
  layout->addLayout(dials);
  refresh();
}

void SizeRotPage::refresh() {
  using editors::frmSizeRot;
  for (int bar = 0; bar < frmSizeRot::kBarCount; ++bar) {
    QScrollBar* scroll = bars_[static_cast<std::size_t>(bar)];
    const QSignalBlocker quiet(scroll);
    scroll->setValue(model_.barValue(bar));
    scroll->setToolTip(qt(model_.barTip(bar)));
    values_[static_cast<std::size_t>(bar)]->setText(qt(model_.barText(bar)));
  }
  for (int i = 0; i < 8; ++i) labels_[static_cast<std::size_t>(i)]->setText(qt(model_.label(i)));
  minValue_->setText(qt(model_.minText()));
  maxValue_->setText(qt(model_.maxText()));
  for (int i = 0; i < 2; ++i) {
    minButtons_[static_cast<std::size_t>(i)]->setToolTip(qt(model_.minTip(i)));
    maxButtons_[static_cast<std::size_t>(i)]->setToolTip(qt(model_.maxTip(i)));
  }
  const bool twist = model_.twistVisible();
  bars_[frmSizeRot::kTwistBar]->setVisible(twist);
  values_[frmSizeRot::kTwistBar]->setVisible(twist);
  labels_[4]->setVisible(twist);
  copy_->setToolTip(qt(model_.copyTip()));
  paste_->setToolTip(qt(model_.pasteTip()));
  spin_->update();
  lean_->update();
}

}  // namespace desktop
