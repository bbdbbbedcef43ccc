#include "desktop/long_text_box.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMimeData>

#include "desktop/fitted_label.h"

namespace desktop {

LongTextBox::LongTextBox(QWidget* parent) : QPlainTextEdit(parent) {
  notice_ = new FittedLabel(this);
  notice_->setObjectName("lblCut");
  notice_->setAutoFillBackground(true);
  notice_->hide();
}

void LongTextBox::showText(const QString& text) {
  const bool cut = text.size() > kShownLimit;
  if (!cut) {
    whole_.clear();
    cut_ = false;
    setReadOnly(false);
    notice_->hide();
    setViewportMargins(0, 0, 0, 0);
    setPlainText(text);
    return;
  }
  whole_ = text;
  cut_ = true;
  setReadOnly(true);
  setPlainText(text.left(kShownLimit));
  const QLocale locale(QLocale::English);
  notice_->setText(QString("Cut for display: %1 of %2 characters shown, the whole text is kept.")
                       .arg(locale.toString(kShownLimit), locale.toString(text.size())));
  notice_->show();
  placeNotice();
}

QString LongTextBox::text() const { return cut_ ? whole_ : toPlainText(); }

int LongTextBox::room() const {
  // Text that is selected is replaced, so it makes room.
  return kShownLimit - (document()->characterCount() - 1) + static_cast<int>(textCursor().selectedText().size());
}

bool LongTextBox::canInsertFromMimeData(const QMimeData* source) const {
  return !isReadOnly() && source != nullptr && source->hasText();
}

void LongTextBox::insertFromMimeData(const QMimeData* source) {
  if (!canInsertFromMimeData(source)) return;
  const QString text = source->text().left(std::max(0, room()));
  if (!text.isEmpty()) insertPlainText(text);
}

void LongTextBox::keyPressEvent(QKeyEvent* event) {
  // A full box takes no more typed characters; keys that move, delete or run shortcuts still work.
  const QString typed = event->text();
  const bool typesText = !typed.isEmpty() && typed.at(0) != QChar('\b') && typed.at(0) != QChar(0x7F) &&
                         !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
  if (typesText && room() < typed.size()) {
    event->accept();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void LongTextBox::resizeEvent(QResizeEvent* event) {
  QPlainTextEdit::resizeEvent(event);
  placeNotice();
}

void LongTextBox::placeNotice() {
  if (!cut_) return;
  const int height = notice_->sizeHint().height();
  setViewportMargins(0, height, 0, 0);
  const QRect inside = contentsRect();
  notice_->setGeometry(inside.x(), inside.y(), inside.width(), height);
}

}  // namespace desktop
