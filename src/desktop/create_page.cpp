#include "desktop/create_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "desktop/typed_text.h"

namespace desktop {

namespace {
}  // namespace

CreatePage::CreatePage(editors::frmCreate& model, QWidget* parent) : QWidget(parent), model_(model) {
  using editors::frmCreate;
  const auto button = [this](const char* caption, const char* name) {
    auto* made = new QPushButton(caption, this);
    made->setObjectName(name);
    return made;
  };
  fileNameButton_ = button(frmCreate::kFileNameCaption, "lblFileName");
  fileNameButton_->setFlat(true);
  fileName_ = new ValueBox(this);
  fileName_->setObjectName("txtFileName");
  auto* diskLabel = new QLabel(frmCreate::kDiskSpaceCaption, this);
  diskLabel->setObjectName("lblMain");
  diskSpace_ = new ValueBox(this);
  diskSpace_->setObjectName("txtDiskSpace");
  diskSpace_->setMaximumWidth(80);
  auto* formatLabel = new QLabel(frmCreate::kFormatCaption, this);
  formatLabel->setObjectName("lblFormat");
  format_ = new QComboBox(this);
  format_->setObjectName("cmbFormat");
  for (const generation::clsObjectFormat& choice : generation::kObjectFormats)
    format_->addItem(QString::fromUtf8(choice.choice.data(), static_cast<int>(choice.choice.size())));
  diskSpace_->setAppliedWhileTyped(true);
  note_ = new TextBox(this);
  note_->setObjectName("txtNote");
  create_ = button(frmCreate::kCreateCaption, "cmdSaveObj");
  create_->setMinimumHeight(48);
  cancel_ = button(frmCreate::kCancelCaption, "cmdCancel");
  saveColors_ = button(frmCreate::kSaveColorsCaption, "cmdSaveColors");
  saveSettings_ = button(frmCreate::kSaveSettingsCaption, "cmdSaveSettings");
  copy_ = button(frmCreate::kCopyCaption, "cmdCopySettings");
  paste_ = button(frmCreate::kPasteCaption, "cmdPasteSettings");
  open_ = button(frmCreate::kOpenCaption, "cmdOpenSettings");
  defaults_ = button(frmCreate::kDefaultsCaption, "cmdDefaultSettings");
  helpTips_ = new QCheckBox(frmCreate::kHelpTipCaption, this);
  helpTips_->setObjectName("chkHelpTip");
  help_ = button(frmCreate::kHelpCaption, "cmdHelp");

  auto* layout = new QGridLayout(this);
  layout->addWidget(fileNameButton_, 0, 0);
  layout->addWidget(fileName_, 0, 1, 1, 3);
  layout->addWidget(diskLabel, 1, 0);
  layout->addWidget(diskSpace_, 1, 1);
  layout->addWidget(formatLabel, 1, 2);
  layout->addWidget(format_, 1, 3);
  layout->addWidget(note_, 2, 0, 1, 4);
  layout->addWidget(create_, 3, 0, 1, 3);
  layout->addWidget(cancel_, 3, 3);
  layout->addWidget(saveColors_, 4, 0);
  layout->addWidget(saveSettings_, 4, 1);
  layout->addWidget(copy_, 4, 2);
  layout->addWidget(paste_, 4, 3);
  layout->addWidget(open_, 5, 0);
  layout->addWidget(defaults_, 5, 1);
  layout->addWidget(helpTips_, 6, 0, 1, 2);
  layout->addWidget(help_, 6, 3);
  layout->setColumnStretch(1, 1);

  connect(fileNameButton_, &QPushButton::clicked, this, [this] { model_.chooseFileName(); });
  connect(fileName_, &ValueBox::applied, this, [this](const QString& text) {
    model_.applyFileName(text.toStdString());
    fileName_->show(qt(model_.fileNameText()));
  });
  connect(note_, &TextBox::applied, this, [this](const QString& text) {
    model_.applyNote(text.toStdString());
    note_->show(qt(model_.noteText()));
  });
  connect(diskSpace_, &QLineEdit::textEdited, this, [this](const QString& text) {
    model_.typeDiskSpace(text.toStdString());
    diskSpace_->show(qt(model_.diskSpaceText()));
  });
  connect(format_, &QComboBox::activated, this, [this](int choice) {
    commitEdits();
    // A name typed but not yet applied is kept: it takes the new extension.
    if (fileName_->text() != qt(model_.fileNameText())) model_.applyFileName(fileName_->text().toStdString());
    model_.chooseFormat(choice);
    fileName_->show(qt(model_.fileNameText()));
    showCaptions();
  });
  connect(create_, &QPushButton::clicked, this, [this] {
    if (onCreate) onCreate();
  });
  connect(cancel_, &QPushButton::clicked, this, [this] { model_.cancel(); });
  connect(saveColors_, &QPushButton::clicked, this, [this] {
    commitEdits();
    model_.saveColors();
  });
  connect(saveSettings_, &QPushButton::clicked, this, [this] {
    commitEdits();
    model_.saveSettings();
  });
  connect(copy_, &QPushButton::clicked, this, [this] {
    commitEdits();
    model_.copySettings();
  });
  connect(paste_, &QPushButton::clicked, this, [this] {
    commitEdits();
    model_.pasteSettings();
  });
  connect(open_, &QPushButton::clicked, this, [this] {
    commitEdits();
    model_.openSettings();
  });
  connect(defaults_, &QPushButton::clicked, this, [this] {
    commitEdits();
    model_.defaultSettings();
  });
  connect(helpTips_, &QCheckBox::clicked, this, [this](bool on) { model_.setHelpTips(on); });
  connect(help_, &QPushButton::clicked, this, [this] { model_.help(); });
  refresh();
}

void CreatePage::refresh() {
  fileName_->show(qt(model_.fileNameText()));
  diskSpace_->show(qt(model_.diskSpaceText()));
  note_->show(qt(model_.noteText()));
  helpTips_->setChecked(model_.helpTips());
  format_->setCurrentIndex(model_.formatChoice());
  showCaptions();
  fileNameButton_->setToolTip(qt(model_.fileNameTip()));
  saveColors_->setToolTip(qt(model_.saveColorsTip()));
  saveSettings_->setToolTip(qt(model_.saveSettingsTip()));
  cancel_->setToolTip(qt(model_.cancelTip()));
  copy_->setToolTip(qt(model_.copyTip()));
  paste_->setToolTip(qt(model_.pasteTip()));
  open_->setToolTip(qt(model_.openTip()));
  defaults_->setToolTip(qt(model_.defaultsTip()));
  diskSpace_->setToolTip(qt(model_.diskSpaceTip()));
}

void CreatePage::showCaptions() {
  fileNameButton_->setText(model_.fileNameCaption());
  create_->setText(model_.createCaption());
}

void CreatePage::setRunning(bool running) {
  for (QWidget* control : findChildren<QWidget*>())
    if (control != cancel_) control->setEnabled(!running);
  if (!running && focusFileNameLater_) {
    focusFileNameLater_ = false;
    focusFileName();
  }
}

void CreatePage::commitEdits() { applyTypedText(); }

void CreatePage::focusFileName() {
  // Refused by Create, which holds the page meanwhile: a box that cannot take the focus yet takes
  // it when the page is given back (else it would stay on Cancel and the typed keys be lost).
  if (!fileName_->isEnabled()) {
    focusFileNameLater_ = true;
    return;
  }
  fileName_->setFocus(Qt::OtherFocusReason);
  fileName_->selectAll();
}

}  // namespace desktop
