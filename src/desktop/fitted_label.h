#pragma once
// A label the program writes changing text into (a status line, a file name, a value): the room
// it asks of its layout is fixed when it is made, whatever it is given to show later, so that no
// text can widen its page, its dock or the window, nor move the controls beside it. Text longer
// than the room it gets wraps onto at most its number of lines, the last one cut with "...", and
// the whole text shows in its tooltip.

#include <QLabel>
#include <QStringList>

namespace desktop {

class FittedLabel final : public QLabel {
  Q_OBJECT

 public:
  // room: a text as wide as the label asks to be ("" asks for no width); lines: how many lines
  // it may wrap to.
  explicit FittedLabel(QWidget* parent = nullptr, const QString& room = {}, int lines = 1);

  // Where a long text is cut (a path keeps its end: Qt::ElideMiddle).
  void setElideMode(Qt::TextElideMode mode);
  // The lines shown in the label's present width.
  QStringList shownLines() const;
  bool isCut() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QString room_;
  int lines_ = 1;
  Qt::TextElideMode elide_ = Qt::ElideRight;
};

}  // namespace desktop
