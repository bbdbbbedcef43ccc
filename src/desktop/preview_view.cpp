#include "desktop/preview_view.h"

#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QOffscreenSurface>
#include <QOpenGLFramebufferObject>
#include <QOpenGLContext>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "editors/preview_grid.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace desktop {

namespace {

QSurfaceFormat wantedFormat() {
  QSurfaceFormat format;
  format.setVersion(3, 3);
  format.setProfile(QSurfaceFormat::CoreProfile);
  format.setDepthBufferSize(24);
  return format;
}

// GLSL 3.30 for core contexts, 1.20 for OpenGL 2.1. Lit per vertex from both sides alike (the
// light counts by the size of its angle to the normal), so a blade looks the same from the
// front and the back; the fragments only take the colour, which keeps a software renderer fast.
// One body for both, its words for the two versions set by the lines before it.
const char* const kVertexBody = R"(
ATTRIBUTE(0) vec3 position;
ATTRIBUTE(1) vec3 normal;
ATTRIBUTE(2) vec4 colour;
uniform mat4 viewProjection;
uniform bool lit;
VARYING vec3 vColour;
void main() {
  vec3 light = normalize(vec3(0.4, 1.0, 0.3));
  float shade = lit ? 0.35 + 0.65 * abs(dot(normal, light)) : 1.0;
  vColour = colour.rgb * shade;
  gl_Position = viewProjection * vec4(position, 1.0);
})";
const char* const kFragmentBody = R"(
VARYING vec3 vColour;
void main() { FRAGMENT = vec4(vColour, 1.0); })";

QByteArray shaderSource(bool core, bool vertex) {
  QByteArray source = core ? "#version 330 core\n" : "#version 120\n";
  if (vertex) source += core ? "#define ATTRIBUTE(n) layout(location = n) in\n#define VARYING out\n"
                             : "#define ATTRIBUTE(n) attribute\n#define VARYING varying\n";
  else source += core ? "#define VARYING in\nout vec4 fragment;\n#define FRAGMENT fragment\n"
                      : "#define VARYING varying\n#define FRAGMENT gl_FragColor\n";
  return source + (vertex ? kVertexBody : kFragmentBody);
}

// Colours arrive as red + 256 green + 65536 blue: in memory the bytes red, green, blue, 0.
constexpr std::uint32_t kGrid = 150 + 256 * 150 + 65536 * 150;
constexpr std::uint32_t kCoverage = 255 + 256 * 200;
// The camera's distance to what it looks at: the whole reach fits in the view.
constexpr float kNearest = 0.05f;
constexpr float kFarthest = 3 * modPreview::kViewReach;

}  // namespace

bool openGlAvailable() {
  const QString platform = QGuiApplication::platformName();
  if (platform == "offscreen" || platform == "minimal" || platform == "vnc") return false;
  QOpenGLContext context;
  context.setFormat(wantedFormat());
  if (!context.create()) return false;
  QOffscreenSurface surface;
  surface.setFormat(context.format());
  surface.create();
  if (!surface.isValid() || !context.makeCurrent(&surface)) return false;
  context.doneCurrent();
  return true;
}

PreviewView::PreviewView() {
#ifdef __GLIBC__
  // A software renderer frees its per-frame memory and touches it afresh each frame; when the
  // allocator hands that back to the system every time, a frame takes four times as long.
  mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
#endif
  setFormat(wantedFormat());
}

PreviewView::~PreviewView() {
  if (!ready_) return;
  makeCurrent();
  for (clsBuffer& buffer : elements_) {
    buffer.vertices.destroy();
    buffer.indexes.destroy();
  }
  lines_.vertices.destroy();
  vao_.destroy();
  program_.reset();
  doneCurrent();
}

void PreviewView::setScene(std::shared_ptr<const editors::clsPreviewScene> scene) {
  // The camera stays while the field is edited; a field of another size (a settings file
  // opened, an area typed) is framed anew.
  const auto extent = [](const editors::clsPreviewScene& s) {
    return std::max({s.maxX - s.minX, s.maxY - s.minY, s.maxZ - s.minZ, 0.01f});
  };
  const bool reframe = scene_ == nullptr || extent(*scene) > 1.5f * extent(*scene_) || extent(*scene) < extent(*scene_) / 2;
  scene_ = std::move(scene);
  dirty_ = true;
  if (reframe) frameAll();
  update();
}

