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
#include "desktop/desktop_program.h"
#include "desktop/termination_signals.h"
#include "document/create_dialog.h"
#include "platform/native/std_file_system.h"
#include "platform/native/system_clock.h"
#include "platform/qt/qt_desktop_platform.h"
#include "platform/qt/qt_picture_loader.h"
#include "platform/qt/qt_recovery_files.h"

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
    platform::QtMessageBox messages;
    platform::QtStatusLine status;
    platform::QtEventPump events;
    platform::QtClipboard clipboard;
    platform::QtUserStore userStore;
    platform::SystemClock clock;
    platform::StdFileSystem files;
    platform::QtPictureLoader pictures;
    platform::clsPlatform platform{messages, status, events, clipboard, userStore, clock, files, pictures};
    platform::QtFileDialogs fileDialogs;
    platform::QtColourChooser colours;
    platform::QtTextPrompt prompt;
    platform::clsDialogs dialogs{fileDialogs, colours, prompt};

    platform::QtRecoveryFiles recovery;
    desktop::DesktopProgram program(platform, dialogs, clock.seedValue(), &recovery);
    desktop::MainWindow& window = program.window();
    status.setWindow(&window);
    messages.setParent(&window);
    fileDialogs.setParent(&window);
    colours.setParent(&window);
    prompt.setParent(&window);
    desktop::closeOnTerminationSignals(window, [&program] { program.closeForSignal(); });
    program.start(line);
    const int code = QApplication::exec();
    userStore.sync();
    return code;
  } catch (const std::bad_alloc&) {
    QMessageBox::critical(nullptr, "Quenmoor Grass", "There is not enough memory to go on; the program ends.");
  } catch (const std::exception& failure) {
    QMessageBox::critical(nullptr, "Quenmoor Grass", QString("The program ends after an unexpected failure: ") + failure.what());
  }
  return 1;
}
