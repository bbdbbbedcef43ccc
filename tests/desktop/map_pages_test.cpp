// The colour, coverage and altitude pages on real widgets, and a field made from pictures that
// were loaded through them.

#include <QImage>

#include "desktop/desktop_support.h"
#include "materials/palette.h"
#include "support/obj_readback.h"

class MapPagesTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
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
    // A more-info text counts once its box is left.
    auto* info = desktop.find<QPlainTextEdit>("txtMoreInfo0");
    info->setFocus();
    QTest::keyClicks(info, "d 0.5");
    QCOMPARE(QString::fromStdString(modPalette::moreInfo(desktop.session().store(), 1, 1)), QString(""));
    desktop.find<QPushButton>("frmColor/cmdCopy")->setFocus();
    QCOMPARE(QString::fromStdString(modPalette::moreInfo(desktop.session().store(), 1, 1)), QString("d 0.5"));
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
    desktop.session().edit([&] {
      modCreateDialog::setFileName(desktop.session().project().dialog, folder.filePath("mapped").toStdString());
    });
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

 private:
  QTemporaryDir folder;
};

QTEST_MAIN(MapPagesTest)
#include "map_pages_test.moc"
