// The editor pages on real widgets: clicks and keys reach the store and the settings text, a
// field is made from pictures loaded through them, and typed text on every page: a box the user
// is not typing in always shows the stored value, so Undo is never reverted by a stale box; and
// whatever reads the store first applies the text being typed, once, as one Undo step.

#include <QImage>

#include "blade/curve_records.h"
#include "desktop/desktop_support.h"
#include "support/obj_readback.h"

namespace {

std::string lineOf(support::clsDesktop& desktop, const std::string& start) {
  const std::string text = desktop.settings();
  const std::size_t at = text.find(start);
  return at == std::string::npos ? "" : text.substr(at, text.find("\r\n", at) - at);
}

enum class Action { SaveKey, OtherTab, OtherElement, CopyButton, QuitKey, CloseWindow };

// shows: what the box shows after Enter, the stored value.
struct clsRow { int tab; const char* box; const char* typed; const char* shows; Action action; };

const clsRow kRows[] = {
    {0, "txtCPW2", "3", "3", Action::SaveKey},           {0, "txtVCP1", "7", "7", Action::OtherTab},
    {1, "txtCompoundAngle", "500", "180", Action::OtherElement}, {1, "txtCompoundSize", "44", "44", Action::QuitKey},
    {1, "txtVWi", "33.5", "34", Action::CloseWindow},    {3, "txtMoreInfo0", "Ns 33", "Ns 33", Action::QuitKey},
    {4, "txtCover0", "16", "16", Action::SaveKey},       {4, "txtItemNum", "55", "55", Action::OtherElement},
    {5, "txtMaxHi", "7", "7", Action::OtherTab},
    {6, "txtNote", "Curve tweaked by hand", "Curve tweaked by hand", Action::CopyButton},
    {6, "txtFileName", "field", "field.obj", Action::OtherTab}, {0, "txtLen", "2", "2", Action::CloseWindow},
};

QString shown(QWidget* box) {
  auto* line = qobject_cast<QLineEdit*>(box);
  return line != nullptr ? line->text() : qobject_cast<QPlainTextEdit*>(box)->toPlainText();
}

}  // namespace

class PagesTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void curvePage() {
    support::clsDesktop desktop(folder.filePath("user.ini"));
    desktop.show();
    auto* view = desktop.find<QWidget>("picView");
    // A click away from every point moves the active (green) point there, and so do the arrow keys.
    const QPoint spot(view->width() / 2 + 60, view->height() / 4);
    QTest::mouseClick(view, Qt::LeftButton, {}, spot);
    const auto& green = modCurveRecords::curveOf(desktop.session().store(), 1).cp.v[2].p;
    const float scale = static_cast<float>(view->height() * 70 / 100);
    QCOMPARE(green.x, 60.0f / scale);
    QTest::keyClick(view, Qt::Key_Left);
    QCOMPARE(green.x, 59.0f / scale);
    QTest::mouseClick(desktop.find<QCheckBox>("chkUse4CP"), Qt::LeftButton);
    QVERIFY(desktop.find<QLineEdit>("txtCPW4")->isEnabled());
    QTest::mouseClick(desktop.find<QPushButton>("lblOrigin0"), Qt::LeftButton);
    QVERIFY(lineOf(desktop, "Curve 1 ").ends_with(" 0 0 1"));
  }

  void shapePage() {
    support::clsDesktop desktop(folder.filePath("user.ini"));
    desktop.show();
    desktop.clickTab(1);
    QTest::mouseClick(desktop.find<QPushButton>("cmdNodeNum1"), Qt::LeftButton);
    QVERIFY(lineOf(desktop, "Shape 1 ").rfind("Shape 1 1 6 ", 0) == 0);
    auto* view = desktop.find<QWidget>("picWidth");
    // The active handle is node 5's right one; a click right of the centre sets its width.
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(view->width() / 2 + 20, 5));
    QVERIFY(lineOf(desktop, "Node_Wi 1 5 ") != "Node_Wi 1 5 0 0");
    QTest::mouseClick(desktop.find<QPushButton>("cmdEqual0"), Qt::LeftButton);
    QCOMPARE(QString::fromStdString(lineOf(desktop, "Node_Wi 1 1 ")).section(' ', 3),
             QString::fromStdString(lineOf(desktop, "Node_Wi 1 2 ")).section(' ', 3));
    // A rock hides the compound controls and shows "Smooth rock".
    QTest::mouseClick(desktop.find<QWidget>("radElement8"), Qt::LeftButton);
    QVERIFY(!desktop.find<QPushButton>("cmdCompoundNum0")->isVisible());
    QVERIFY(desktop.find<QCheckBox>("chkSmooth")->isVisible());
  }

  void sizeRotPage() {
    support::clsDesktop desktop(folder.filePath("user.ini"));
    desktop.show();
    desktop.clickTab(2);
    auto* spin = desktop.find<QScrollBar>("barSpin0");
    spin->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QVERIFY(lineOf(desktop, "Size_Rot 1 ").rfind("Size_Rot 1 20 331 ", 0) == 0);
    // Dragging the thumb through many values is one Undo step.
    auto* size = desktop.find<QScrollBar>("barVSize");
    const std::size_t steps = desktop.session().history.undo.size();
    support::dragThumb(size, 60);
    QVERIFY(size->value() > 40);
    QCOMPARE(desktop.find<QLabel>("lblVSize")->text(), QString("%1 %").arg(size->value()));
    QCOMPARE(desktop.session().history.undo.size(), steps + 1);
    QVERIFY(desktop.session().undo());
    QCOMPARE(size->value(), 20);
    QTest::mouseClick(desktop.find<QPushButton>("cmdMinNum11"), Qt::LeftButton);
    QVERIFY(lineOf(desktop, "Size_Rot 1 ").ends_with(" 2 2 0"));
    QTest::mouseClick(desktop.find<QWidget>("radElement9"), Qt::LeftButton);
    QVERIFY(!desktop.find<QScrollBar>("barTwist")->isVisible());
    QCOMPARE(desktop.find<QLabel>("frmSizeRot/lblMain5")->text(), QString("Min rocks/clump"));
  }

  void colourPage() {
    support::clsDesktop desktop(folder.filePath("user.ini"));
    desktop.show();
    desktop.clickTab(3);
    auto* pool = desktop.find<QWidget>("picMain");
    QVERIFY(pool->toolTip().startsWith("Pool of 10 colors"));
    desktop.find<QScrollBar>("barTransition0")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QVERIFY(pool->toolTip().startsWith("Pool of 11 colors"));
    // The transit bars' thumbs can be taken and dragged.
    auto* transit = desktop.find<QScrollBar>("barTransition1");
    support::dragThumb(transit, 30);
    QVERIFY2(transit->value() > 2, qPrintable(QString::number(transit->value())));
    QCOMPARE(desktop.find<QLabel>("lblTransition1")->text(), QString::number(transit->value()));
    desktop.fakeDialogs.colour = 255;  // pure red as specular of colour 2
    QTest::mouseClick(desktop.find<QPushButton>("lblSpecular1"), Qt::LeftButton);
    QCOMPARE(QString::fromStdString(desktop.fakeDialogs.colourPrompts.back()), QString("Choose specular color"));
    QVERIFY(desktop.settings().find("Material 1 0 0 17408 15360 17920 3 24320 15360 255 ") !=
            std::string::npos);
  }

  void coveragePageAndAFieldFromPictures() {
    support::clsDesktop desktop(folder.filePath("user.ini"), 3);
    desktop.show();
    QImage half(100, 100, QImage::Format_RGB32);
    half.fill(Qt::black);
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 50; ++x) half.setPixel(x, y, qRgb(255, 255, 255));
    QImage white(20, 20, QImage::Format_RGB32);
    white.fill(Qt::white);
    QVERIFY(half.save(folder.filePath("half.png")));
    QVERIFY(white.save(folder.filePath("white.png")));

    desktop.clickTab(4);
    desktop.fakeDialogs.answers = {folder.filePath("half.png").toStdString()};
    QTest::mouseClick(desktop.find<QPushButton>("frmAlpha/cmdLoad"), Qt::LeftButton);
    // Only formats this build reads are offered.
    const QString caption = QString::fromStdString(desktop.fakeDialogs.asked.back().filters[0].caption);
    QVERIFY2(caption.startsWith("Pictures (*.jpg, *.jpe, *.gif, *.bmp, *.png") && !caption.contains("wmf"), qPrintable(caption));
    QCOMPARE(desktop.find<QLabel>("frmAlpha/lblFileName")->text(), folder.filePath("half.png"));
    QVERIFY(desktop.find<QWidget>("frmAlpha/picAlphaBeta")->toolTip().startsWith("100x100 - fennets grow"));
    // A click on the black half picks black; Clear pick shows "No pick" again.
    auto* frame = desktop.find<QWidget>("frmAlpha/picAlphaBeta");
    QTest::mouseClick(frame, Qt::LeftButton, {}, QPoint(80, 20));
    QCOMPARE(desktop.find<QLabel>("lblPickColor")->text(), QString(""));
    QTest::mouseClick(desktop.find<QPushButton>("cmdClearPick"), Qt::LeftButton);
    QCOMPARE(desktop.find<QLabel>("lblPickColor")->text(), QString("No pick"));
    for (const char* cover : {"txtCover0", "txtCover1"}) support::typeInto(desktop.find<QWidget>(cover), "20", true);

    desktop.clickTab(5);
    desktop.fakeDialogs.answers = {folder.filePath("white.png").toStdString()};
    QTest::mouseClick(desktop.find<QPushButton>("frmBump/cmdLoad"), Qt::LeftButton);
    QVERIFY(!desktop.find<QScrollBar>("frmBump/barH")->isEnabled());

    desktop.clickTab(6);
    desktop.setOutput(folder.filePath("mapped"));
    QTest::mouseClick(desktop.find<QPushButton>("cmdSaveObj"), Qt::LeftButton);
    QVERIFY(desktop.window().windowTitle().startsWith("Quenmoor Grass - Done - 100%"));
    const support::clsReadBack read = support::readObjFile(folder.filePath("mapped.obj").toStdString());
    QVERIFY(read.valid);
    QCOMPARE(read.vertices, std::size_t{10000});
    for (std::size_t i = 0; i < read.vertices; ++i) {
      // Every blade stands on the white half (x below 10 of 20), lifted to the height of 10.
      QVERIFY(read.attrib.vertices[3 * i] < 11.5f);
      QVERIFY(read.attrib.vertices[3 * i + 1] > 9.9f);
    }
  }

  // Drops on the coverage frame, delivered as the window system delivers them: to the window at
  // the frame's place. A picture is loaded, a settings file opens as settings, a folder is refused.
  void dropsOnTheCoverageFrame() {
    support::clsDesktop desktop(folder.filePath("user.ini"));
    desktop.show();
    desktop.clickTab(4);
    QImage white(20, 20, QImage::Format_RGB32);
    white.fill(Qt::white);
    QVERIFY(white.save(folder.filePath("drop.png")));
    support::writeFile(folder.filePath("dropped.grass"), "Usage 4 1 dropped\r\n");
    support::writeFile(folder.filePath("bad.grass"), "Usage 4\r\n");
    auto* frame = desktop.find<QWidget>("frmAlpha/picAlphaBeta");
    const QPoint at = frame->mapTo(&desktop.window(), frame->rect().center());
    const auto drop = [&](const QString& path) { return support::dropFile(desktop.window().windowHandle(), at, path); };
    const auto path = [&] { return desktop.find<QLabel>("frmAlpha/lblFileName")->text(); };
    QVERIFY(drop(folder.filePath("drop.png")));
    QTRY_COMPARE(path(), folder.filePath("drop.png"));
    QVERIFY(!drop(folder.path()));
    QCOMPARE(path(), folder.filePath("drop.png"));
    QVERIFY(drop(folder.filePath("bad.grass")));
    QVERIFY(desktop.messages.shown.empty());  // not while the file manager waits for the drop
    QTRY_COMPARE(desktop.messages.shown.size(), std::size_t{1});
    QCOMPARE(path(), folder.filePath("drop.png"));
    QVERIFY(drop(folder.filePath("dropped.grass")));
    QTRY_COMPARE(desktop.window().windowTitle(), QString("Quenmoor Grass - Open settings done"));
    QVERIFY(desktop.find<QCheckBox>("chkUse4")->isChecked());
  }

  // Tab walks every page's controls once each as they are read: never back up to a row above,
  // nor left within a row.
  void tabFollowsTheReadingOrderOnEveryPage() {
    support::clsDesktop desktop(folder.filePath("user.ini"));
    desktop.show();
    for (int tab = 0; tab < 7; ++tab) {
      desktop.clickTab(tab);
      auto* page = desktop.find<QWidget>(support::kPageNames[tab]);
      const auto takes = [&](QWidget* w) {
        return w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) && page->isAncestorOf(w);
      };
      QWidget* first = page->nextInFocusChain();
      while (!takes(first)) first = first->nextInFocusChain();
      first->setFocus(Qt::TabFocusReason);
      QWidgetList walked;
      for (QWidget* w = first; takes(w) && !walked.contains(w); w = QApplication::focusWidget()) {
        if (!walked.empty()) {
          const QWidget* before = walked.back();
          const QRect a(before->mapTo(page, QPoint(0, 0)), before->size());
          const QRect b(w->mapTo(page, QPoint(0, 0)), w->size());
          // Rectangles that only touch are beside each other, not one above the other.
          const bool above = b.y() + b.height() < a.y();
          const bool sameRow = b.y() < a.y() + a.height() && a.y() < b.y() + b.height();
          const bool back = above || (sameRow && b.x() + b.width() <= a.x());
          QVERIFY2(!back, qPrintable(QString("%1: %2 -> %3").arg(support::kPageNames[tab], before->objectName(), w->objectName())));
        }
        walked << w;
        QTest::keyClick(w, Qt::Key_Tab);
      }
      for (QWidget* w : page->findChildren<QWidget*>())
        QVERIFY2(!takes(w) || walked.contains(w), qPrintable(QString("%1: %2 skipped").arg(support::kPageNames[tab], w->objectName())));
    }
  }

  void undoIsNeverRevertedByABoxAndEveryActionAppliesTheTypedTextFirst() {
    for (const clsRow& row : kRows) {
      support::clsDesktop desktop(folder.filePath("user.ini"));
      desktop.show();
      desktop.clickTab(row.tab);
      QWidget* edit = desktop.find<QWidget>(row.box);
      const std::string before = desktop.settings();
      const QString oldShown = shown(edit);
      support::typeInto(edit, row.typed);
      QVERIFY2(desktop.settings() == before, row.box);  // nothing counts while the box is typed in
      if (qobject_cast<QLineEdit*>(edit) != nullptr) QTest::keyClick(edit, Qt::Key_Return);
      else desktop.find<QToolButton>("radTab6")->setFocus();  // a text of many lines counts when left
      const std::string typed = desktop.settings();
      const QString typedShown = shown(edit);
      QCOMPARE(typedShown, QString(row.shows));
      if (auto* line = qobject_cast<QLineEdit*>(edit)) QCOMPARE(line->selectedText(), typedShown);  // for the next value
      QVERIFY2(typed != before, row.box);
      edit->setFocus();
      QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);  // Undo with the focus in the box
      QCOMPARE(shown(edit), oldShown);
      // Leaving the box, or clicking a button of its page, keeps the Undo.
      desktop.find<QRadioButton>("radElement1")->setFocus();
      QVERIFY2(desktop.settings() == before, row.box);
      QTest::keyClick(&desktop.window(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
      QVERIFY2(desktop.settings() == typed, row.box);
      QCOMPARE(shown(edit), typedShown);

      // Typed again without Enter, the action applies it first: the text Enter gave.
      QTest::keyClick(&desktop.window(), Qt::Key_Z, Qt::ControlModifier);
      QVERIFY2(desktop.settings() == before, row.box);
      const std::size_t steps = desktop.session().history.undo.size();
      support::typeInto(edit, row.typed);
      switch (row.action) {
        case Action::SaveKey: QTest::keyClick(edit, Qt::Key_S, Qt::ControlModifier); break;
        case Action::OtherTab: desktop.clickTab(row.tab == 2 ? 3 : 2); break;
        case Action::OtherElement: QTest::mouseClick(desktop.find<QRadioButton>("radElement2"), Qt::LeftButton); break;
        case Action::CopyButton: QTest::mouseClick(desktop.find<QPushButton>("cmdCopySettings"), Qt::LeftButton); break;
        case Action::QuitKey: QTest::keyClick(edit, Qt::Key_Q, Qt::ControlModifier); break;
        case Action::CloseWindow: desktop.window().close(); break;
      }
      QVERIFY2(desktop.settings() == typed, row.box);
      QVERIFY2(desktop.session().history.undo.size() >= steps + 1, row.box);
      if (row.action == Action::CopyButton)
        QCOMPARE(QString::fromStdString(desktop.clipboard.content), QString::fromStdString(typed));
    }
  }

 private:
  QTemporaryDir folder;
};

QTEST_MAIN(PagesTest)
#include "pages_test.moc"
