// Quenmoor Grass: the desktop program.

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <cstdio>
#include <exception>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "desktop/command_line.h"
#include "desktop/desktop_platform.h"
#include "desktop/desktop_program.h"
#include "desktop/termination_signals.h"
#include "document/create_dialog.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

std::vector<std::string> argumentsOf(const QStringList& list) {
  std::vector<std::string> arguments;
  for (qsizetype i = 1; i < list.size(); ++i) arguments.push_back(list[i].toStdString());
  return arguments;
}

// --help and --version are answered without a window, so they work without a display too;
// anything else returns -1.
int answerWithoutWindow(int argc, char** argv) {
  bool asks = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    asks = asks || argument == "--help" || argument == "-h" || argument == "--version";
  }
  if (!asks) return -1;
  QCoreApplication core(argc, argv);
  const desktop::clsCommandLine line = desktop::modCommandLine::parse(argumentsOf(QCoreApplication::arguments()));
  // A wrong line may hold Qt's own options, which only the window's start-up takes away.
  if (line.action == desktop::clsCommandLine::Action::Run || line.action == desktop::clsCommandLine::Action::Fail)
    return -1;
  const std::string text =
      line.action == desktop::clsCommandLine::Action::Version
          ? "quenmoor-grass " + std::string(generation::kApplicationVersion) + "\n"
          : desktop::modCommandLine::usageText(
                desktop::modCommandLine::helpFolder(QCoreApplication::applicationDirPath().toStdString()));
  return std::fputs(text.c_str(), stdout) >= 0 && std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (const int answered = answerWithoutWindow(argc, argv); answered >= 0) return answered;
#ifdef __GLIBC__
  // A software renderer of the 3D view frees its per-frame memory and touches it afresh each
  // frame; when the allocator hands that back to the system every time, a frame takes four
  // times as long.
  mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
#endif
  QApplication application(argc, argv);
  QApplication::setApplicationName("Quenmoor Grass");
  QApplication::setOrganizationName("Quenmoor Grass");
  // The menu entry's name: Wayland shows the entry's icon for the window.
  QGuiApplication::setDesktopFileName("org.quenmoor.Grass");
  QIcon icon;
  for (const int size : {16, 32, 48, 64, 128, 256})
    icon.addFile(QString(":/icons/org.quenmoor.Grass-%1.png").arg(size), QSize(size, size));
  QApplication::setWindowIcon(icon);
  // Qt has taken its own options (-platform, -style ...); what is left is ours.
  const desktop::clsCommandLine line = desktop::modCommandLine::parse(argumentsOf(QApplication::arguments()));
  if (line.action == desktop::clsCommandLine::Action::Fail) {
    std::fprintf(stderr, "quenmoor-grass: %s\n%s", line.error.c_str(),
                 desktop::modCommandLine::usageText(
                     desktop::modCommandLine::helpFolder(QCoreApplication::applicationDirPath().toStdString()))
                     .c_str());
    return 1;
  }
  try {
    desktop::DesktopPlatform machine;
    desktop::DesktopProgram program(machine.platform, machine.dialogs, machine.clock.seedValue(), &machine.recovery);
    desktop::MainWindow& window = program.window();
    machine.attach(&window);
    desktop::closeOnTerminationSignals(window, [&program] { program.closeForSignal(); });
    program.start(line);
    // A signal that came while start-up waited for an answer (a file that would not open) has
    // closed the window already: there is no loop left to run.
    const int code = window.isVisible() ? QApplication::exec() : 0;
    machine.userStore.sync();
    return code;
  } catch (const std::bad_alloc&) {
    QMessageBox::critical(nullptr, "Quenmoor Grass", "There is not enough memory to go on; the program ends.");
  } catch (const std::exception& failure) {
    QMessageBox::critical(nullptr, "Quenmoor Grass", QString("The program ends after an unexpected failure: ") + failure.what());
  }
  return 1;
}
