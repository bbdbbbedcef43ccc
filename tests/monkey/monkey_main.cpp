// The GUI monkey: the desktop program, put together as its main does (Qt's message boxes, file and
// colour dialogs, clipboard and per-user store), driven by a seeded random sequence of mouse,
// wheel and key events sent through Qt's event delivery to the real widgets, found anew before
// each event by walking the visible windows: every tab, box, button, view, menu and dialog.
// Dialogs and menus are answered or dismissed as they come.
//
// A watchdog thread fails the run when no event has been sent for 10 s (the window stops
// answering, or the run stalls) or the memory passes a bound; a crash or a sanitizer report
// ends the process. Every event is written to the log before it is sent, and a failure found
// here prints the seed and the last 50 events.
//
// quenmoor-grass-monkey --seed N [--seconds S] [--events E] [--log FILE] [--max-mb M]

#include <QtTest/QtTest>
#include <QtWidgets>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <deque>
#include <mutex>
#include <random>
#include <thread>
#include <unistd.h>

#include "desktop/desktop_platform.h"
#include "desktop/desktop_program.h"

namespace {

constexpr int kHangSeconds = 10;
constexpr std::size_t kKeptEvents = 50;

struct clsOptions {
  std::uint64_t seed;
  double seconds;
  long events;  // -1: no bound but time
  QString log;
  long maxMB;
};

// The last events, for the report, and the heartbeat the watchdog watches.
class clsJournal {
 public:
  explicit clsJournal(const QString& path) {
    if (!path.isEmpty()) file_ = std::fopen(path.toLocal8Bit().constData(), "w");
    if (file_ != nullptr) std::setvbuf(file_, nullptr, _IONBF, 0);  // each line on disk before its event is sent
  }
  void add(const std::string& line) {
    if (file_ != nullptr) std::fputs((line + "\n").c_str(), file_);
    const std::lock_guard<std::mutex> hold(mutex_);
    last_.push_back(line);
    if (last_.size() > kKeptEvents) last_.pop_front();
  }
  void report(std::uint64_t seed, const char* why) {
    const std::lock_guard<std::mutex> hold(mutex_);
    std::fprintf(stderr, "MONKEY FAILED: %s\nseed %llu; the last %zu events:\n", why,
                 static_cast<unsigned long long>(seed), last_.size());
    for (const std::string& line : last_) std::fprintf(stderr, "  %s\n", line.c_str());
    std::fflush(stderr);
  }
  std::atomic<std::int64_t> beat{0};

 private:
  std::mutex mutex_;
  std::deque<std::string> last_;
  std::FILE* file_ = nullptr;
};

long residentMB() {
  QFile statm("/proc/self/statm");
  const QList<QByteArray> fields = statm.open(QIODevice::ReadOnly) ? statm.readAll().split(' ') : QList<QByteArray>();
  return fields.size() < 2 ? 0 : fields[1].toLong() * sysconf(_SC_PAGESIZE) / (1024 * 1024);
}

std::int64_t nowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

QString nameOf(const QWidget* widget) {
  QStringList parts;
  for (const QObject* at = widget; at != nullptr && parts.size() < 3; at = at->parent())
    if (!at->objectName().isEmpty() && !at->objectName().startsWith("qt_")) parts.prepend(at->objectName());
  return QString("%1[%2]").arg(parts.join('/'), widget->metaObject()->className());
}

class clsMonkey {
 public:
  // start (re)starts the program and returns its window.
  clsMonkey(const clsOptions& options, clsJournal& journal, std::function<QMainWindow*()> start)
      : options_(options), journal_(journal), start_(std::move(start)), random_(options.seed) {
    window_ = start_();
    clock_.start();
  }

  // One step: an event, or the next step of ending the run.
  // A dialog or menu that an event opens runs its own event loop, in which the next steps run.
  void step() {
    if (!window_ || !window_->isVisible()) {
      // The run closed the window (Quit): the program starts again, as a user would start it,
      // once no dialog of the old one is on the stack; a dialog left open is ended first. A step
      // that sends nothing is no sign of life: the watchdog sees only events sent.
      if (finishing()) {
        QApplication::quit();
      } else if (depth_ == 0) {
        log("the window closed: the program starts again");
        window_ = start_();
      } else if (QWidget* left = openAfterClose()) {
        ++depth_;
        dismiss(left);
        --depth_;
      }
      return;
    }
    ++count_;
    ++depth_;
    if (finishing()) finish();
    else if (depth_ > 6) dismiss(scope());
    else act();
    --depth_;
  }

 private:
  bool finishing() const {
    return clock_.elapsed() > options_.seconds * 1000 || (options_.events >= 0 && count_ > options_.events);
  }

