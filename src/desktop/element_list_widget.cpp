#include "desktop/element_list_widget.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QRadioButton>
#include <algorithm>

namespace desktop {

namespace {

// An element's option button: its whole name when there is room, cut with "..." when there is
// not, so that a long name never holds the window wider than Min makes it.
class NameButton final : public QRadioButton {
 public:
  using QRadioButton::QRadioButton;
  void setName(const QString& name) {
    if (name == name_) return;
    name_ = name;
    fit();
    updateGeometry();
  }
  const QString& name() const { return name_; }
  QSize sizeHint() const override { return withTextWidth(textWidth(name_)); }
  // As wide as the widest start-up name ("grass 7"): shorter names are never cut.
  QSize minimumSizeHint() const override { return withTextWidth(textWidth("grass 7")); }

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QRadioButton::resizeEvent(event);
    fit();
  }

 private:
  // Measured as the button measures its text.
  int textWidth(const QString& text) const { return fontMetrics().size(Qt::TextShowMnemonic, text).width(); }
  QSize withTextWidth(int width) const {
    const QSize shown = QRadioButton::sizeHint();
    return {shown.width() - textWidth(text()) + width, shown.height()};
  }
  void fit() {
    const int room = width() - (QRadioButton::sizeHint().width() - textWidth(text()));
    setText(fontMetrics().elidedText(name_, Qt::ElideRight, std::max(room, 0)));
  }
  QString name_;
};

}  // namespace

ElementListWidget::ElementListWidget(editors::frmElement& model, QWidget* parent) : QWidget(parent), model_(model) {
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  auto* useHeading = new QLabel(editors::frmElement::kUseCaption, this);
  useHeading->setObjectName("lblMain");
  layout->addWidget(useHeading, 0, 1);
  auto* group = new QButtonGroup(this);
  for (int e = 1; e <= model::kElementCount; ++e) {
    const auto i = static_cast<std::size_t>(e - 1);
    names_[i] = new NameButton(this);
    names_[i]->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);  // may be narrower than its name
    names_[i]->setObjectName(QString("radElement%1").arg(e));
    names_[i]->installEventFilter(this);
    group->addButton(names_[i], e);
    uses_[i] = new QCheckBox(this);
    uses_[i]->setObjectName(QString("chkUse%1").arg(e));
    uses_[i]->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    layout->addWidget(names_[i], e, 0);
    layout->addWidget(uses_[i], e, 1);
    connect(names_[i], &QRadioButton::clicked, this, [this, e] { model_.pick(e); });
    connect(uses_[i], &QCheckBox::clicked, this, [this, e](bool checked) { model_.setUse(e, checked); });
  }
  auto* lengthLabel = new QLabel(editors::frmElement::kLengthCaption, this);
  lengthLabel->setObjectName("lblLen");
  length_ = new ValueBox(this);
  length_->setObjectName("txtLen");
  layout->addWidget(lengthLabel, model::kElementCount + 1, 0, 1, 2);
  layout->addWidget(length_, model::kElementCount + 2, 0, 1, 2);
  layout->setRowStretch(model::kElementCount + 3, 1);
  connect(length_, &ValueBox::applied, this, [this](const QString& text) {
    model_.applyLength(text.toStdString());
    length_->show(qt(model_.lengthText()));
  });
  refresh();
}

void ElementListWidget::refresh() {
  bool renamed = false;
  for (int e = 1; e <= model::kElementCount; ++e) {
    const auto i = static_cast<std::size_t>(e - 1);
    const QString name = qt(model_.name(e));
    if (name != static_cast<NameButton*>(names_[i])->name()) {
      static_cast<NameButton*>(names_[i])->setName(name);
      renamed = true;
    }
    names_[i]->setChecked(model_.activeElement() == e);
    names_[i]->setToolTip(qt(model_.nameTip(e)));
    uses_[i]->setChecked(model_.inUse(e));
    uses_[i]->setToolTip(qt(model_.useTip(e)));
  }
  length_->show(qt(model_.lengthText()));
  length_->setToolTip(qt(model_.lengthTip()));
  // A new longer name widens the window as far as it needs; Min gives the start-up size back.
  if (!renamed || !isVisible()) return;
  int need = 0;
  for (QRadioButton* name : names_) need = std::max(need, name->sizeHint().width() - name->width());
  if (need > 0) window()->resize(window()->width() + need, window()->height());
}

bool ElementListWidget::eventFilter(QObject* watched, QEvent* event) {
  // A right click renames and leaves the active element as it was.
  if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
    for (int e = 1; e <= model::kElementCount; ++e) {
      if (watched == names_[static_cast<std::size_t>(e - 1)]) {
        model_.rename(e);
        return true;
      }
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace desktop
