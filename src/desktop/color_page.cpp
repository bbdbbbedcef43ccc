#include "desktop/color_page.h"

#include <QCheckBox>
#include <QEvent>
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

constexpr std::array<const char*, 4> kSwatchNames = {"lblReal", "lblAmbient", "lblDiffuse", "lblSpecular"};
constexpr std::array<const char*, 4> kRowCaptions = {"Real", "Ambient", "Diffuse", "Specular"};
// The "set all" label beside each row of the first colour: real, ambient, diffuse, specular.
constexpr std::array<int, 4> kRowSetAll = {3, 1, 0, 2};

QString styleOf(std::int32_t colour) {
  return QString("QPushButton { background: %1; border: 1px solid #808080; }")
      .arg(platform::qtColour(colour).name());
}

}  // namespace

ColorPage::ColorPage(editors::frmColor& model, QWidget* parent) : EditorPage(parent), model_(model) {
  using editors::frmColor;
  using editors::Swatch;
  auto* grid = new QGridLayout;
  for (int k = 1; k <= 6; ++k) {
    auto* heading = new QLabel(k <= 3 ? "1st" : "2nd", this);
    heading->setObjectName(QString("lblMain%1").arg(k - 1));
    heading->setAlignment(Qt::AlignCenter);
    grid->addWidget(heading, 0, k);
  }
  for (int row = 0; row < 4; ++row) {
    grid->addWidget(new QLabel(kRowCaptions[static_cast<std::size_t>(row)], this), row + 1, 0);
    for (int k = 1; k <= 6; ++k) {
      QPushButton*& swatch = swatches_[static_cast<std::size_t>(row)][static_cast<std::size_t>(k - 1)];
      swatch = new QPushButton(this);
      swatch->setObjectName(QString("%1%2").arg(kSwatchNames[static_cast<std::size_t>(row)]).arg(k - 1));
      swatch->setMinimumSize(40, 24);
      swatch->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
      grid->addWidget(swatch, row + 1, k);
      connect(swatch, &QPushButton::clicked, this, [this, row, k] { model_.choose(static_cast<Swatch>(row), k); });
    }
  }
  grid->addWidget(new QLabel("Transit", this), 5, 0);
  for (int k = 1; k <= 6; ++k) {
    QScrollBar*& bar = transitions_[static_cast<std::size_t>(k - 1)];
    bar = new QScrollBar(Qt::Horizontal, this);
    bar->setObjectName(QString("barTransition%1").arg(k - 1));
    bar->setRange(0, 20);
    // Wide enough that the thumb between the arrows can be seen and taken with the mouse.
    bar->setPageStep(4);
    bar->setMinimumWidth(72);
    QLabel*& value = transitionValues_[static_cast<std::size_t>(k - 1)];
    value = new FittedLabel(this, "20");
    value->setObjectName(QString("lblTransition%1").arg(k - 1));
    value->setAlignment(Qt::AlignCenter);
    grid->addWidget(bar, 5, k);
    grid->addWidget(value, 6, k);
    connect(bar, &QScrollBar::valueChanged, this, [this, k](int v) { model_.setTransition(k, v); });
  }
  for (int i = 0; i < 8; ++i) {
    QPushButton*& label = setAll_[static_cast<std::size_t>(i)];
    label = new QPushButton(frmColor::kSetAllCaptions[static_cast<std::size_t>(i)], this);
    label->setObjectName(QString("lblAll%1").arg(i));
    label->setFlat(true);
    connect(label, &QPushButton::clicked, this, [this, i] { model_.setAll(i); });
  }
  for (int row = 0; row < 4; ++row) grid->addWidget(setAll_[static_cast<std::size_t>(kRowSetAll[static_cast<std::size_t>(row)])], row + 1, 7);
  grid->addWidget(setAll_[4], 5, 7);
  auto* relations = new QHBoxLayout;
  for (int i = 5; i < 8; ++i) relations->addWidget(setAll_[static_cast<std::size_t>(i)]);
  relations->addStretch(1);
  grid->addLayout(relations, 7, 0, 1, 8);

  auto* sets = new QGridLayout;
  for (int set = 1; set <= 2; ++set) {
    QCheckBox*& rainbow = rainbows_[static_cast<std::size_t>(set - 1)];
    rainbow = new QCheckBox(frmColor::kRainbowCaptions[static_cast<std::size_t>(set - 1)], this);
    rainbow->setObjectName(QString("chkRainbow%1").arg(set - 1));
    TextBox*& info = moreInfo_[static_cast<std::size_t>(set - 1)];
    info = new TextBox(this, true);
    info->setObjectName(QString("txtMoreInfo%1").arg(set - 1));
    info->setMaximumHeight(44);
    connect(info, &TextBox::applied, this, [this, set](const QString& text) {
      model_.applyMoreInfo(set, text.toStdString());
      moreInfo_[static_cast<std::size_t>(set - 1)]->show(qt(model_.moreInfo(set)));
    });
    sets->addWidget(rainbow, 0, set - 1);
    sets->addWidget(info, 1, set - 1);
    connect(rainbow, &QCheckBox::clicked, this, [this, set](bool on) { model_.setRainbow(set, on); });
  }
  moreInfoHelp_ = new QPushButton(frmColor::kMoreInfoCaption, this);
  moreInfoHelp_->setObjectName("lblMoreInfo");
  moreInfoHelp_->setFlat(true);
  sets->addWidget(moreInfoHelp_, 0, 2);
  connect(moreInfoHelp_, &QPushButton::clicked, this, [this] { model_.showMoreInfoHelp(); });

  pool_ = new DrawingView(this);
  pool_->setObjectName("picMain");
  pool_->setFocusPolicy(Qt::NoFocus);
  pool_->setMinimumHeight(60);
  pool_->source = [this](int w, int h) { return model_.pool(w, h); };

  auto* buttons = new QHBoxLayout;
  const auto add = [&](QPushButton*& made, const char* caption, const char* name) {
    made = new QPushButton(caption, this);
    made->setObjectName(name);
    buttons->addWidget(made);
  };
  add(reset_, "Reset", "cmdReset");
  add(save_, "Save", "cmdSave");
  add(copy_, "Copy", "cmdCopy");
  add(paste_, "Paste", "cmdPaste");
  buttons->addStretch(1);
  connect(reset_, &QPushButton::clicked, this, [this] { model_.resetColours(); });
  connect(save_, &QPushButton::clicked, this, [this] { model_.save(); });
  connect(copy_, &QPushButton::clicked, this, [this] { model_.copy(); });
  connect(paste_, &QPushButton::clicked, this, [this] { model_.paste(); });

  // Tab goes as the page is read, row by row: each row's "set all" after its swatches, the two
  // rainbow boxes before the two more-info boxes below them.
  QWidgetList order;
  for (int row = 0; row < 4; ++row) {
    for (QPushButton* swatch : swatches_[static_cast<std::size_t>(row)]) order << swatch;
    order << setAll_[static_cast<std::size_t>(kRowSetAll[static_cast<std::size_t>(row)])];
  }
  for (QScrollBar* bar : transitions_) order << bar;
  for (int i = 4; i < 8; ++i) order << setAll_[static_cast<std::size_t>(i)];
  order << rainbows_[0] << rainbows_[1] << moreInfoHelp_ << moreInfo_[0] << moreInfo_[1] << reset_ << save_ << copy_
        << paste_;
  for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(sets);
  layout->addWidget(pool_, 1);
  layout->addLayout(buttons);
  refresh();
}

