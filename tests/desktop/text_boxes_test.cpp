// The free-text boxes (the note, both more-info boxes) on a real X display, where the clipboard
// can be empty: Ctrl+V and a middle click with nothing on the clipboard do nothing, and texts far
// longer than a box can lay out are kept whole in the store and shown cut, saying so.

#include <QClipboard>

#include "desktop/desktop_support.h"
#include "desktop/long_text_box.h"
#include "document/create_dialog.h"
#include "materials/palette.h"

namespace {

const QStringList kBoxes = {"frmCreate/txtNote", "frmColor/txtMoreInfo0", "frmColor/txtMoreInfo1"};

void showBox(support::clsDesktop& desktop, const QString& name) {
  QTest::mouseClick(desktop.find<QToolButton>(name.startsWith("frmCreate") ? "radTab6" : "radTab3"), Qt::LeftButton);
  auto* box = desktop.find<desktop::LongTextBox>(qPrintable(name));
  QApplication::setActiveWindow(&desktop.program->window());
  box->setFocus();
  QTRY_VERIFY(box->hasFocus());
}

}  // namespace

class TextBoxesTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
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

QTEST_MAIN(TextBoxesTest)
#include "text_boxes_test.moc"
