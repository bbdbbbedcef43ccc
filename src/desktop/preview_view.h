#pragma once
// The 3D view: the preview scene lit and coloured over a ground grid with each element's
// coverage rectangle, turned with the left mouse button, moved with the middle one (or Shift and
// the left), brought nearer with the wheel, framed whole with F or a double click.

#include <QMatrix4x4>
#include <QOpenGLBuffer>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>
#include <QOpenGLVertexArrayObject>
#include <QImage>
#include <QOpenGLWindow>
#include <array>
#include <functional>
#include <memory>

#include "preview/preview_camera.h"
#include "preview/preview_scene.h"

class QMimeData;

namespace desktop {

// OpenGL can be had on this display: not on Qt's offscreen platform, nor where no context forms.
bool openGlAvailable();

// A window of its own (shown inside a widget container): it draws straight into its surface,
// which saves a software renderer the composition of the view into the main window each frame.
class PreviewView final : public QOpenGLWindow, protected QOpenGLFunctions {
 public:
  PreviewView();
  ~PreviewView() override;

  void setScene(std::shared_ptr<const preview::clsPreviewScene> scene);
  const preview::clsPreviewScene* scene() const { return scene_.get(); }
  void frameAll();
  // Buffers uploaded since the view began; an unchanged element keeps its buffer.
  int uploads() const { return uploads_; }
  // The view as it shows now, drawn afresh at its size or at size (empty before it has been
  // shown, or when the graphics cannot draw that large); a picture of another shape is framed
  // for its own shape as the view is for its.
  QImage picture(QSize size = {});

  static constexpr QRgb kBackground = 0xFFC8D2DC;  // (200, 210, 220)

  // Drops on the view go where drops on the main window go: the view is a window of its own.
  std::function<bool(const QMimeData*)> acceptsDrop;
  std::function<bool(const QMimeData*)> takeDrop;

 protected:
  bool event(QEvent* event) override;
  void initializeGL() override;
  void paintGL() override;
  void resizeGL(int width, int height) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  struct clsBuffer {
    QOpenGLBuffer vertices{QOpenGLBuffer::VertexBuffer};
    QOpenGLBuffer indexes{QOpenGLBuffer::IndexBuffer};
    int count = 0;  // vertices of lines, or indexes of triangles
    std::uint64_t fingerprint = 0;
  };
  QSize pixelSize() const;  // the surface's size in device pixels
  void draw(int width, int height, const preview::clsCamera& camera);
  void upload();
  void drawBuffer(clsBuffer& buffer, GLenum mode, bool lit);

  float aspect() const;

  std::shared_ptr<const preview::clsPreviewScene> scene_;
  bool dirty_ = false;
  bool ready_ = false;
  std::unique_ptr<QOpenGLShaderProgram> program_;
  QOpenGLVertexArrayObject vao_;
  std::array<clsBuffer, model::kElementCount> elements_{};
  clsBuffer lines_;
  clsBuffer bands_;  // triangles without indexes
  int uploads_ = 0;
  preview::clsCamera camera_;
  float shownAspect_ = 1;  // the view's shape when the camera last looked
  QPoint lastMouse_;
};

}  // namespace desktop
