#pragma once
// The desktop program for widget tests: Qt's title, event pump and a per-user store in a file of
// the test's; messages and dialogs are fakes, files are real.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest/QtTest>
#include <memory>

#include "desktop/desktop_program.h"
#include "document/create_dialog.h"
#include "document/settings_files.h"
#include "fakes/fake_platform.h"
#include "platform/native/std_file_system.h"
#include "platform/qt/qt_desktop_platform.h"
#include "platform/qt/qt_picture_loader.h"

namespace support {

// The pages behind tabs 0..6, by name.
inline constexpr const char* kPageNames[7] = {"frmCurve", "frmShapeWi", "frmSizeRot", "frmColor",
                                              "frmAlpha", "frmBump",    "frmCreate"};

// Takes a scroll bar's thumb with the mouse and drags it dx pixels in steps of 10, as a user does.
inline void dragThumb(QScrollBar* bar, int dx) {
  QStyleOptionSlider option;
  option.initFrom(bar);
  option.orientation = bar->orientation();
  option.minimum = bar->minimum();
  option.maximum = bar->maximum();
  option.sliderPosition = option.sliderValue = bar->value();
  option.pageStep = bar->pageStep();
  option.singleStep = bar->singleStep();
  const QPoint thumb = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar).center();
  QTest::mousePress(bar, Qt::LeftButton, {}, thumb);
  for (int x = 10; x <= dx; x += 10) QTest::mouseMove(bar, thumb + QPoint(x, 0));
  QTest::mouseRelease(bar, Qt::LeftButton, {}, thumb + QPoint(dx, 0));
}

// Types as a user does: into the focused box, over its whole text, then Enter when asked.
inline void typeInto(QWidget* box, const QString& text, bool enter = false) {
  box->setFocus();
  if (auto* line = qobject_cast<QLineEdit*>(box)) line->selectAll();
  if (auto* lines = qobject_cast<QPlainTextEdit*>(box)) lines->selectAll();
  QTest::keyClicks(box, text);
  if (enter) QTest::keyClick(box, Qt::Key_Return);
}

inline QByteArray fileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) qFatal("cannot write %s", qPrintable(path));
}

// A file dragged onto target at the place at and dropped, as the window system delivers it:
// true when both the entering drag and the drop are taken.
inline bool dropFile(QObject* target, QPoint at, const QString& path) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(path)});
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &dropped);
  return dropped.isAccepted();
}

// The Qt title, pump and per-user store; messages and dialogs are fakes, files are real.
struct clsDesktop {
  explicit clsDesktop(const QString& settingsFile, std::uint64_t seed = 1, platform::IRecoveryFiles* recovery = nullptr)
      : userStore(settingsFile) {
    program = std::make_unique<desktop::DesktopProgram>(platform, fakeDialogs.dialogs, seed, recovery);
    status.setWindow(&program->window());
  }
  // A control by its name, or by "window/name" where windows share control names.
  template <class T>
  T* find(const char* name) {
    const QStringList parts = QString(name).split('/');
    QObject* scope = &program->window();
    if (parts.size() == 2) scope = program->window().findChild<QWidget*>(parts[0]);
    T* found = scope == nullptr ? nullptr : scope->findChild<T*>(parts.back());
    if (found == nullptr) qFatal("no widget %s", name);
    return found;
  }
  editors::clsSession& session() { return program->session(); }
  desktop::MainWindow& window() { return program->window(); }
  std::string settings() { return modSettingsFiles::settingsText(session().document); }
  // Settings lines applied as one edit, as if opened.
  void apply(const std::string& text) {
    session().edit([&] { modSettingsFiles::applyUserText(session().document, text, platform); });
  }
  // Where Create writes, with room on the disk.
  void setOutput(const QString& base) {
    session().edit([&] {
      modCreateDialog::setFileName(session().project().dialog, base.toStdString());
      modCreateDialog::setDiskSpace(session().document.session, 2000);
    });
  }
  void clickTab(int tab) { QTest::mouseClick(find<QToolButton>(qPrintable(QString("radTab%1").arg(tab))), Qt::LeftButton); }
  // Shown and active, so that focus moves as it does for a user.
  void show() {
    program->window().show();
    QApplication::setActiveWindow(&program->window());
    QVERIFY(QTest::qWaitForWindowActive(&program->window()));
  }
  // Shown and drawn, where no window manager makes windows active (a bare X server).
  void showExposed() {
    program->window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&program->window()));
  }

  fakes::FakeMessages messages;
  platform::QtStatusLine status;
  platform::QtEventPump events;
  fakes::FakeClipboard clipboard;
  platform::QtUserStore userStore;
  fakes::FakeClock clock;
  platform::StdFileSystem files;
  platform::QtPictureLoader pictures;
  platform::clsPlatform platform{messages, status, events, clipboard, userStore, clock, files, pictures};
  fakes::FakeDialogs fakeDialogs;
  std::unique_ptr<desktop::DesktopProgram> program;
};

}  // namespace support
