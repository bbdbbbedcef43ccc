#include "desktop/picture_frame_widget.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "desktop/dropped_files.h"
#include "desktop/editor_page.h"
#include "platform/qt/qt_colour.h"

namespace desktop {

QImage imageOf(const platform::IPicture& picture, QRect area) {
  QImage image(area.size(), QImage::Format_RGB32);
  if (image.isNull()) return image;
  for (int y = 0; y < area.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < area.width(); ++x) line[x] = platform::qtRgb(picture.colourAt(area.x() + x, area.y() + y));
  }
  return image;
}

PictureFrame::PictureFrame(editors::clsPictureEditor& model, QColor blank, QWidget* parent)
    : QWidget(parent), model_(model), blank_(blank) {
  setAcceptDrops(true);
  setMinimumSize(200, 150);
  horizontal_ = new QScrollBar(Qt::Horizontal, parent);
  vertical_ = new QScrollBar(Qt::Vertical, parent);
  connect(horizontal_, &QScrollBar::valueChanged, this, [this](int s) {
    model_.scrollTo(true, s);
    update();
  });
  connect(vertical_, &QScrollBar::valueChanged, this, [this](int s) {
    model_.scrollTo(false, s);
    update();
  });
}

void PictureFrame::refresh() {
  model_.setFrameSize(width(), height());
  const editors::clsPictureArea area = model_.area();
  setToolTip(qt(area.tip));
  for (auto [bar, range, position] : {std::tuple{horizontal_, area.horizontal, model_.scrollX()},
                                      std::tuple{vertical_, area.vertical, model_.scrollY()}}) {
    const QSignalBlocker quiet(bar);
    bar->setEnabled(range.enabled);
    bar->setRange(0, range.enabled ? range.maximum : 0);
    bar->setSingleStep(range.smallChange);
    bar->setPageStep(range.largeChange);
    bar->setValue(position);
  }
  update();
}

void PictureFrame::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const editors::clsPictureArea area = model_.area();
  painter.fillRect(rect(), area.blank ? blank_ : palette().window().color());
  const generation::tPicture picture = model_.picture();
  if (area.blank || !picture) return;
  // Only the part in view is drawn: a copy of a whole large picture would cost as much memory as
  // the picture itself.
  const QPoint scrolled(horizontal_->value(), vertical_->value());
  const QRect inView = rect().translated(scrolled) & QRect(0, 0, picture->width(), picture->height());
  painter.drawImage(inView.topLeft() - scrolled, imageOf(*picture, inView));
}

void PictureFrame::mousePressEvent(QMouseEvent* event) {
  if (onPick)
    onPick(static_cast<int>(event->position().x()) + horizontal_->value(),
           static_cast<int>(event->position().y()) + vertical_->value());
}

void PictureFrame::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  refresh();
}

void PictureFrame::dragEnterEvent(QDragEnterEvent* event) {
  // Only a picture is taken here; a settings file goes on to the window, which opens it.
  if (model_.dropOf(droppedPaths(event->mimeData())).action == editors::DropAction::LoadPicture) event->acceptProposedAction();
  else event->ignore();
}

void PictureFrame::dropEvent(QDropEvent* event) {
  const editors::clsDrop drop = model_.dropOf(droppedPaths(event->mimeData()));
  if (drop.action != editors::DropAction::LoadPicture) return;
  event->acceptProposedAction();
  // Loaded once the drop has ended: a message it shows must not hold the file manager.
  QMetaObject::invokeMethod(this, [this, path = drop.path] { model_.loadFile(path); }, Qt::QueuedConnection);
}

}  // namespace desktop
