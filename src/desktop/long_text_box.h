#pragma once
// A multi-line box for the free texts (the note, the more-info texts) that no text can break:
// - Paste and a middle click take plain text only, and nothing when the clipboard is empty or its
//   owner has gone (Qt 6.4's own insert crashes on the empty clipboard data it is given then).
// - Qt lays a line out in more than linear time (a line of 400,000 characters holds the window
//   for half a minute), so the box shows and takes at most kShownLimit characters. A longer text
//   from the store is kept whole, shown cut and read-only, and a line at the box's top says so.

#include <QPlainTextEdit>

class QLabel;

namespace desktop {

class LongTextBox final : public QPlainTextEdit {
 public:
  static constexpr int kShownLimit = 10000;

  explicit LongTextBox(QWidget* parent = nullptr);
  // Shows the whole text, cut for display when it is longer than kShownLimit.
  void showText(const QString& text);
  // The whole text: what the box holds, or the text it was given while that is shown cut.
  QString text() const;
  bool isCut() const { return cut_; }

 protected:
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void insertFromMimeData(const QMimeData* source) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  int room() const;
  void placeNotice();

  QLabel* notice_ = nullptr;
  QString whole_;
  bool cut_ = false;
};

}  // namespace desktop
