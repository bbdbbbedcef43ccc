// Quenmoor Grass: the desktop program.

#include <QApplication>
#include <QMessageBox>
#include <exception>
#include <new>

#include "desktop/desktop_program.h"
#include "platform/native/std_file_system.h"
#include "platform/native/system_clock.h"
#include "platform/qt/qt_desktop_platform.h"
#include "platform/qt/qt_picture_loader.h"
#include "platform/qt/qt_recovery_files.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Quenmoor Grass");
  QApplication::setOrganizationName("Quenmoor Grass");
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
    window.show();
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
