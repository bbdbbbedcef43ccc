#include "desktop/desktop_program.h"

#include <QApplication>
#include <QMenu>
#include <QScrollBar>
#include <QTimer>

#include "desktop/color_page.h"
#include "desktop/curve_page.h"
#include "desktop/map_pages.h"
#include "desktop/preview_dock.h"
#include "desktop/preview_view.h"
#include "desktop/shape_page.h"
#include "desktop/size_rot_page.h"
#include "desktop/slider_drag.h"
#include "desktop/typed_text.h"

namespace desktop {

DesktopProgram::DesktopProgram(platform::clsPlatform& platform, platform::clsDialogs& dialogs, std::uint64_t seed,
                               platform::IRecoveryFiles* recovery)
    : session_(platform, dialogs, seed) {
  main_ = std::make_unique<editors::frmMain>(
      session_,
      std::array<editors::clsEditorModel*, editors::kTabCount>{&curve_, &shape_, &sizeRot_, &color_, &alpha_, &bump_,
                                                               &create_},
      elementList_);
  elementList_.attach(*main_);
  create_.attach(*main_);
  create_.setHelpFolder(modCommandLine::helpFolder(QCoreApplication::applicationDirPath().toStdString()));
  std::array<EditorPage*, 6> pages{new CurvePage(curve_, session_), new ShapePage(shape_, session_),
                                   new SizeRotPage(sizeRot_), new ColorPage(color_), new AlphaPage(alpha_),
                                   new BumpPage(bump_)};
  // Every window's controls carry their names; the pages carry their windows' names.
  constexpr std::array<const char*, 6> kPageNames = {"frmCurve", "frmShapeWi", "frmSizeRot", "frmColor", "frmAlpha", "frmBump"};
  for (std::size_t i = 0; i < pages.size(); ++i) pages[i]->setObjectName(kPageNames[i]);
  // The bars that edit values (the picture frames' bars only scroll their pictures).
  for (EditorPage* page : {pages[1], pages[2], pages[3]})
    for (QScrollBar* bar : page->findChildren<QScrollBar*>()) dragIsOneStep(bar, session_);
  auto* elementList = new ElementListWidget(elementList_);
  elementList->setObjectName("frmElement");
  auto* createPage = new CreatePage(create_);
  createPage->setObjectName("frmCreate");
  window_ = std::make_unique<MainWindow>(session_, *main_, create_, elementList, pages, createPage);
  preview_ = new PreviewDock(session_, window_.get());
  window_->addDockWidget(Qt::RightDockWidgetArea, preview_);
  window_->viewMenu()->addAction(preview_->toggleViewAction());
  preview_->restoreShown();
  if (PreviewView* view = preview_->view()) {
    view->acceptsDrop = [this](const QMimeData* data) { return window_->acceptsDrop(data); };
    view->takeDrop = [this](const QMimeData* data) { return window_->takeDrop(data); };
  }
  // Lives as long as the window: typed text counts before any click, shortcut or drop.
  QApplication::instance()->installEventFilter(new TypedTextGuard(window_.get()));
  if (recovery != nullptr) {
    autosave_ = std::make_unique<editors::clsAutosave>(session_, *recovery);
    auto* timer = new QTimer(window_.get());
    QObject::connect(timer, &QTimer::timeout, window_.get(), [this] { autosave_->tick(); });
    timer->start(1000);
    QTimer::singleShot(0, window_.get(), [this] { autosave_->offerRecovery(); });
  }
}

DesktopProgram::~DesktopProgram() {
  // The window (and the timer it owns) goes before the autosave it calls.
  window_.reset();
  autosave_.reset();
}

void DesktopProgram::closeForSignal() {
  if (autosave_) autosave_->keepForRecovery();
  // A box waiting for an answer would keep the program alive: nobody is there to give one.
  session_.platform.messages.stopAsking();
  window_->closeWithoutAsking();
}

void DesktopProgram::start(const clsCommandLine& line) {
  window_->show();
  // A file that cannot be opened is reported as "Open settings..." reports it; the defaults stay.
  if (!line.settingsFile.empty()) window_->openSettingsFile(QString::fromStdString(line.settingsFile));
}

}  // namespace desktop