  int below(int n) { return n <= 0 ? 0 : static_cast<int>(random_() % static_cast<std::uint64_t>(n)); }
  template <class List>
  auto& oneOf(const List& list) { return list[below(static_cast<int>(std::size(list)))]; }
  bool chance(int percent) { return below(100) < percent; }

  // Every event is logged just before it is sent, which is the heartbeat the watchdog watches.
  void log(const QString& text) {
    journal_.beat = nowMs();
    journal_.add(QString("#%1 %2").arg(count_).arg(text).toStdString());
  }

  // A menu or dialog still open once the window has closed.
  static QWidget* openAfterClose() {
    if (QWidget* popup = QApplication::activePopupWidget()) return popup;
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    for (QWidget* top : QApplication::topLevelWidgets())
      if (top->isVisible() && (qobject_cast<QDialog*>(top) != nullptr || qobject_cast<QMenu*>(top) != nullptr)) return top;
    return nullptr;
  }

  // What a user could type into a box: numbers small and large up to the extremes of a single
  // and a double, edge values, words, blanks, long texts.
  QString value() {
    static const std::array<const char*, 16> kExtremes = {
        "0", "-0", "3.4E+38", "-3.4E+38", "3.5E+38", "1.7976931348623157E+308", "1E+400", "1E-45",
        "1e-30", "2147483647", "2147483648", "-2147483649", "65536", "-32769", "nan", "inf"};
    switch (below(12)) {
      case 0: return oneOf(kExtremes);
      case 1: return QString::number(-below(1000));
      case 2: return QString::number((static_cast<double>(below(2000001)) - 1000000.0) / (1 + below(1000)), 'g', 7);
      case 3: return "abc";
      case 4: return "";
      case 5: return ".5";
      case 6: return QString::number(std::ldexp(1.0, below(129)) * (chance(50) ? 1 : -1), 'g', 9);
      case 7: return QString(10000, QChar('0' + below(10)));
      case 8: return " 1 2 ";
      case 9: return QString(1 + below(300), QChar('a' + below(26)));
      case 10: return chance(50) ? "1E+6" : "-1E+6";
      default: return QString::number(below(100));
    }
  }

  // Long or empty clipboard contents, pasted rather than typed.
  void fillClipboard() {
    const int kind = below(5);
    const QString text = kind == 1 ? QString(10000, 'x') : kind == 2 ? QString(400000, 'y')
                         : kind == 3 ? "Usage 3 1 pasted\r\nCurve 1 5 5 0 3 3 0 0 1 0 .5 1 .2 .8 1 0 0 0"
                         : kind == 4 ? value() : QString();
    if (kind == 0) QGuiApplication::clipboard()->clear();
    else QGuiApplication::clipboard()->setText(text);
    log(QStringList{"clipboard cleared", "clipboard 10000 x", "clipboard 400000 y", "clipboard settings",
                    "clipboard value"}[kind]);
  }

  QWidget* scope() {
    if (QWidget* popup = QApplication::activePopupWidget()) return popup;
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return window_;
  }

  // Visible, enabled widgets under root, and the floating windows of the main window.
  QList<QWidget*> targets(QWidget* root) {
    QList<QWidget*> found;
    const auto add = [&](QWidget* top) {
      for (QWidget* widget : top->findChildren<QWidget*>())
        if (widget->isVisible() && widget->isEnabled() && widget->width() > 1 && widget->height() > 1) found << widget;
    };
    add(root);
    if (root == window_)
      for (QDockWidget* dock : window_->findChildren<QDockWidget*>())
        if (dock->isFloating() && dock->isVisible()) add(dock);
    return found;
  }

  QPoint somewhere(QWidget* widget) { return {below(widget->width()), below(widget->height())}; }

  // Ends an open dialog or menu as a user would: Escape, a button, or closing it.
  void dismiss(QWidget* top) {
    if (auto* box = qobject_cast<QMessageBox*>(top); box != nullptr && !box->buttons().isEmpty()) {
      QAbstractButton* button = oneOf(box->buttons());
      // Ending the run: never Yes to saving on close, which would ask for a file name again.
      if (finishing() && box->button(QMessageBox::No) != nullptr) button = box->button(QMessageBox::No);
      log("answer " + button->text() + " to " + nameOf(box));
      QTest::mouseClick(button, Qt::LeftButton);
      return;
    }
    if (auto* dialog = qobject_cast<QDialog*>(top); dialog != nullptr && chance(50)) {
      log("reject " + nameOf(dialog));
      dialog->reject();
      return;
    }
    log("Escape to " + nameOf(top));
    QTest::keyClick(top, Qt::Key_Escape);
  }

