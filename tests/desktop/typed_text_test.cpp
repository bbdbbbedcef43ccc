// Typed text on every page: a box the user is not typing in always shows the stored value, so
// Undo is never reverted by a stale box; and whatever reads the store first applies the text
// being typed, once, as one Undo step.

#include "desktop/desktop_support.h"

namespace {

enum class Action { SaveKey, OtherTab, OtherElement, CopyButton, QuitKey, CloseWindow };

struct clsRow {
  int tab;
  const char* box;
  const char* typed;
  Action action;
};

const clsRow kRows[] = {
    {0, "txtCPW2", "3", Action::SaveKey},         {0, "txtVCP1", "7", Action::OtherTab},
    {1, "txtCompoundAngle", "33", Action::OtherElement}, {1, "txtCompoundSize", "44", Action::QuitKey},
    {1, "txtVWi", "12", Action::CloseWindow},     {3, "txtMoreInfo0", "Ns 33", Action::QuitKey},
    {4, "txtCover0", "16", Action::SaveKey},      {4, "txtItemNum", "55", Action::OtherElement},
    {5, "txtMaxHi", "7", Action::OtherTab},       {6, "txtNote", "Curve tweaked by hand", Action::CopyButton},
    {6, "txtFileName", "field", Action::OtherTab}, {0, "txtLen", "2", Action::CloseWindow},
};

using support::typeInto;

QString shown(QWidget* box) {
  if (auto* line = qobject_cast<QLineEdit*>(box)) return line->text();
  return qobject_cast<QPlainTextEdit*>(box)->toPlainText();
}

}  // namespace

class TypedTextTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void undoIsNeverRevertedByABox() {
    for (const clsRow& row : kRows) {
      support::clsDesktop desktop(folder.filePath("user.ini"));
      desktop.show();
      desktop.clickTab(row.tab);
      QWidget* edit = desktop.find<QWidget>(row.box);
      const std::string before = desktop.settings();
      const QString oldShown = shown(edit);
      typeInto(edit, row.typed);
      if (qobject_cast<QLineEdit*>(edit) != nullptr) QTest::keyClick(edit, Qt::Key_Return);
      else desktop.find<QToolButton>("radTab6")->setFocus();  // a text of many lines counts when left
      const std::string typed = desktop.settings();
      const QString typedShown = shown(edit);
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
    }
  }

  void everyActionAppliesTheTypedTextFirst() {
    for (const clsRow& row : kRows) {
      // The text a user gets by pressing Enter (or leaving the box).
      std::string expected;
      {
        support::clsDesktop desktop(folder.filePath("user.ini"));
        desktop.show();
        desktop.clickTab(row.tab);
        typeInto(desktop.find<QWidget>(row.box), row.typed);
        desktop.find<QRadioButton>("radElement1")->setFocus();
        expected = desktop.settings();
      }
      support::clsDesktop desktop(folder.filePath("user.ini"));
      desktop.show();
      desktop.clickTab(row.tab);
      const std::size_t steps = desktop.session().history.undo.size();
      QWidget* edit = desktop.find<QWidget>(row.box);
      typeInto(edit, row.typed);
      switch (row.action) {
        case Action::SaveKey: QTest::keyClick(edit, Qt::Key_S, Qt::ControlModifier); break;
        case Action::OtherTab:
          QTest::mouseClick(desktop.find<QToolButton>(row.tab == 2 ? "radTab3" : "radTab2"), Qt::LeftButton);
          break;
        case Action::OtherElement: QTest::mouseClick(desktop.find<QRadioButton>("radElement2"), Qt::LeftButton); break;
        case Action::CopyButton: QTest::mouseClick(desktop.find<QPushButton>("cmdCopySettings"), Qt::LeftButton); break;
        case Action::QuitKey: QTest::keyClick(edit, Qt::Key_Q, Qt::ControlModifier); break;
        case Action::CloseWindow: desktop.window().close(); break;
      }
      QVERIFY2(desktop.settings() == expected, row.box);
      QVERIFY2(desktop.session().history.undo.size() >= steps + 1, row.box);
      if (row.action == Action::CopyButton)
        QCOMPARE(QString::fromStdString(desktop.clipboard.content), QString::fromStdString(expected));
    }
  }

 private:
  QTemporaryDir folder;
};

QTEST_MAIN(TypedTextTest)
#include "typed_text_test.moc"
