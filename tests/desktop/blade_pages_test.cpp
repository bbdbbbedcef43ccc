// The curve, shape and size and rotation pages on real widgets: clicks and keys reach the
// store and the settings text.

#include "blade/curve_records.h"
#include "desktop/desktop_support.h"
#include "editors/frm_curve.h"

namespace {

std::string lineOf(support::clsDesktop& desktop, const std::string& start) {
  const std::string text = desktop.settings();
  const std::size_t at = text.find(start);
  return at == std::string::npos ? "" : text.substr(at, text.find("\r\n", at) - at);
}

}  // namespace

class BladePagesTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void curvePage() {
    support::clsDesktop desktop(folder.filePath("user.ini"));
    desktop.show();
    auto* view = desktop.find<QWidget>("picView");
    // A click away from every point moves the active (green) point there; Undo takes it back.
    const QPoint spot(view->width() / 2 + 60, view->height() / 4);
    QTest::mouseClick(view, Qt::LeftButton, {}, spot);
    const auto& green = modCurveRecords::curveOf(desktop.session().store(), 1).cp.v[2].p;
    const float scale = static_cast<float>(view->height() * 70 / 100);
    QCOMPARE(green.x, 60.0f / scale);
    QTest::keyClick(view, Qt::Key_Left);
    QCOMPARE(green.x, 59.0f / scale);
    support::typeInto(desktop.find<QWidget>("txtCPW2"), "2.5", true);
    QCOMPARE(modCurveRecords::curveOf(desktop.session().store(), 1).cp.v[1].w, 2.5f);
    QTest::mouseClick(desktop.find<QCheckBox>("chkUse4CP"), Qt::LeftButton);
    QVERIFY(desktop.find<QLineEdit>("txtCPW4")->isEnabled());
    QVERIFY(lineOf(desktop, "Curve 1 ").find(" 4 4 ") != std::string::npos);
    QTest::mouseClick(desktop.find<QPushButton>("lblOrigin0"), Qt::LeftButton);
    QVERIFY(lineOf(desktop, "Curve 1 ").ends_with(" 0 0 1"));
  }

  void shapePage() {
    support::clsDesktop desktop(folder.filePath("user.ini"));
    desktop.show();
    desktop.clickTab(1);
    QTest::mouseClick(desktop.find<QPushButton>("cmdNodeNum1"), Qt::LeftButton);
    QVERIFY(lineOf(desktop, "Shape 1 ").rfind("Shape 1 1 6 ", 0) == 0);
    QVERIFY(!lineOf(desktop, "Node_Wi 1 6 ").empty());
    auto* view = desktop.find<QWidget>("picWidth");
    // The active handle is node 5's right one; a click right of the centre sets its width.
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(view->width() / 2 + 20, 5));
    QVERIFY(lineOf(desktop, "Node_Wi 1 5 ") != "Node_Wi 1 5 0 0");
    QTest::mouseClick(desktop.find<QPushButton>("cmdEqual0"), Qt::LeftButton);
    QCOMPARE(QString::fromStdString(lineOf(desktop, "Node_Wi 1 1 ")).section(' ', 3),
             QString::fromStdString(lineOf(desktop, "Node_Wi 1 2 ")).section(' ', 3));
    // After Enter a box shows what was stored, its text selected for the next value.
    for (const auto& [name, typed, stored] : {std::tuple{"txtCompoundAngle", "500", "180"}, std::tuple{"txtVWi", "33.5", "34"}}) {
      auto* box = desktop.find<QLineEdit>(name);
      support::typeInto(box, typed, true);
      QCOMPARE(box->text(), QString(stored));
      QCOMPARE(box->selectedText(), QString(stored));
    }
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

 private:
  QTemporaryDir folder;
};

QTEST_MAIN(BladePagesTest)
#include "blade_pages_test.moc"