  void act() {
    QWidget* root = scope();
    openFor_ = root == window_ ? 0 : openFor_ + 1;
    if (openFor_ > 0 && (openFor_ > 12 || chance(25))) {
      openFor_ = 0;
      dismiss(root);
      return;
    }
    const QList<QWidget*> all = targets(root);
    QWidget* target = all.isEmpty() ? root : oneOf(all);
    const QPointer<QWidget> alive = target;
    const QPoint at = somewhere(target);
    const int kind = below(100);
    if (kind < 35) {
      log(QString("click %1 at %2,%3").arg(nameOf(target)).arg(at.x()).arg(at.y()));
      QTest::mouseClick(target, Qt::LeftButton, {}, at);
    } else if (kind < 40) {
      log(QString("double click %1").arg(nameOf(target)));
      QTest::mouseDClick(target, Qt::LeftButton, {}, at);
    } else if (kind < 44) {
      const Qt::MouseButton button = chance(50) ? Qt::RightButton : Qt::MiddleButton;
      log(QString("%1 click %2").arg(button == Qt::RightButton ? "right" : "middle", nameOf(target)));
      QTest::mouseClick(target, button, {}, at);
    } else if (kind < 54) {
      const QPoint to = somewhere(target);
      log(QString("drag %1 from %2,%3 to %4,%5").arg(nameOf(target)).arg(at.x()).arg(at.y()).arg(to.x()).arg(to.y()));
      QTest::mousePress(target, Qt::LeftButton, {}, at);
      for (int i = 1; i <= 4 && alive; ++i) QTest::mouseMove(target, at + (to - at) * i / 4);
      if (alive) QTest::mouseRelease(target, Qt::LeftButton, {}, to);
    } else if (kind < 60) {
      const int delta = (chance(50) ? 120 : -120) * (1 + below(3));
      log(QString("wheel %1 by %2").arg(nameOf(target)).arg(delta));
      QWheelEvent wheel(QPointF(at), QPointF(target->mapToGlobal(at)), {}, {0, delta}, Qt::NoButton, {},
                        Qt::NoScrollPhase, false);
      QApplication::sendEvent(target, &wheel);
    } else if (kind < 75) {
      type(target);
    } else if (kind < 85) {
      key();
    } else if (kind < 90) {
      fillClipboard();
      QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : target;
      log("Ctrl+V into " + nameOf(focus));
      QTest::keyClick(focus, Qt::Key_V, Qt::ControlModifier);
    } else {
      menu();
    }
  }

  // A value typed into a box (focused first), then Enter, Tab or nothing.
  void type(QWidget* target) {
    QList<QWidget*> boxes;
    for (QWidget* widget : targets(scope()))
      if (qobject_cast<QLineEdit*>(widget) || qobject_cast<QPlainTextEdit*>(widget)) boxes << widget;
    if (!boxes.isEmpty()) target = oneOf(boxes);
    QString text = value();
    // The disk-space limit stays small, so that a creation run ends within seconds.
    if (target->objectName() == "txtDiskSpace") text = QString::number(below(4));
    log(QString("type \"%1\" into %2").arg(text.left(40)).arg(nameOf(target)));
    const QPointer<QWidget> alive = target;
    target->setFocus(Qt::MouseFocusReason);
    if (chance(50)) QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    if (!alive) return;
    // A long text arrives as a user brings it: pasted, not typed key by key.
    if (text.size() > 1000) {
      QGuiApplication::clipboard()->setText(text);
      QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
    } else {
      QTest::keyClicks(target, text);
    }
    if (!alive) return;
    if (const int end = below(3); end < 2) QTest::keyClick(target, end == 0 ? Qt::Key_Return : Qt::Key_Tab);
  }

  // A key as a user presses it on whatever has the focus, shortcuts included (Quit is reached
  // through the menu).
  void key() {
    static const std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> kKeys = {
        {Qt::Key_Z, Qt::ControlModifier}, {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier},
        {Qt::Key_C, Qt::ControlModifier}, {Qt::Key_A, Qt::ControlModifier},
        {Qt::Key_S, Qt::ControlModifier}, {Qt::Key_O, Qt::ControlModifier},
        {Qt::Key_F1, {}}, {Qt::Key_Tab, {}}, {Qt::Key_Backtab, Qt::ShiftModifier}, {Qt::Key_Return, {}},
        {Qt::Key_Escape, {}}, {Qt::Key_Space, {}}, {Qt::Key_Delete, {}}, {Qt::Key_Backspace, {}},
        {Qt::Key_Left, {}}, {Qt::Key_Right, {}}, {Qt::Key_Up, {}}, {Qt::Key_Down, {}},
        {Qt::Key_PageUp, {}}, {Qt::Key_PageDown, {}}, {Qt::Key_Home, {}}, {Qt::Key_End, {}},
        {Qt::Key_Plus, {}}, {Qt::Key_Minus, {}}, {Qt::Key_5, {}}, {Qt::Key_E, {}},
        {Qt::Key_F, Qt::AltModifier}, {Qt::Key_E, Qt::AltModifier}, {Qt::Key_V, Qt::AltModifier}};
    const auto& [code, modifiers] = oneOf(kKeys);
    QWidget* focus = QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : scope();
    log(QString("key %1 modifiers %2 to %3").arg(QKeySequence(code).toString()).arg(int(modifiers)).arg(nameOf(focus)));
    QTest::keyClick(focus, code, modifiers);
  }

