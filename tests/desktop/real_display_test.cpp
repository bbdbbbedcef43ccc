// The widgets that need a real X display (Xvfb). The 3D view on a real OpenGL context (Mesa's
// software renderer): the default field shows grass inside its coverage rectangle, an element
// switched off leaves only the grid, only changed elements are uploaded again, and a view can be
// saved. The free-text boxes (the note, both more-info boxes) where the clipboard can be empty:
// Ctrl+V and a middle click with nothing on the clipboard do nothing, and texts far longer than a
// box can lay out are kept whole in the store and shown cut, saying so.

#include <QClipboard>
#include <QImage>
#include <sys/mount.h>

#include "desktop/desktop_support.h"
#include "desktop/long_text_box.h"
#include "desktop/preview_dock.h"
#include "desktop/preview_view.h"
#include "document/create_dialog.h"
#include "materials/palette.h"

namespace {

// Pixels clearly green, as blades of the default palette are, or of the coverage outline's amber.
bool green(QRgb p) { return qGreen(p) > qRed(p) + 25 && qGreen(p) > qBlue(p) + 25; }
bool amber(QRgb p) { return qRed(p) > 200 && qGreen(p) > 140 && qGreen(p) < 220 && qBlue(p) < 90; }

int pixels(const QImage& image, const QRect& area, bool (*colour)(QRgb)) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) count += colour(image.pixel(x, y));
  return count;
}

const QStringList kBoxes = {"frmCreate/txtNote", "frmColor/txtMoreInfo0", "frmColor/txtMoreInfo1"};

void showBox(support::clsDesktop& desktop, const QString& name) {
  desktop.clickTab(name.startsWith("frmCreate") ? 6 : 3);
  auto* box = desktop.find<desktop::LongTextBox>(qPrintable(name));
  QApplication::setActiveWindow(&desktop.window());
  box->setFocus();
  QTRY_VERIFY(box->hasFocus());
}

}  // namespace

class RealDisplayTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void theDefaultFieldAndAnElementSwitchedOff() {
    support::clsDesktop desktop(folder.filePath("user.ini"));
    desktop.showExposed();
    desktop::PreviewView* view = desktop.program->preview().view();
    QVERIFY2(view != nullptr, "no OpenGL under Xvfb");
    // The size the dock's layout gives the view, so that no later layout pass takes it back.
    desktop.find<QWidget>("picPreview")->setFixedSize(640, 480);
    QTRY_COMPARE(view->size(), QSize(640, 480));
    QTRY_VERIFY_WITH_TIMEOUT(view->scene() != nullptr, 10000);
    QImage frame = view->picture();
    const QRect centre(frame.width() / 3, frame.height() / 3, frame.width() / 3, frame.height() / 3);
    QVERIFY(pixels(frame, centre, green) > centre.width() * centre.height() / 10);
    // The coverage outline shows all round the field, above the grid lines it lies on.
    QVERIFY(pixels(frame, frame.rect(), amber) > frame.width());
    // The corners are sky, outside the field.
    QCOMPARE(frame.pixel(2, 2) & 0xFFFFFF, desktop::PreviewView::kBackground & 0xFFFFFF);
    QCOMPARE(frame.pixel(frame.width() - 3, 2) & 0xFFFFFF, desktop::PreviewView::kBackground & 0xFFFFFF);

    // An edit that changes no item (a name) makes a new scene but uploads no buffer again.
    const int uploads = view->uploads();
    const auto* before = view->scene();
    desktop.fakeDialogs.text = "meadow";
    QTest::mouseClick(desktop.find<QWidget>("radElement3"), Qt::RightButton);
    QTRY_VERIFY_WITH_TIMEOUT(view->scene() != before, 10000);
    view->picture();
    QCOMPARE(view->uploads(), uploads);
    QTest::mouseClick(desktop.find<QCheckBox>("chkUse2"), Qt::LeftButton);

