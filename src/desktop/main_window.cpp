#include "desktop/main_window.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStackedWidget>
#include <QToolBar>
#include <QToolButton>

#include "desktop/control_scale.h"
#include "desktop/create_page.h"
#include "desktop/dropped_files.h"
#include "desktop/element_list_widget.h"
#include "desktop/typed_text.h"
#include "editors/drop_rules.h"

namespace desktop {

namespace {


// The design size of the pages at load, in twips: the element list 1700 wide, the editors
// 6600, both 4650 high.
QSize designSize(const QWidget& window) {
  const double perTwip = window.logicalDpiX() / 1440.0;
  return {static_cast<int>((1700 + 6600) * perTwip), static_cast<int>(4650 * perTwip)};
}

}  // namespace

MainWindow::MainWindow(editors::clsSession& session, editors::frmMain& model, editors::frmCreate& createModel,
                       ElementListWidget* elementList, std::array<EditorPage*, 6> pages, CreatePage* createPage)
    : session_(session),
      model_(model),
      createModel_(createModel),
      elementList_(elementList),
      pages_(pages),
      createPage_(createPage) {
  setAcceptDrops(true);
  auto* toolbar = addToolBar("Tabs");
  toolbar->setObjectName("picToolBar");
  toolbar->setMovable(false);
  toolbar->setFloatable(false);
  toolbar->toggleViewAction()->setVisible(false);
  tabs_ = new QButtonGroup(this);
  for (int tab = 0; tab < editors::kTabCount; ++tab) {
    auto* button = new QToolButton(toolbar);
    button->setText(editors::kTabs[static_cast<std::size_t>(tab)].caption);
    button->setObjectName(QString("radTab%1").arg(tab));
    button->setCheckable(true);
    toolbar->addWidget(button);
    tabs_->addButton(button, tab);
    tabButtons_[static_cast<std::size_t>(tab)] = button;
  }
  toolbar->addSeparator();
  min_ = new QToolButton(toolbar);
  min_->setText("Min");
  min_->setObjectName("cmdMin");
  max_ = new QToolButton(toolbar);
  max_->setText("Max");
  max_->setObjectName("cmdMax");
  toolbar->addWidget(min_);
  toolbar->addWidget(max_);

  stack_ = new QStackedWidget(this);
  for (EditorPage* page : pages_) stack_->addWidget(page);
  stack_->addWidget(createPage_);
  auto* central = new QWidget(this);
  auto* layout = new QHBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(elementList_);
  layout->addWidget(stack_, 1);
  setCentralWidget(central);
  buildMenus();

  connect(tabs_, &QButtonGroup::idClicked, this, [this](int tab) { selectTab(tab); });
  connect(min_, &QToolButton::clicked, this, [this] { showMin(); });
  connect(max_, &QToolButton::clicked, this, [this] { showMax(); });
  createPage_->onCreate = [this] { create(); };
  createModel_.onFileNameRefused = [this] {
    selectTab(editors::kCreateTab);
    createPage_->focusFileName();
  };
  listener_ = session_.addListener([this] { refresh(); });
  resize(designSize(*this).expandedTo(sizeHint()));
  selectTab(model_.activeTab());
}

MainWindow::~MainWindow() {
  session_.removeListener(listener_);
  createModel_.onFileNameRefused = nullptr;
  closed_ = true;
}

void MainWindow::buildMenus() {
  const auto add = [this](QMenu* menu, const char* caption, const QKeySequence& keys, auto handler) {
    QAction* action = menu->addAction(caption);
    action->setShortcut(keys);
    connect(action, &QAction::triggered, this, [this, handler] {
      commitEdits();
      handler();
    });
    return action;
  };
  using editors::frmCreate;
  fileMenu_ = menuBar()->addMenu("&File");
  add(fileMenu_, frmCreate::kOpenCaption, QKeySequence::Open, [this] { createModel_.openSettings(); });
  add(fileMenu_, frmCreate::kSaveSettingsCaption, QKeySequence::Save, [this] { createModel_.saveSettings(); });
  add(fileMenu_, frmCreate::kSaveColorsCaption, {}, [this] { createModel_.saveColors(); });
  add(fileMenu_, "Create", {}, [this] { create(); });
  fileMenu_->addSeparator();
  quit_ = add(fileMenu_, "Quit", QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { close(); });
  editMenu_ = menuBar()->addMenu("&Edit");
  undo_ = add(editMenu_, "Undo", QKeySequence(Qt::CTRL | Qt::Key_Z), [this] { session_.undo(); });
  redo_ = add(editMenu_, "Redo", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), [this] { session_.redo(); });
  editMenu_->addSeparator();
  add(editMenu_, "Copy settings", {}, [this] { createModel_.copySettings(); });
  add(editMenu_, "Paste settings", {}, [this] { createModel_.pasteSettings(); });
  add(editMenu_, frmCreate::kDefaultsCaption, {}, [this] { createModel_.defaultSettings(); });
  viewMenu_ = menuBar()->addMenu("&View");
  QMenu* help = menuBar()->addMenu("&Help");
  add(help, frmCreate::kHelpCaption, QKeySequence::HelpContents, [this] { createModel_.help(); });
}

