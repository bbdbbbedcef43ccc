#pragma once
// A view that paints an editor model's drawing and hands mouse and keys back to it in pixels.
// A press and the drags and release that follow are one Undo step.

#include <QWidget>
#include <functional>

#include "editors/drawing.h"
#include "editors/session.h"

class QPainter;

namespace desktop {

// Paints the list as it stands; used by the views and by the drawing benchmark.
void paintDrawing(QPainter& painter, const editors::clsDrawing& drawing, const QSize& size);

class DrawingView final : public QWidget {
 public:
  explicit DrawingView(QWidget* parent = nullptr);

  std::function<editors::clsDrawing(int width, int height)> source;
  std::function<void(float x, float y)> onPress;
  std::function<void(float x, float y)> onDrag;
  std::function<void()> onRelease;
  // An arrow key; true when the model took it.
  std::function<bool(int key)> onKey;
  std::function<void()> onResize;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  bool pressed_ = false;
};

// Wires a view to an editor model that draws at the view's size and takes presses and drags:
// a press, its drags and the release are one Undo step.
template <class Model>
void wireEditorView(DrawingView* view, Model& model, editors::clsSession& session) {
  view->source = [&model](int w, int h) {
    model.setViewSize(w, h);
    return model.drawing();
  };
  view->onPress = [view, &model, &session](float x, float y) {
    session.beginStep();
    model.setViewSize(view->width(), view->height());
    model.click(x, y);
  };
  view->onDrag = [&model](float x, float y) { model.drag(x, y); };
  view->onRelease = [&session] { session.endStep(); };
}

}  // namespace desktop
