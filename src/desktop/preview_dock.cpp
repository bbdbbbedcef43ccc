#include "desktop/preview_dock.h"

#include <QBuffer>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "desktop/editor_page.h"
#include "desktop/fitted_label.h"
#include "desktop/preview_view.h"
#include "editors/view_picture.h"
#include "model/value_functions.h"
#include "platform/file_failure.h"

namespace desktop {

namespace {

constexpr const char* kShownKey = "previewshown";
constexpr const char* kCapKey = "previewitems";
constexpr const char* kPictureSizeKey = "previewpicturesize";
constexpr std::array<std::int64_t, 3> kCaps = {preview::kDefaultPreviewCap, 100000, 500000};
// Edits come in bursts (a drag, a scroll bar): the scene follows once they pause this long.
constexpr int kPauseMs = 100;
constexpr int kProgressMs = 250;

}  // namespace

PreviewDock::PreviewDock(editors::clsSession& session, QWidget* parent)
    : QDockWidget("3D view", parent), session_(session) {
  setObjectName("dockPreview");
  auto* body = new QWidget(this);
  auto* layout = new QVBoxLayout(body);
  if (openGlAvailable()) {
    view_ = new PreviewView;
    QWidget* container = QWidget::createWindowContainer(view_, body);  // takes the view over
    container->setObjectName("picPreview");
    container->setFocusPolicy(Qt::StrongFocus);
    container->setMinimumSize(240, 180);
    layout->addWidget(container, 1);
  } else {
    auto* message = new QLabel(kNoOpenGl, body);
    message->setObjectName("lblNoOpenGL");
    message->setWordWrap(true);
    message->setAlignment(Qt::AlignCenter);
    layout->addWidget(message, 1);
  }
  // Two lines at most, whatever it says: the dock keeps the width its buttons give it.
  line_ = new FittedLabel(body, {}, 2);
  line_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  line_->setObjectName("lblPreview");
  auto* controls = new QHBoxLayout;
  reshuffle_ = new QPushButton("Reshuffle", body);
  reshuffle_->setObjectName("cmdReshuffle");
  save_ = new QPushButton("Save view as PNG...", body);
  save_->setObjectName("cmdSaveView");
  cap_ = new QComboBox(body);
  cap_->setObjectName("cboPreviewItems");
  for (std::int64_t cap : kCaps) cap_->addItem(QString("At most %L1 items").arg(cap), QVariant::fromValue<qlonglong>(cap));
  const std::int64_t stored = modGeneral::toLong(session_.platform.userStore.value(kCapKey).value_or("0"));
  for (int i = 0; i < cap_->count(); ++i)
    if (cap_->itemData(i).toLongLong() == stored) cap_->setCurrentIndex(i);
  pictureSize_ = new QComboBox(body);
  pictureSize_->setObjectName("cboViewSize");
  for (const editors::clsPictureSize& size : editors::kPictureSizes) pictureSize_->addItem(size.caption);
  pictureSize_->setCurrentIndex(std::clamp(
      static_cast<int>(modGeneral::toLong(session_.platform.userStore.value(kPictureSizeKey).value_or("0"))), 0,
      pictureSize_->count() - 1));
  controls->addWidget(reshuffle_);
  controls->addWidget(save_);
  controls->addWidget(cap_);
  controls->addStretch(1);
  // A row of its own, so the dock (and the window) keeps its width.
  auto* saving = new QHBoxLayout;
  auto* sizeLabel = new QLabel("Size of saved pictures", body);
  sizeLabel->setObjectName("lblViewSize");
  saving->addWidget(sizeLabel);
  saving->addWidget(pictureSize_);
  saving->addStretch(1);
  layout->addWidget(line_);
  layout->addLayout(controls);
  layout->addLayout(saving);
  setWidget(body);
  reshuffle_->setEnabled(view_ != nullptr);
  save_->setEnabled(view_ != nullptr);
  cap_->setEnabled(view_ != nullptr);
  pictureSize_->setEnabled(view_ != nullptr);

  pause_.setSingleShot(true);
  pause_.setInterval(kPauseMs);
  connect(&pause_, &QTimer::timeout, this, [this] { updateNow(); });
  progress_.setInterval(kProgressMs);
  connect(&progress_, &QTimer::timeout, this, [this] { showBehind(); });
  connect(reshuffle_, &QPushButton::clicked, this, [this] { reshuffle(); });
  connect(save_, &QPushButton::clicked, this, [this] { saveImage(); });
  connect(cap_, &QComboBox::currentIndexChanged, this, [this] {
    session_.platform.userStore.setValue(kCapKey, std::to_string(cap_->currentData().toLongLong()));
    updateNow();
  });
  connect(pictureSize_, &QComboBox::currentIndexChanged, this, [this](int index) {
    session_.platform.userStore.setValue(kPictureSizeKey, std::to_string(index));
  });
  connect(toggleViewAction(), &QAction::triggered, this, [this](bool on) { storeShown(on); });
  if (view_ == nullptr) return;
  worker_ = std::make_unique<preview::clsPreviewWorker>([this](auto scene, std::uint64_t number) {
    // From the worker's thread to the window's: the scene is shown there.
    QMetaObject::invokeMethod(this, [this, scene, number] { takeScene(scene, number); }, Qt::QueuedConnection);
  });
  listener_ = session_.addListener([this] { scheduleUpdate(); });
  updateNow();
}

PreviewDock::~PreviewDock() {
  session_.removeListener(listener_);
  // Stopped before anything it could call back into goes.
  worker_.reset();
}

void PreviewDock::scheduleUpdate() {
  if (!worker_) return;
  // The scene being built is out of date already: it stops now, not after the pause.
  worker_->cancelBuild();
  pause_.start();
  showBehind();
}

void PreviewDock::updateNow() {
  if (!worker_) return;
  latest_ = worker_->request(session_.project(), session_.layoutSeed(), cap_->currentData().toLongLong(),
                             session_.document.session.diskLimitMB);
  showBehind();
  progress_.start();
}

void PreviewDock::showBehind() {
  const int percent = pause_.isActive() ? 0 : worker_->percentDone();
  line_->setText(percent > 0 ? QString("%1 %2%").arg(kUpdating).arg(percent) : QString(kUpdating));
}

void PreviewDock::reshuffle() {
  // An edit like any other: the listener shows the new layout.
  session_.reshuffle();
}

void PreviewDock::takeScene(std::shared_ptr<const preview::clsPreviewScene> scene, std::uint64_t number) {
  if (number != latest_ || view_ == nullptr) return;
  progress_.stop();
  // The layout the file will be made with: the same number in the settings file's "Seed" line.
  line_->setText(qt(modPreview::previewLine(*scene)) + QString(" - layout %1").arg(session_.layoutSeed()));
  view_->setScene(std::move(scene));
}

bool PreviewDock::saveImage() {
  if (view_ == nullptr) return false;
  const auto path = session_.dialogs.files.saveFile("Save view as PNG", {{"PNG pictures (*.png)", "*.png"}},
                                                    session_.dialogFolder());
  session_.noteDialogResult(path);
  if (!path) return false;
  const std::optional<std::string> target =
      modViewPicture::targetPath(*path, session_.platform.messages, session_.platform.files);
  if (!target) return false;
  const QString file = qt(*target);
  const editors::clsPictureSize size = editors::kPictureSizes[static_cast<std::size_t>(pictureSize_->currentIndex())];
  // Encoded in memory, then written whole under a temporary name: a full disk must not leave a
  // cut-off picture in the place of an old one.
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  const bool encoded = view_->picture(QSize(size.width, size.height)).save(&buffer, "PNG");
  platform::IFileSystem& files = session_.platform.files;
  if (encoded &&
      platform::writeWholeFile(files, file.toStdString(), std::string_view(bytes.constData(), bytes.size())) ==
          platform::FileStatus::Ok) {
    session_.platform.status.setTitle(platform::titleWith(" - Save view done"));
    return true;
  }
  session_.platform.messages.showMessage(
      encoded ? platform::failureText("The view could not be saved as a picture.", file.toStdString(), files)
              : "The view could not be saved as a picture.\n" + file.toStdString());
  session_.platform.status.setTitle(platform::titleWith(" - Save view failed"));
  return false;
}

void PreviewDock::restoreShown() {
  const std::optional<std::string> shown = session_.platform.userStore.value(kShownKey);
  setVisible(!shown || *shown != "0");
}

void PreviewDock::storeShown(bool shown) { session_.platform.userStore.setValue(kShownKey, shown ? "1" : "0"); }

}  // namespace desktop
