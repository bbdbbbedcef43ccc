#include "desktop/curve_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/qt_colour.h"

namespace desktop {

CurvePage::CurvePage(editors::frmCurve& model, editors::clsSession& session, QWidget* parent)
    : EditorPage(parent), model_(model) {
  using editors::frmCurve;
  view_ = new DrawingView(this);
  view_->setObjectName("picView");
  view_->setMinimumSize(300, 240);
  wireEditorView(view_, model_, session);
  view_->onKey = [this](int key) {
    model_.setViewSize(view_->width(), view_->height());
    switch (key) {
      case Qt::Key_Left: model_.arrow(editors::Arrow::Left); return true;
      case Qt::Key_Up: model_.arrow(editors::Arrow::Up); return true;
      case Qt::Key_Right: model_.arrow(editors::Arrow::Right); return true;
      case Qt::Key_Down: model_.arrow(editors::Arrow::Down); return true;
      default: return false;
    }
  };
  view_->onResize = [this] { placeViewLabels(); };
  unitHeight_ = new QLabel(frmCurve::kUnitHeightCaption, view_);
  unitHeight_->setObjectName("lblGivenHi");
  for (int i = 0; i < 2; ++i) {
    axisEnds_[static_cast<std::size_t>(i)] = new QLabel(frmCurve::kAxisCaptions[static_cast<std::size_t>(i)], view_);
    axisEnds_[static_cast<std::size_t>(i)]->setObjectName(QString("lblAxis%1").arg(i));
  }

  auto* controls = new QGridLayout;
  use4_ = new QCheckBox(frmCurve::kUse4Caption, this);
  use4_->setObjectName("chkUse4CP");
  controls->addWidget(use4_, 0, 0, 1, 3);
  for (int i = 1; i <= 4; ++i) {
    auto* label = new QLabel(frmCurve::kWeightCaption, this);
    label->setStyleSheet("QLabel { color: " + platform::qtColour(frmCurve::kPointColours[static_cast<std::size_t>(i - 1)]).name() +
                         "; font-weight: bold; }");
    ValueBox*& box = weights_[static_cast<std::size_t>(i - 1)];
    box = new ValueBox(this);
    box->setObjectName(QString("txtCPW%1").arg(i));
    controls->addWidget(label, i, 0);
    controls->addWidget(box, i, 1, 1, 2);
    connect(box, &ValueBox::applied, this, [this, i](const QString& text) {
      model_.applyWeight(i, text.toStdString());
      weights_[static_cast<std::size_t>(i - 1)]->show(qt(model_.weightText(i)));
    });
  }
  for (int axis = 0; axis < 3; ++axis) {
    auto* label = new QLabel(frmCurve::kVariationCaptions[static_cast<std::size_t>(axis)], this);
    ValueBox*& box = variation_[static_cast<std::size_t>(axis)];
    box = new ValueBox(this);
    box->setObjectName(QString("txtVCP%1").arg(axis + 1));
    controls->addWidget(label, 5 + axis, 0);
    controls->addWidget(box, 5 + axis, 1);
    controls->addWidget(new QLabel(frmCurve::kVariationUnit, this), 5 + axis, 2);
    connect(box, &ValueBox::applied, this, [this] {
      model_.applyVariation(variation_[0]->text().toStdString(), variation_[1]->text().toStdString(),
                            variation_[2]->text().toStdString());
      for (int a = 0; a < 3; ++a) variation_[static_cast<std::size_t>(a)]->show(qt(model_.variationText(a)));
    });
  }
  sameToAll_ = new QPushButton(frmCurve::kSameToAllCaption, this);
  sameToAll_->setObjectName("lblVAll");
  sameToAll_->setFlat(true);
  controls->addWidget(sameToAll_, 8, 0, 1, 3);
  auto* origins = new QHBoxLayout;
  for (int i = 0; i < 3; ++i) {
    QPushButton*& button = origins_[static_cast<std::size_t>(i)];
    button = new QPushButton(frmCurve::kOriginCaptions[static_cast<std::size_t>(i)], this);
    button->setObjectName(QString("lblOrigin%1").arg(i));
    button->setFlat(true);
    origins->addWidget(button);
    connect(button, &QPushButton::clicked, this, [this, i] { model_.toOrigin(i); });
  }
  controls->addLayout(origins, 9, 0, 1, 3);
  for (int i = 0; i < 2; ++i) {
    QPushButton*& button = draws_[static_cast<std::size_t>(i)];
    button = new QPushButton(frmCurve::kDrawCaptions[static_cast<std::size_t>(i)], this);
    button->setObjectName(QString("cmdDraw%1").arg(i));
    controls->addWidget(button, 10, i == 0 ? 0 : 1, 1, i == 0 ? 1 : 2);
  }
  controls->setRowStretch(11, 1);

  auto* layout = new QHBoxLayout(this);
  layout->addWidget(view_, 1);
  layout->addLayout(controls);

  connect(use4_, &QCheckBox::clicked, this, [this](bool on) { model_.setUseFourPoints(on); });
  connect(sameToAll_, &QPushButton::clicked, this, [this] {
    model_.sameVariationToAll(variation_[0]->text().toStdString(), variation_[1]->text().toStdString(),
                              variation_[2]->text().toStdString());
  });
  connect(draws_[0], &QPushButton::clicked, this, [this] {
    model_.drawRandom();
    view_->update();
  });
  connect(draws_[1], &QPushButton::clicked, this, [this] {
    model_.drawParent();
    view_->update();
  });
  refresh();
}

void CurvePage::placeViewLabels() {
  model_.setViewSize(view_->width(), view_->height());
  const editors::frmCurve::clsView v = model_.view();
  unitHeight_->adjustSize();
  unitHeight_->move(static_cast<int>(v.ox) + 4, static_cast<int>(v.oy - v.scale));
  axisEnds_[0]->adjustSize();
  axisEnds_[1]->adjustSize();
  axisEnds_[0]->move(2, static_cast<int>(v.oy) + 2);
  axisEnds_[1]->move(view_->width() - axisEnds_[1]->width() - 2, static_cast<int>(v.oy) + 2);
}

void CurvePage::refresh() {
  use4_->setChecked(model_.useFourPoints());
  use4_->setToolTip(qt(model_.use4Tip()));
  for (int i = 1; i <= 4; ++i) {
    ValueBox* box = weights_[static_cast<std::size_t>(i - 1)];
    box->setEnabled(model_.weightEnabled(i));
    box->show(qt(model_.weightText(i)));
    box->setToolTip(qt(model_.weightTip(i)));
  }
  for (int axis = 0; axis < 3; ++axis) {
    ValueBox* box = variation_[static_cast<std::size_t>(axis)];
    box->show(qt(model_.variationText(axis)));
    box->setToolTip(qt(model_.variationTip(axis)));
  }
  variation_[2]->setEnabled(model_.zVariationEnabled());
  sameToAll_->setToolTip(qt(model_.sameToAllTip()));
  for (int i = 0; i < 3; ++i) origins_[static_cast<std::size_t>(i)]->setToolTip(qt(model_.originTip(i)));
  for (int i = 0; i < 2; ++i) draws_[static_cast<std::size_t>(i)]->setToolTip(qt(model_.drawTip(i)));
  placeViewLabels();
  view_->update();
}

}  // namespace desktop