    QTest::mouseClick(desktop.find<QCheckBox>("chkUse1"), Qt::LeftButton);
    QTest::mouseClick(desktop.find<QCheckBox>("chkUse2"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(view->scene() && view->scene()->elements[0].triangles.empty() &&
                                 view->scene()->elements[1].triangles.empty(),
                             10000);
    frame = view->picture();
    QCOMPARE(pixels(frame, frame.rect(), green), 0);

    desktop.fakeDialogs.answers = {folder.filePath("view").toStdString()};
    QTest::mouseClick(desktop.find<QPushButton>("cmdSaveView"), Qt::LeftButton);
    QCOMPARE(QImage(folder.filePath("view.png")).size(), frame.size());
    // At a size of the user's choice, over the old picture only when the user says so.
    desktop.find<QComboBox>("cboViewSize")->setCurrentIndex(1);
    for (const bool overwrite : {false, true}) {
      desktop.messages.answer = overwrite;
      desktop.fakeDialogs.answers = {folder.filePath("view").toStdString()};
      QTest::mouseClick(desktop.find<QPushButton>("cmdSaveView"), Qt::LeftButton);
      QCOMPARE(desktop.messages.asked.size(), std::size_t{overwrite ? 2u : 1u});
      QCOMPARE(desktop.messages.asked.back(),
               std::string("A file with the same name (view.png) already exists.\nDo you want to overwrite the existing file?"));
      QCOMPARE(QImage(folder.filePath("view.png")).size(), overwrite ? QSize(1920, 1080) : frame.size());
    }
    // A full disk keeps an old picture as it was: the new one is written whole first.
    const QString disk = folder.filePath("disk");
    QVERIFY(QDir(folder.path()).mkpath("disk"));
    if (::mount("tmpfs", disk.toUtf8().constData(), "tmpfs", 0, "size=64k") == 0) {
      support::writeFile(disk + "/old.png", "old picture");
      QFile filler(disk + "/filler");
      QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
      while (filler.write(QByteArray(512, 'x')) == 512) {
      }
      filler.close();
      desktop.fakeDialogs.answers = {(disk + "/old.png").toStdString()};
      QTest::mouseClick(desktop.find<QPushButton>("cmdSaveView"), Qt::LeftButton);
      QCOMPARE(support::fileBytes(disk + "/old.png"), QByteArray("old picture"));
      QVERIFY(QString::fromStdString(desktop.messages.shown.back()).endsWith("old.png: No space left on device"));
      QCOMPARE(QDir(disk).entryList(QDir::Files | QDir::Hidden).size(), 2);
      ::umount(disk.toUtf8().constData());
    } else {
      qInfo("cannot mount a small tmpfs here (not root?): the fake file system tests cover a full disk");
    }
  }

  // The view is a window of its own: a settings file dropped on it opens as on the rest of the window.
  void aSettingsFileDroppedOnTheViewOpens() {
    support::clsDesktop desktop(folder.filePath("user.ini"));
    desktop.showExposed();
    desktop::PreviewView* view = desktop.program->preview().view();
    QVERIFY(view != nullptr);
    support::writeFile(folder.filePath("onview.grass"), "Usage 6 1 dropped\r\n");
    QVERIFY(support::dropFile(view, QPoint(view->width() / 2, view->height() / 2), folder.filePath("onview.grass")));
    QTRY_COMPARE(desktop.window().windowTitle(), QString("Quenmoor Grass - Open settings done"));
    QVERIFY(desktop.find<QCheckBox>("chkUse6")->isChecked());
  }

  void editsWhileBuildingAndClosingEndCleanly() {
    support::clsDesktop desktop(folder.filePath("user.ini"));
    desktop.showExposed();
    desktop::PreviewView* view = desktop.program->preview().view();
    QVERIFY(view != nullptr);
    // A large field at the largest cap, changed again at once: the view ends with the last one.
    desktop.apply("Alpha 1 10 10 1000000 <empty> 0 -1\r\n");
    desktop.program->preview().updateNow();
    desktop.apply("Alpha 1 3 3 500 <empty> 0 -1\r\n");
    desktop.program->preview().updateNow();
    QTRY_VERIFY_WITH_TIMEOUT(view->scene() && view->scene()->itemsTotal == 500, 20000);
    // Closing while a scene is being built.
    desktop.apply("Alpha 1 10 10 1000000 <empty> 0 -1\r\n");
    desktop.program->preview().updateNow();
    desktop.window().close();
    desktop.program.reset();
  }

  // A picture of another shape than the view is framed for its own: the field fills it.
  void aSavedPictureIsFramedForItsShape() {
    support::clsDesktop desktop(folder.filePath("user.ini"));
    desktop.showExposed();
    desktop::PreviewView* view = desktop.program->preview().view();
    QVERIFY(view != nullptr);
    view->resize(300, 520);
    QTRY_VERIFY_WITH_TIMEOUT(view->scene() != nullptr, 10000);
    view->frameAll();
    const QImage wide = view->picture(QSize(1920, 1080));
    QRect field;
    for (int y = 0; y < wide.height(); y += 2)
      for (int x = 0; x < wide.width(); x += 2)
        if (green(wide.pixel(x, y)) || amber(wide.pixel(x, y))) field |= QRect(x, y, 1, 1);
    // Framed for the view's tall shape, it filled some 60 by 56 per cent of the picture.
    QVERIFY2(field.width() > wide.width() * 66 / 100 && field.height() > wide.height() * 65 / 100,
             qPrintable(QString("%1 x %2").arg(field.width()).arg(field.height())));
  }

  // While the view is behind the design its line says so; then it tells the new field.
  void theLineSaysWhileTheViewIsBehind() {
    support::clsDesktop desktop(folder.filePath("user.ini"));
    desktop.showExposed();
    QVERIFY(desktop.program->preview().view() != nullptr);
    auto* line = desktop.find<QLabel>("lblPreview");
    QTRY_VERIFY_WITH_TIMEOUT(line->text().startsWith("Preview: all 1,000 items"), 10000);
    desktop.apply("Alpha 1 10 10 400000 <empty> 0 -1\r\n");
    QVERIFY(line->text().startsWith(desktop::PreviewDock::kUpdating));
    QTRY_VERIFY_WITH_TIMEOUT(line->text().startsWith("Preview: 20,000 of 400,000 items") ||
                                 line->text().startsWith("The disk-space limit"),
                             30000);
  }

  // Pasting an empty clipboard does nothing; Tab moves on, and a more-info box selects its text.
  void pasteAndTabInEveryBox() {
    support::clsDesktop desktop(folder.filePath("user.ini"));
    desktop.showExposed();
    QGuiApplication::clipboard()->clear();
    QGuiApplication::clipboard()->clear(QClipboard::Selection);
    for (const QString& name : kBoxes) {
      showBox(desktop, name);
      auto* box = desktop.find<desktop::LongTextBox>(qPrintable(name));
      QTest::keyClicks(box, "d 1");
      QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
      QTest::mouseClick(box->viewport(), Qt::MiddleButton, {}, QPoint(5, 5));
      QCOMPARE(box->text(), QString("d 1"));
      QTest::keyClick(box, Qt::Key_Tab);
      QVERIFY2(!box->hasFocus(), qPrintable(name));
      QCOMPARE(box->text(), QString("d 1"));
      if (name.startsWith("frmCreate")) continue;
      QCOMPARE(QString::fromStdString(modPalette::moreInfo(desktop.session().store(), 1, name.endsWith('0') ? 1 : 2)), QString("d 1"));
      box->setFocus();
      QTRY_COMPARE(box->textCursor().selectedText(), QString("d 1"));
    }
    QCOMPARE(QString::fromStdString(desktop.session().project().dialog.note), QString("d 1"));
    // Text on the clipboard is pasted as plain text.
    QGuiApplication::clipboard()->setText("Ns 10");
    desktop.find<desktop::LongTextBox>("frmColor/txtMoreInfo1")->moveCursor(QTextCursor::End);
    QTest::keyClick(desktop.find<desktop::LongTextBox>("frmColor/txtMoreInfo1"), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(desktop.find<desktop::LongTextBox>("frmColor/txtMoreInfo1")->text(), QString("d 1Ns 10"));
  }

  void longTextsAreKeptWholeAndShownCut() {
    support::clsDesktop desktop(folder.filePath("user.ini"));
    desktop.showExposed();
    const std::string note(400000, 'n');
    desktop.session().edit([&] { modCreateDialog::setNote(desktop.session().project().dialog, note); });
    showBox(desktop, "frmCreate/txtNote");
    auto* box = desktop.find<desktop::LongTextBox>("frmCreate/txtNote");
    QVERIFY(box->isCut() && box->isReadOnly());
    QCOMPARE(box->toPlainText().size(), desktop::LongTextBox::kShownLimit);
    QCOMPARE(box->findChild<QLabel*>("lblCut")->text(),
             QString("Cut for display: 10,000 of 400,000 characters shown, the whole text is kept."));
    QVERIFY(box->findChild<QLabel*>("lblCut")->isVisible());
    // Leaving the box keeps the whole note.
    QTest::keyClick(box, Qt::Key_A);
    desktop.find<QWidget>("frmCreate/txtDiskSpace")->setFocus();
    QTRY_VERIFY(!box->hasFocus());
    QCOMPARE(desktop.session().project().dialog.note, note);

    // A box takes no more than it can show, typed or pasted.
    const std::string info(desktop::LongTextBox::kShownLimit - 2, 'i');
    desktop.session().edit([&] { modPalette::setMoreInfo(desktop.session().store(), 1, info); });
    showBox(desktop, "frmColor/txtMoreInfo0");
    auto* moreInfo = desktop.find<desktop::LongTextBox>("frmColor/txtMoreInfo0");
    QVERIFY(!moreInfo->isCut() && !moreInfo->findChild<QLabel*>("lblCut")->isVisible());
    moreInfo->moveCursor(QTextCursor::End);
    QGuiApplication::clipboard()->setText(QString(400000, 'p'));
    QTest::keyClick(moreInfo, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClicks(moreInfo, "xyz");
    QCOMPARE(moreInfo->text(), QString::fromStdString(info) + "pp");
  }

 private:
  QTemporaryDir folder;
};

QTEST_MAIN(RealDisplayTest)
#include "real_display_test.moc"
