#include "desktop/drawing_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "platform/qt/qt_colour.h"

namespace desktop {

void paintDrawing(QPainter& painter, const editors::clsDrawing& drawing, const QSize& size) {
  using editors::Shape;
  painter.fillRect(QRect(QPoint(0, 0), size), platform::qtColour(drawing.background));
  painter.setRenderHint(QPainter::Antialiasing, false);
  for (const editors::clsPrimitive& item : drawing.items) {
    const QColor colour = platform::qtColour(item.colour);
    switch (item.shape) {
      case Shape::Line:
        painter.setPen(QPen(colour, item.size, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(item.x1, item.y1), QPointF(item.x2, item.y2));
        break;
      case Shape::Square:
        painter.fillRect(QRectF(item.x1, item.y1, item.size, item.size), colour);
        break;
      case Shape::Dot:
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawEllipse(QPointF(item.x1, item.y1), item.size / 2, item.size / 2);
        break;
      case Shape::Disc:
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawEllipse(QPointF(item.x1, item.y1), item.r, item.r);
        break;
      case Shape::Arc: {
        float span = item.end - item.start;
        if (span < 0) span += 360;
        painter.setPen(QPen(colour, item.size, Qt::SolidLine, Qt::FlatCap));
        painter.setBrush(Qt::NoBrush);
        const QRectF box(item.x1 - item.r, item.y1 - item.r, 2 * item.r, 2 * item.r);
        // Qt's angles run counter-clockwise in sixteenths of a degree, as the dials count them.
        painter.drawArc(box, static_cast<int>(item.start * 16), static_cast<int>(span * 16));
        break;
      }
      case Shape::Rect:
        painter.fillRect(QRectF(item.x1, item.y1, item.x2, item.y2), colour);
        break;
    }
  }
}

DrawingView::DrawingView(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void DrawingView::paintEvent(QPaintEvent*) {
  if (!source) return;
  QPainter painter(this);
  paintDrawing(painter, source(width(), height()), size());
}

void DrawingView::mousePressEvent(QMouseEvent* event) {
  setFocus();
  pressed_ = true;
  if (onPress) onPress(static_cast<float>(event->position().x()), static_cast<float>(event->position().y()));
  update();
}

void DrawingView::mouseMoveEvent(QMouseEvent* event) {
  if (!pressed_ || !onDrag) return;
  onDrag(static_cast<float>(event->position().x()), static_cast<float>(event->position().y()));
  update();
}

void DrawingView::mouseReleaseEvent(QMouseEvent*) {
  if (!pressed_) return;
  pressed_ = false;
  if (onRelease) onRelease();
  update();
}

void DrawingView::keyPressEvent(QKeyEvent* event) {
  if (onKey && onKey(event->key())) {
    update();
    return;
  }
  QWidget::keyPressEvent(event);
}

void DrawingView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (onResize) onResize();
}

}  // namespace desktop