void PreviewView::frameAll() {
  if (!scene_) return;
  const editors::clsPreviewScene& s = *scene_;
  const QVector3D low(modPreview::withinReach(s.minX), modPreview::withinReach(s.minY), modPreview::withinReach(s.minZ));
  const QVector3D high(modPreview::withinReach(s.maxX), modPreview::withinReach(s.maxY), modPreview::withinReach(s.maxZ));
  target_ = (low + high) / 2;
  const float radius = std::max(0.5f, (high - low).length() / 2);
  distance_ = std::clamp(radius / std::tan(qDegreesToRadians(22.5f)) * 1.05f, kNearest, kFarthest);
  update();
}

void PreviewView::initializeGL() {
  initializeOpenGLFunctions();
  const bool core = context()->format().version() >= qMakePair(3, 3);
  program_ = std::make_unique<QOpenGLShaderProgram>();
  program_->addShaderFromSourceCode(QOpenGLShader::Vertex, shaderSource(core, true));
  program_->addShaderFromSourceCode(QOpenGLShader::Fragment, shaderSource(core, false));
  program_->bindAttributeLocation("position", 0);
  program_->bindAttributeLocation("normal", 1);
  program_->bindAttributeLocation("colour", 2);
  ready_ = program_->link();
  vao_.create();
  for (clsBuffer& buffer : elements_) {
    buffer.vertices.create();
    buffer.indexes.create();
  }
  lines_.vertices.create();
  dirty_ = true;
}

void PreviewView::upload() {
  if (!scene_) return;
  for (std::size_t e = 0; e < elements_.size(); ++e) {
    const editors::clsPreviewElement& element = scene_->elements[e];
    clsBuffer& buffer = elements_[e];
    if (buffer.fingerprint == element.fingerprint && buffer.count == static_cast<int>(element.triangles.size())) continue;
    buffer.vertices.bind();
    buffer.vertices.allocate(element.vertices.data(),
                             static_cast<int>(element.vertices.size() * sizeof(editors::clsPreviewVertex)));
    buffer.indexes.bind();
    buffer.indexes.allocate(element.triangles.data(), static_cast<int>(element.triangles.size() * sizeof(std::uint32_t)));
    buffer.count = static_cast<int>(element.triangles.size());
    buffer.fingerprint = element.fingerprint;
    ++uploads_;
  }
  // The ground grid and each element's coverage rectangle, within the view's reach.
  std::vector<editors::clsPreviewVertex> lines;
  const auto line = [&](float x1, float z1, float x2, float z2, std::uint32_t colour) {
    lines.push_back(editors::previewVertex(x1, 0, z1, 0, 1, 0, colour));
    lines.push_back(editors::previewVertex(x2, 0, z2, 0, 1, 0, colour));
  };
  for (const modPreview::clsGridLine& grid : modPreview::groundGrid(*scene_)) line(grid.x1, grid.z1, grid.x2, grid.z2, kGrid);
  for (const editors::clsPreviewElement& element : scene_->elements) {
    if (!element.inUse) continue;
    const float x = modPreview::withinReach(element.coverX), z = modPreview::withinReach(element.coverZ);
    line(0, 0, x, 0, kCoverage);
    line(x, 0, x, z, kCoverage);
    line(x, z, 0, z, kCoverage);
    line(0, z, 0, 0, kCoverage);
  }
  lines_.vertices.bind();
  lines_.vertices.allocate(lines.data(), static_cast<int>(lines.size() * sizeof(editors::clsPreviewVertex)));
  lines_.count = static_cast<int>(lines.size());
}

void PreviewView::drawBuffer(clsBuffer& buffer, GLenum mode, bool lit) {
  if (buffer.count == 0) return;
  buffer.vertices.bind();
  const int stride = sizeof(editors::clsPreviewVertex);
  for (GLuint attribute = 0; attribute < 3; ++attribute) program_->enableAttributeArray(static_cast<int>(attribute));
  program_->setAttributeBuffer(0, GL_FLOAT, offsetof(editors::clsPreviewVertex, x), 3, stride);
  program_->setAttributeBuffer(1, GL_BYTE, offsetof(editors::clsPreviewVertex, nx), 3, stride);
  program_->setAttributeBuffer(2, GL_UNSIGNED_BYTE, offsetof(editors::clsPreviewVertex, colour), 4, stride);
  program_->setUniformValue("lit", lit);
  if (mode == GL_TRIANGLES) {
    buffer.indexes.bind();
    glDrawElements(GL_TRIANGLES, buffer.count, GL_UNSIGNED_INT, nullptr);
  } else {
    glDrawArrays(mode, 0, buffer.count);
  }
}