void MainWindow::refresh() {
  if (closed_) return;
  elementList_->refresh();
  for (int tab = 0; tab < editors::kTabCount; ++tab) {
    tabButtons_[static_cast<std::size_t>(tab)]->setToolTip(qt(model_.tabTip(tab)));
    tabButtons_[static_cast<std::size_t>(tab)]->setChecked(tab == model_.activeTab());
  }
  min_->setToolTip(qt(model_.minTip()));
  max_->setToolTip(qt(model_.maxTip()));
  // Pages behind other tabs catch up when their tab is selected; their tooltips follow at once.
  for (EditorPage* page : pages_)
    if (page == currentPage()) page->refresh();
  createPage_->refresh();
  undo_->setEnabled(!session_.history.undo.empty());
  redo_->setEnabled(!session_.history.redo.empty());
}

void MainWindow::selectTab(int tab) {
  commitEdits();
  model_.selectTab(tab);
  stack_->setCurrentIndex(model_.activeTab());
  refresh();
}

void MainWindow::showMax() {
  const QRect screen = this->screen()->availableGeometry();
  const QRect now = geometry();
  const editors::clsGeometry next =
      model_.maxGeometry({now.x(), now.y(), now.width(), now.height()}, screen.width(), screen.height());
  scaleAllControls(model_.controlScale(next.width));
  placeCentred(next.width, next.height);
  model_.refreshAll();
  refresh();
}

void MainWindow::placeCentred(int width, int height) {
  // The size Qt gives may be larger than asked (the pages' minimum sizes): centre what it gave.
  resize(width, height);
  const QRect screen = this->screen()->availableGeometry();
  setGeometry(screen.x() + (screen.width() - this->width()) / 2, screen.y() + (screen.height() - this->height()) / 2,
              this->width(), this->height());
}

void MainWindow::scaleAllControls(double factor) {
  scaleControls(elementList_, factor);
  for (EditorPage* page : pages_) scaleControls(page, factor);
  scaleControls(createPage_, factor);
  // The new limits count before the window is resized, innermost layouts first: Min must not
  // keep Max's least sizes.
  const QList<QWidget*> inside = findChildren<QWidget*>();
  for (auto at = inside.rbegin(); at != inside.rend(); ++at)
    if ((*at)->layout() != nullptr) (*at)->layout()->activate();
  if (layout() != nullptr) layout()->activate();
}

void MainWindow::showMin() {
  const QRect screen = this->screen()->availableGeometry();
  const editors::clsGeometry design = model_.minGeometry(screen.width(), screen.height());
  scaleAllControls(1);
  placeCentred(design.width, design.height);
  model_.refreshAll();
  refresh();
}

void MainWindow::create() {
  if (session_.running()) return;
  commitEdits();
  setRunning(true);
  createModel_.create();
  setRunning(false);
  refresh();
  if (closeAfterRun_) close();
}

bool MainWindow::openSettingsFile(const QString& path) { return createModel_.openFile(path.toStdString()); }

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (designRecorded_) return;
  designRecorded_ = true;
  // The start-up geometry, centred, is what Min returns to.
  const QRect now = geometry();
  model_.recordDesign({now.x(), now.y(), now.width(), now.height()});
  placeCentred(now.width(), now.height());
}

void MainWindow::closeWithoutAsking() {
  askOnClose_ = false;
  close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (session_.running()) {
    // Cancel first: the run ends on a whole item, and the window closes once it has.
    closeAfterRun_ = true;
    session_.cancel();
    event->ignore();
    return;
  }
  if (!closed_) {
    commitEdits();
    if (askOnClose_ && !createModel_.confirmClose()) {
      event->ignore();
      return;
    }
    session_.close();
    closed_ = true;
  }
  event->accept();
}

bool MainWindow::acceptsDrop(const QMimeData* data) const {
  return modDropRules::whatDropDoes(droppedPaths(data), false, session_.platform.files).action ==
         editors::DropAction::OpenSettings;
}

bool MainWindow::takeDrop(const QMimeData* data) {
  const editors::clsDrop drop = modDropRules::whatDropDoes(droppedPaths(data), false, session_.platform.files);
  if (drop.action != editors::DropAction::OpenSettings) return false;
  commitEdits();
  // Opened once the drop has ended: a message it shows must not hold the file manager that sent it.
  QMetaObject::invokeMethod(this, [this, path = drop.path] { createModel_.openFile(path); }, Qt::QueuedConnection);
  return true;
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (acceptsDrop(event->mimeData())) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  if (takeDrop(event->mimeData())) event->acceptProposedAction();
}

void MainWindow::commitEdits() { applyTypedText(); }

void MainWindow::setRunning(bool running) {
  createPage_->setRunning(running);
  elementList_->setEnabled(!running);
  for (EditorPage* page : pages_) page->setEnabled(!running);
  for (QToolButton* button : tabButtons_) button->setEnabled(!running);
  min_->setEnabled(!running);
  max_->setEnabled(!running);
  // Quit stays: during a run it cancels the run, then closes the window.
  for (QAction* action : fileMenu_->actions())
    if (action != quit_) action->setEnabled(!running);
  editMenu_->setEnabled(!running);
}

QWidget* MainWindow::currentPage() const { return stack_->currentWidget(); }

}  // namespace desktop
