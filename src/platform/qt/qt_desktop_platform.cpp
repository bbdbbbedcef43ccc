#include "platform/qt/qt_desktop_platform.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStringDecoder>
#include <QVBoxLayout>

#include "platform/qt/qt_colour.h"

namespace platform {

namespace {

const QString kCaption = QString::fromUtf8(kAppName.data(), static_cast<int>(kAppName.size()));

QString qt(const std::string& text) { return QString::fromStdString(text); }

// Each filter as "caption (patterns)": Qt matches the last parentheses, and the dialog hides
// them (HideNameFilterDetails), so the caption shows exactly as given while its patterns may
// be more than it names ("Pictures (*.jpg, *.gif)" also takes "*.png").
QString filterText(const std::vector<clsFileFilter>& filters) {
  QStringList parts;
  for (const clsFileFilter& filter : filters)
    parts << qt(filter.caption) + " (" + qt(filter.pattern).replace(QLatin1Char(';'), QLatin1Char(' ')) + ")";
  return parts.join(";;");
}

}  // namespace

void QtMessageBox::showMessage(const std::string& text) {
  if (stopped_) return;
  QMessageBox box(QMessageBox::NoIcon, kCaption, qt(text), QMessageBox::Ok, parent_);
  box.exec();
}

bool QtMessageBox::askYesNo(const std::string& question) {
  if (stopped_) return false;
  QMessageBox box(QMessageBox::Question, kCaption, qt(question), QMessageBox::Yes | QMessageBox::No, parent_);
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

Answer QtMessageBox::askYesNoCancel(const std::string& question) {
  if (stopped_) return Answer::Cancel;
  QMessageBox box(QMessageBox::Question, kCaption, qt(question), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                  parent_);
  box.setDefaultButton(QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;
  }
}

void QtMessageBox::stopAsking() {
  stopped_ = true;
  // Each returns as if cancelled; the code that opened it goes on with that answer. A few rounds
  // at most: a dialog that will not close must not hold the ending.
  for (int round = 0; round < 16; ++round) {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) return;
    if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
    else modal->close();
  }
}

void QtClipboard::clear() { QGuiApplication::clipboard()->clear(); }

void QtClipboard::setText(const std::string& text) { QGuiApplication::clipboard()->setText(qt(text)); }

std::string QtClipboard::text() { return QGuiApplication::clipboard()->text().toStdString(); }

QtUserStore::QtUserStore() {
  dropUnreadable([] { return std::make_unique<QSettings>(kCaption, kCaption); });
}

QtUserStore::QtUserStore(const QString& file) {
  dropUnreadable([file] { return std::make_unique<QSettings>(file, QSettings::IniFormat); });
}

namespace {

// What Qt writes into a store file is text: UTF-8 without control characters but line ends and
// tabs. Anything else is damage, even where Qt's reader makes keys of it.
bool isStoreText(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return true;  // missing or unreadable: nothing to judge
  const QByteArray bytes = file.readAll();
  for (const char byte : bytes) {
    const auto code = static_cast<unsigned char>(byte);
    if ((code < 0x20 && code != '\t' && code != '\r' && code != '\n') || code == 0x7F) return false;
  }
  QStringDecoder utf8(QStringDecoder::Utf8);
  (void)QString(utf8(bytes));
  return !utf8.hasError();
}

}  // namespace

void QtUserStore::dropUnreadable(const std::function<std::unique_ptr<QSettings>()>& open) {
  settings_ = open();
  if (settings_->status() != QSettings::FormatError && isStoreText(settings_->fileName())) return;
  QList<std::pair<QString, QVariant>> readable;
  settings_->beginGroup("application");
  for (const QString& key : settings_->childKeys()) readable.append({key, settings_->value(key)});
  settings_->endGroup();
  const QString path = settings_->fileName();
  settings_.reset();
  QFile::remove(path);
  settings_ = open();
  for (const auto& [key, value] : readable) settings_->setValue("application/" + key, value);
  settings_->sync();
  dropped_ = true;
}

std::optional<std::string> QtUserStore::value(const std::string& key) {
  const QVariant stored = settings_->value("application/" + qt(key));
  if (!stored.isValid()) return std::nullopt;
  return stored.toString().toStdString();
}

void QtUserStore::setValue(const std::string& key, const std::string& value) {
  settings_->setValue("application/" + qt(key), qt(value));
}

bool QtUserStore::flush() {
  settings_->sync();
  return settings_->status() == QSettings::NoError;
}

void QtStatusLine::setWindow(QWidget* window) {
  window_ = window;
  if (window_) window_->setWindowTitle(title_);
}

void QtStatusLine::setTitle(const std::string& title) {
  title_ = qt(title);
  if (window_) window_->setWindowTitle(title_);
}

void QtEventPump::processEvents() {
  if (sinceLast_.elapsed() < 20) return;
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  sinceLast_.restart();
}

std::optional<std::string> QtFileDialogs::openFile(const std::string& title, const std::vector<clsFileFilter>& filters,
                                                   const std::string& folder) {
  QFileDialog dialog(parent_, qt(title), qt(folder), filterText(filters));
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setOption(QFileDialog::ReadOnly, readOnly_);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front().toStdString();
}

std::optional<std::string> QtFileDialogs::saveFile(const std::string& title, const std::vector<clsFileFilter>& filters,
                                                   const std::string& folder) {
  QFileDialog dialog(parent_, qt(title), qt(folder), filterText(filters));
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  // The program asks about existing files itself, naming all three it writes.
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setOption(QFileDialog::ReadOnly, readOnly_);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front().toStdString();
}

std::int32_t QtColourChooser::chooseColour(std::int32_t start, const std::string& prompt) {
  // Sixteen black custom colours each time: nothing is kept from one choice to the next.
  for (int i = 0; i < QColorDialog::customCount(); ++i) QColorDialog::setCustomColor(i, QColor(0, 0, 0));
  const QColor chosen = QColorDialog::getColor(qtColour(start), parent_, qt(prompt));
  if (!chosen.isValid()) return -1;
  return chosen.red() + 256 * chosen.green() + 65536 * chosen.blue();
}

std::optional<std::string> QtTextPrompt::askText(const std::string& caption, const std::string& button) {
  QDialog dialog(parent_);
  dialog.setWindowTitle(qt(caption));
  auto* box = new QLineEdit(&dialog);
  box->setMaxLength(4096);  // a longer line would take Qt minutes to lay out
  auto* enter = new QPushButton(qt(button), &dialog);
  enter->setDefault(true);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(box);
  layout->addWidget(enter);
  QObject::connect(enter, &QPushButton::clicked, &dialog, &QDialog::accept);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return box->text().toStdString();
}

}  // namespace platform