  // A menu of the menu bar opened by a click on its title; the next events act in it.
  void menu() {
    QMenuBar* bar = window_->menuBar();
    const QList<QAction*> actions = bar->actions();
    if (actions.isEmpty()) return;
    QAction* action = oneOf(actions);
    log("menu " + action->text());
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(action).center());
  }

  // The run is over: dialogs and menus go, a creation run is cancelled, the window closes
  // (answering No to saving), and with it the program.
  void finish() {
    if (QWidget* root = scope(); root != window_) {
      dismiss(root);
    } else if (window_ && window_->isVisible()) {
      log("close the window");
      window_->close();
    }
  }

  const clsOptions& options_;
  clsJournal& journal_;
  std::function<QMainWindow*()> start_;
  QPointer<QMainWindow> window_;
  std::mt19937_64 random_;
  QElapsedTimer clock_;
  long count_ = 0;
  int openFor_ = 0;
  int depth_ = 0;
};

clsOptions readOptions(const QStringList& arguments) {
  const auto option = [&](const char* name, const char* otherwise) {
    const qsizetype at = arguments.indexOf(name);
    return at > 0 && at + 1 < arguments.size() ? arguments[at + 1] : QString(otherwise);
  };
  return {option("--seed", "1").toULongLong(), option("--seconds", "120").toDouble(), option("--events", "-1").toLong(),
          option("--log", ""), option("--max-mb", "4000").toLong()};
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Quenmoor Grass");
  QApplication::setOrganizationName("Quenmoor Grass");
  const clsOptions options = readOptions(QApplication::arguments());
  clsJournal journal(options.log);
  std::fprintf(stderr, "monkey: seed %llu, %g s\n", static_cast<unsigned long long>(options.seed), options.seconds);

  desktop::DesktopPlatform machine;
  machine.fileDialogs.setReadOnly(true);

  std::unique_ptr<desktop::DesktopProgram> program;
  std::uint64_t starts = 0;
  const auto start = [&]() -> QMainWindow* {
    journal.beat = nowMs();
    program.reset();
    program = std::make_unique<desktop::DesktopProgram>(machine.platform, machine.dialogs, options.seed + starts++,
                                                        &machine.recovery);
    desktop::MainWindow& window = program->window();
    machine.attach(&window);
    window.show();
    journal.beat = nowMs();
    return &window;
  };
  QApplication::setQuitOnLastWindowClosed(false);

  journal.beat = nowMs();
  std::atomic<bool> done{false};
  std::thread watchdog([&] {
    while (!done) {
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
      if (nowMs() - journal.beat > kHangSeconds * 1000) {
        journal.report(options.seed, "no event was sent for 10 s: the window did not answer, or the run stalled");
        // Under a debugger, an abort shows where the window stands.
        if (qEnvironmentVariableIsSet("QUENMOOR_MONKEY_ABORT")) std::abort();
        std::_Exit(3);
      }
      if (const long mb = residentMB(); mb > options.maxMB) {
        journal.report(options.seed, qPrintable(QString("memory use %1 MB passed the bound of %2 MB").arg(mb).arg(options.maxMB)));
        std::_Exit(4);
      }
    }
  });

  clsMonkey monkey(options, journal, start);
  QTimer steps;
  // Qt does not fire a timer again while its own slot runs: each step runs from a timer of its
  // own, so that the steps go on inside the event loop of a dialog a step opened.
  QObject::connect(&steps, &QTimer::timeout, [&] { QTimer::singleShot(0, &steps, [&] { monkey.step(); }); });
  steps.start(5);
  const int code = QApplication::exec();
  program.reset();
  done = true;
  watchdog.join();
  std::fprintf(stderr, "monkey: seed %llu passed\n", static_cast<unsigned long long>(options.seed));
  return code;
}
