#include "desktop/fitted_label.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QTextLayout>
#include <QToolTip>

namespace desktop {

namespace {

struct clsShown {
  QStringList lines;
  bool cut = false;
};

// text laid out in width on at most lines lines, the last cut where it does not fit.
clsShown fit(QString text, const QFont& font, int width, int lines, Qt::TextElideMode elide) {
  text.replace('\n', ' ');
  const QFontMetrics metrics(font);
  clsShown shown;
  if (lines <= 1) {
    shown.lines << metrics.elidedText(text, elide, width);
    shown.cut = shown.lines.back() != text;
    return shown;
  }
  QTextLayout layout(text, font);
  // A word longer than the line (a path) is broken too, not drawn past the label's edge.
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  layout.beginLayout();
  for (int n = 0; n < lines; ++n) {
    QTextLine line = layout.createLine();
    if (!line.isValid()) break;
    line.setLineWidth(width);
    if (n == lines - 1) {
      const QString rest = text.mid(line.textStart());
      shown.lines << metrics.elidedText(rest, Qt::ElideRight, width);
      shown.cut = shown.lines.back() != rest;
      break;
    }
    shown.lines << text.mid(line.textStart(), line.textLength()).trimmed();
  }
  layout.endLayout();
  return shown;
}

}  // namespace

FittedLabel::FittedLabel(QWidget* parent, const QString& room, int lines)
    : QLabel(parent), room_(room), lines_(std::max(1, lines)) {
  // Shown as given: a file name holding "<b>" is no markup.
  setTextFormat(Qt::PlainText);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void FittedLabel::setElideMode(Qt::TextElideMode mode) {
  elide_ = mode;
  update();
}

QStringList FittedLabel::shownLines() const {
  return fit(text(), font(), contentsRect().width(), lines_, elide_).lines;
}

bool FittedLabel::isCut() const { return fit(text(), font(), contentsRect().width(), lines_, elide_).cut; }

QSize FittedLabel::sizeHint() const {
  const QFontMetrics metrics(font());
  const QMargins margins = contentsMargins();
  const int frame = 2 * frameWidth();
  return {(room_.isEmpty() ? 0 : metrics.horizontalAdvance(room_)) + margins.left() + margins.right() + frame,
          metrics.height() + (lines_ - 1) * metrics.lineSpacing() + margins.top() + margins.bottom() + frame};
}

QSize FittedLabel::minimumSizeHint() const { return sizeHint(); }

bool FittedLabel::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip && isCut()) {
    // The whole text, then the help balloon if there is one.
    QString tip = text();
    if (!toolTip().isEmpty()) tip += "\n\n" + toolTip();
    QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), tip, this);
    return true;
  }
  return QLabel::event(event);
}

void FittedLabel::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  const QRect inside = contentsRect();
  const QFontMetrics metrics(font());
  const QStringList lines = shownLines();
  const int height = metrics.height() + (static_cast<int>(lines.size()) - 1) * metrics.lineSpacing();
  int top = inside.top();
  if (alignment() & Qt::AlignVCenter) top += (inside.height() - height) / 2;
  else if (alignment() & Qt::AlignBottom) top += inside.height() - height;
  const int across = static_cast<int>(alignment() & Qt::AlignHorizontal_Mask);
  for (const QString& line : lines) {
    style()->drawItemText(&painter, QRect(inside.left(), top, inside.width(), metrics.height()),
                          across | Qt::AlignVCenter, palette(), isEnabled(), line, foregroundRole());
    top += metrics.lineSpacing();
  }
}

}  // namespace desktop