QMatrix4x4 PreviewView::viewProjection(float aspect) const {
  QMatrix4x4 projection;
  projection.perspective(45, aspect, std::max(0.01f, distance_ / 1000), distance_ * 20 + 100);
  QMatrix4x4 view;
  view.translate(0, 0, -distance_);
  view.rotate(pitch_, 1, 0, 0);
  view.rotate(-yaw_, 0, 1, 0);
  view.translate(-target_);
  return projection * view;
}

QSize PreviewView::pixelSize() const {
  return (QSizeF(size()) * devicePixelRatio()).toSize().expandedTo(QSize(1, 1));
}

void PreviewView::paintGL() {
  const QSize size = pixelSize();
  draw(size.width(), size.height());
}

QImage PreviewView::picture(QSize size) {
  if (!isValid()) return {};
  makeCurrent();
  if (size.isEmpty()) size = pixelSize();
  QOpenGLFramebufferObject target(size, QOpenGLFramebufferObject::Depth);
  if (!target.isValid()) {
    doneCurrent();
    return {};
  }
  target.bind();
  draw(size.width(), size.height());
  QImage image = target.toImage();
  target.release();
  doneCurrent();
  return image;
}

void PreviewView::draw(int width, int height) {
  glViewport(0, 0, width, height);
  glClearColor(qRed(kBackground) / 255.0f, qGreen(kBackground) / 255.0f, qBlue(kBackground) / 255.0f, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  if (!ready_ || !scene_) return;
  glEnable(GL_DEPTH_TEST);
  if (dirty_) {
    upload();
    dirty_ = false;
  }
  QOpenGLVertexArrayObject::Binder binder(&vao_);
  program_->bind();
  // The aspect of what is drawn: a picture of another shape than the view shows more or less at the sides.
  program_->setUniformValue("viewProjection", viewProjection(static_cast<float>(width) / static_cast<float>(height)));
  drawBuffer(lines_, GL_LINES, false);
  for (clsBuffer& buffer : elements_) drawBuffer(buffer, GL_TRIANGLES, true);
  program_->release();
}

void PreviewView::mousePressEvent(QMouseEvent* event) {
  lastMouse_ = event->position().toPoint();
}

void PreviewView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint now = event->position().toPoint();
  const QPoint delta = now - lastMouse_;
  lastMouse_ = now;
  const bool pan = (event->buttons() & Qt::MiddleButton) ||
                   ((event->buttons() & Qt::LeftButton) && (event->modifiers() & Qt::ShiftModifier));
  if (pan) {
    // Along the screen's right and up, scaled so the ground follows the mouse.
    const float perPixel = distance_ / static_cast<float>(std::max(1, height())) * 0.8f;
    const float yaw = qDegreesToRadians(yaw_);
    const QVector3D right(std::cos(yaw), 0, -std::sin(yaw));
    const QVector3D forward(std::sin(yaw), 0, std::cos(yaw));
    target_ += (-right * static_cast<float>(delta.x()) - forward * static_cast<float>(delta.y())) * perPixel;
  } else if (event->buttons() & Qt::LeftButton) {
    yaw_ -= static_cast<float>(delta.x()) * 0.4f;
    pitch_ = std::clamp(pitch_ + static_cast<float>(delta.y()) * 0.4f, -89.0f, 89.0f);
  } else {
    return;
  }
  update();
}

void PreviewView::mouseDoubleClickEvent(QMouseEvent*) { frameAll(); }

bool PreviewView::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (acceptsDrop && acceptsDrop(drag->mimeData())) drag->acceptProposedAction();
      else drag->ignore();
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      if (takeDrop && takeDrop(drop->mimeData())) drop->acceptProposedAction();
      return true;
    }
    default:
      return QOpenGLWindow::event(event);
  }
}

void PreviewView::wheelEvent(QWheelEvent* event) {
  distance_ *= std::pow(0.999f, static_cast<float>(event->angleDelta().y()));
  distance_ = std::clamp(distance_, kNearest, kFarthest);
  update();
}

void PreviewView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F) {
    frameAll();
    return;
  }
  QOpenGLWindow::keyPressEvent(event);
}

}  // namespace desktop
