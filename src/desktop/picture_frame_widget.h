#pragma once
// The frame through which an element's picture is shown at pixel scale, with its two scroll
// bars; a press picks a pixel, and a picture file dropped on it is loaded.

#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>

#include "editors/picture_editor.h"

class QScrollBar;

namespace desktop {

// The part area (inside the picture) of a picture, as Qt draws it.
QImage imageOf(const platform::IPicture& picture, QRect area);

class PictureFrame final : public QWidget {
 public:
  PictureFrame(editors::clsPictureEditor& model, QColor blank, QWidget* parent = nullptr);
  QScrollBar* horizontalBar() const { return horizontal_; }
  QScrollBar* verticalBar() const { return vertical_; }
  void refresh();

  std::function<void(int x, int y)> onPick;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  editors::clsPictureEditor& model_;
  QColor blank_;
  QScrollBar* horizontal_ = nullptr;
  QScrollBar* vertical_ = nullptr;
};

}  // namespace desktop
