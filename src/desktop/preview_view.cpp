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
#include <optional>

#include "preview/preview_grid.h"

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
constexpr std::uint32_t kCoverage = 250 + 256 * 190;

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

PreviewView::PreviewView() { setFormat(wantedFormat()); }

PreviewView::~PreviewView() {
  if (!ready_) return;
  makeCurrent();
  for (clsBuffer& buffer : elements_) {
    buffer.vertices.destroy();
    buffer.indexes.destroy();
  }
  lines_.vertices.destroy();
  bands_.vertices.destroy();
  vao_.destroy();
  program_.reset();
  doneCurrent();
}

void PreviewView::setScene(std::shared_ptr<const preview::clsPreviewScene> scene) {
  // The camera stays while the field is edited, unless the field leaves the view or shrinks to
  // a small part of it.
  const preview::clsBounds next = modCamera::boundsOf(*scene);
  const std::optional<preview::clsBounds> last =
      scene_ != nullptr ? std::optional(modCamera::boundsOf(*scene_)) : std::nullopt;
  const bool reframe = modCamera::frameAnew(camera_, last ? &*last : nullptr, next, aspect());
  scene_ = std::move(scene);
  dirty_ = true;
  if (reframe) frameAll();
  update();
}

void PreviewView::frameAll() {
  if (!scene_) return;
  modCamera::frame(camera_, modCamera::boundsOf(*scene_), aspect());
  update();
}

void PreviewView::resizeGL(int, int) {
  if (scene_ && modCamera::frameAfterResize(camera_, modCamera::boundsOf(*scene_), shownAspect_, aspect())) frameAll();
  shownAspect_ = aspect();
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
  bands_.vertices.create();
  dirty_ = true;
}

void PreviewView::upload() {
  if (!scene_) return;
  for (std::size_t e = 0; e < elements_.size(); ++e) {
    const preview::clsPreviewElement& element = scene_->elements[e];
    clsBuffer& buffer = elements_[e];
    if (buffer.fingerprint == element.fingerprint && buffer.count == static_cast<int>(element.triangles.size())) continue;
    buffer.vertices.bind();
    buffer.vertices.allocate(element.vertices.data(),
                             static_cast<int>(element.vertices.size() * sizeof(preview::clsPreviewVertex)));
    buffer.indexes.bind();
    buffer.indexes.allocate(element.triangles.data(), static_cast<int>(element.triangles.size() * sizeof(std::uint32_t)));
    buffer.count = static_cast<int>(element.triangles.size());
    buffer.fingerprint = element.fingerprint;
    ++uploads_;
  }
  // The ground grid and above it each element's coverage rectangle, within the view's reach.
  std::vector<preview::clsPreviewVertex> lines, bands;
  const auto line = [&](const modPreview::clsGridLine& l, std::uint32_t colour) {
    lines.push_back(preview::previewVertex(l.x1, 0, l.z1, 0, 1, 0, colour));
    lines.push_back(preview::previewVertex(l.x2, 0, l.z2, 0, 1, 0, colour));
  };
  for (const modPreview::clsGridLine& grid : modPreview::groundGrid(*scene_)) line(grid, kGrid);
  for (const modPreview::clsGridLine& outline : modPreview::coverageOutlines(*scene_)) line(outline, kCoverage);
  for (const modPreview::clsGroundRect& r : modPreview::coverageBands(*scene_))
    for (const auto& [x, z] : {std::pair{r.x1, r.z1}, {r.x2, r.z1}, {r.x2, r.z2}, {r.x1, r.z1}, {r.x2, r.z2}, {r.x1, r.z2}})
      bands.push_back(preview::previewVertex(x, 0, z, 0, 1, 0, kCoverage));
  lines_.vertices.bind();
  lines_.vertices.allocate(lines.data(), static_cast<int>(lines.size() * sizeof(preview::clsPreviewVertex)));
  lines_.count = static_cast<int>(lines.size());
  bands_.vertices.bind();
  bands_.vertices.allocate(bands.data(), static_cast<int>(bands.size() * sizeof(preview::clsPreviewVertex)));
  bands_.count = static_cast<int>(bands.size());
}

void PreviewView::drawBuffer(clsBuffer& buffer, GLenum mode, bool lit) {
  if (buffer.count == 0) return;
  buffer.vertices.bind();
  const int stride = sizeof(preview::clsPreviewVertex);
  for (GLuint attribute = 0; attribute < 3; ++attribute) program_->enableAttributeArray(static_cast<int>(attribute));
  program_->setAttributeBuffer(0, GL_FLOAT, offsetof(preview::clsPreviewVertex, x), 3, stride);
  program_->setAttributeBuffer(1, GL_BYTE, offsetof(preview::clsPreviewVertex, nx), 3, stride);
  program_->setAttributeBuffer(2, GL_UNSIGNED_BYTE, offsetof(preview::clsPreviewVertex, colour), 4, stride);
  program_->setUniformValue("lit", lit);
  if (mode == GL_TRIANGLES && buffer.indexes.isCreated()) {
    buffer.indexes.bind();
    glDrawElements(GL_TRIANGLES, buffer.count, GL_UNSIGNED_INT, nullptr);
  } else {
    glDrawArrays(mode, 0, buffer.count);
  }
}

float PreviewView::aspect() const {
  return height() > 0 ? static_cast<float>(width()) / static_cast<float>(height()) : 1;
}

QSize PreviewView::pixelSize() const {
  return (QSizeF(size()) * devicePixelRatio()).toSize().expandedTo(QSize(1, 1));
}

void PreviewView::paintGL() {
  const QSize size = pixelSize();
  draw(size.width(), size.height(), camera_);
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
  const float shape = static_cast<float>(size.width()) / static_cast<float>(size.height());
  draw(size.width(), size.height(),
       scene_ ? modCamera::forShape(camera_, modCamera::boundsOf(*scene_), aspect(), shape) : camera_);
  QImage image = target.toImage();
  target.release();
  doneCurrent();
  return image;
}

void PreviewView::draw(int width, int height, const preview::clsCamera& camera) {
  glViewport(0, 0, width, height);
  glClearColor(qRed(kBackground) / 255.0f, qGreen(kBackground) / 255.0f, qBlue(kBackground) / 255.0f, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  if (!ready_ || !scene_) return;
  glEnable(GL_DEPTH_TEST);
  // What is drawn later wins where it lies as deep: the coverage over the grid.
  glDepthFunc(GL_LEQUAL);
  if (dirty_) {
    upload();
    dirty_ = false;
  }
  QOpenGLVertexArrayObject::Binder binder(&vao_);
  program_->bind();
  const float shape = static_cast<float>(width) / static_cast<float>(height);
  program_->setUniformValue("viewProjection", QMatrix4x4(modCamera::viewProjection(camera, shape).data()));
  drawBuffer(lines_, GL_LINES, false);
  drawBuffer(bands_, GL_TRIANGLES, false);
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
    modCamera::pan(camera_, static_cast<float>(delta.x()), static_cast<float>(delta.y()), height());
  } else if (event->buttons() & Qt::LeftButton) {
    modCamera::orbit(camera_, static_cast<float>(delta.x()), static_cast<float>(delta.y()));
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
  modCamera::zoom(camera_, static_cast<float>(event->angleDelta().y()));
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