void ColorPage::refresh() {
  using editors::Swatch;
  for (int row = 0; row < 4; ++row) {
    for (int k = 1; k <= 6; ++k) {
      QPushButton* swatch = swatches_[static_cast<std::size_t>(row)][static_cast<std::size_t>(k - 1)];
      swatch->setStyleSheet(styleOf(model_.swatch(static_cast<Swatch>(row), k)));
      swatch->setToolTip(qt(model_.swatchTip(static_cast<Swatch>(row))));
    }
  }
  for (int k = 1; k <= 6; ++k) {
    QScrollBar* bar = transitions_[static_cast<std::size_t>(k - 1)];
    const QSignalBlocker quiet(bar);
    bar->setValue(model_.transition(k));
    transitionValues_[static_cast<std::size_t>(k - 1)]->setNum(model_.transition(k));
    transitionValues_[static_cast<std::size_t>(k - 1)]->setToolTip(qt(model_.transitionTip()));
  }
  for (int i = 0; i < 8; ++i) setAll_[static_cast<std::size_t>(i)]->setToolTip(qt(model_.setAllTip(i)));
  for (int set = 1; set <= 2; ++set) {
    rainbows_[static_cast<std::size_t>(set - 1)]->setChecked(model_.rainbow(set));
    rainbows_[static_cast<std::size_t>(set - 1)]->setToolTip(qt(model_.rainbowTip(set)));
    TextBox* info = moreInfo_[static_cast<std::size_t>(set - 1)];
    info->show(qt(model_.moreInfo(set)));
    info->setToolTip(qt(model_.moreInfoTip(set)));
  }
  reset_->setToolTip(qt(model_.resetTip()));
  save_->setToolTip(qt(model_.saveTip()));
  copy_->setToolTip(qt(model_.copyTip()));
  paste_->setToolTip(qt(model_.pasteTip()));
  pool_->setToolTip(qt(model_.poolTip()));
  pool_->update();
}

}  // namespace desktop
