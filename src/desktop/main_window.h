#pragma once
// The main window: a toolbar with the seven tabs and the Min and Max views, the element list
// at the left, the selected tab's page at the right, a menu bar, and the title as status line.

#include <QMainWindow>
#include <array>

#include "desktop/editor_page.h"
#include "editors/frm_create.h"
#include "editors/frm_main.h"

class QAction;
class QButtonGroup;
class QMimeData;
class QStackedWidget;
class QToolButton;

namespace desktop {

class CreatePage;
class ElementListWidget;

class MainWindow final : public QMainWindow {
 public:
  // pages: the widgets behind tabs 0..5; the create page is tab 6.
  MainWindow(editors::clsSession& session, editors::frmMain& model, editors::frmCreate& createModel,
             ElementListWidget* elementList, std::array<EditorPage*, 6> pages, CreatePage* createPage);

  ~MainWindow() override;

  // Everything the window shows, again from the store.
  void refresh();
  void selectTab(int tab);
  void showMax();
  void showMin();
  // "Create grass and save as OBJ": the rest of the window waits while it runs.
  void create();
  QMenu* viewMenu() const { return viewMenu_; }
  // Opens a settings file as "Open settings..." does, without the dialog: the one named on the
  // command line.
  bool openSettingsFile(const QString& path);
  // Drops anywhere on the window that no frame takes, the 3D view's included (a window of its
  // own): a settings file opens, once the drop has ended.
  bool acceptsDrop(const QMimeData* data) const;
  bool takeDrop(const QMimeData* data);
  // Closes as Quit does but asks nothing: for a signal, with nobody to answer.
  void closeWithoutAsking();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void buildMenus();
  void placeCentred(int width, int height);
  void scaleAllControls(double factor);
  void commitEdits();
  void setRunning(bool running);
  QWidget* currentPage() const;

  editors::clsSession& session_;
  editors::frmMain& model_;
  editors::frmCreate& createModel_;
  ElementListWidget* elementList_;
  std::array<EditorPage*, 6> pages_;
  CreatePage* createPage_;
  QStackedWidget* stack_ = nullptr;
  QButtonGroup* tabs_ = nullptr;
  std::array<QToolButton*, editors::kTabCount> tabButtons_{};
  QToolButton* min_ = nullptr;
  QToolButton* max_ = nullptr;
  QAction* undo_ = nullptr;
  QAction* redo_ = nullptr;
  QAction* quit_ = nullptr;
  QMenu* fileMenu_ = nullptr;
  QMenu* editMenu_ = nullptr;
  QMenu* viewMenu_ = nullptr;
  bool designRecorded_ = false;
  bool closeAfterRun_ = false;
  bool closed_ = false;
  bool askOnClose_ = true;
  int listener_ = 0;
};

}  // namespace desktop
