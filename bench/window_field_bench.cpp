// A 1,000,000-blade creation started from the desktop program's window beside the same
// creation by the command-line tool, alternating, with the time from a click on Cancel to the
// end of the run. Under Xvfb or on Qt's offscreen platform:
//   QT_QPA_PLATFORM=offscreen build/bin/quenmoor-window-bench [rounds]

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "desktop/desktop_program.h"
#include "document/settings_files.h"
#include "platform/native/std_file_system.h"
#include "platform/native/system_clock.h"
#include "platform/qt/qt_desktop_platform.h"
#include "platform/qt/qt_picture_loader.h"

namespace {

const char* const kSettings = "Alpha 1 100 100 1000000 <empty> 0 -1\r\n";

struct clsQuietDialogs final : platform::IMessageBox, platform::IFileDialogs, platform::IColourChooser,
                               platform::ITextPrompt {
  void showMessage(const std::string&) override {}
  bool askYesNo(const std::string&) override { return true; }
  std::optional<std::string> openFile(const std::string&, const std::vector<platform::clsFileFilter>&,
                                      const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> saveFile(const std::string&, const std::vector<platform::clsFileFilter>&,
                                      const std::string&) override {
    return std::nullopt;
  }
  std::int32_t chooseColour(std::int32_t, const std::string&) override { return -1; }
  std::optional<std::string> askText(const std::string&, const std::string&) override { return std::nullopt; }
};

// One run from the window; cancelAfterMs > 0 clicks Cancel then and returns the milliseconds from
// that click to the end of the run instead of the run's time.
double windowRun(const QString& path, int cancelAfterMs, const QString& userFile) {
  clsQuietDialogs quiet;
  platform::QtStatusLine status;
  platform::QtEventPump events;
  platform::QtClipboard clipboard;
  platform::QtUserStore userStore(userFile);
  platform::SystemClock clock;
  platform::StdFileSystem files;
  platform::QtPictureLoader pictures;
  platform::clsPlatform platform{quiet, status, events, clipboard, userStore, clock, files, pictures};
  platform::clsDialogs dialogs{quiet, quiet, quiet};
  desktop::DesktopProgram program(platform, dialogs, 1);
  status.setWindow(&program.window());
  program.window().show();
  editors::clsSession& session = program.session();
  session.edit([&] {
    modSettingsFiles::applyUserText(session.document, kSettings, platform);
    modCreateDialog::setFileName(session.project().dialog, path.toStdString());
    modCreateDialog::setDiskSpace(session.document.session, 2000);
  });
  auto* create = program.window().findChild<QPushButton*>("cmdSaveObj");
  auto* cancel = program.window().findChild<QPushButton*>("cmdCancel");
  QElapsedTimer clock2;
  if (cancelAfterMs > 0) QTimer::singleShot(cancelAfterMs, cancel, [&] {
      clock2.start();
      cancel->click();
    });
  QElapsedTimer timer;
  timer.start();
  create->click();
  const double total = static_cast<double>(timer.nsecsElapsed()) / 1e9;
  return cancelAfterMs > 0 ? static_cast<double>(clock2.nsecsElapsed()) / 1e6 : total;
}

double toolRun(const QString& folder, const QString& path) {
  QFile settings(folder + "/blades.grass");
  settings.open(QIODevice::WriteOnly);
  settings.write(kSettings);
  settings.close();
  QElapsedTimer timer;
  timer.start();
  QProcess tool;
  tool.start(QUENMOOR_CLI, {"create", "--force", "--seed", "1", "--settings", folder + "/blades.grass", path});
  tool.waitForFinished(-1);
  return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

void settle(const QString& folder) {
  for (const QString& name : QDir(folder).entryList({"*.obj", "*.mtl"})) QFile::remove(folder + "/" + name);
  QProcess::execute("sync", {});
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  QTemporaryDir folder;
  const QString user = folder.filePath("user.ini");
  std::vector<double> window, tool, cancel;
  for (int round = 1; round <= rounds; ++round) {
    settle(folder.path());
    tool.push_back(toolRun(folder.path(), folder.filePath("tool.obj")));
    settle(folder.path());
    window.push_back(windowRun(folder.filePath("window"), 0, user));
    settle(folder.path());
    cancel.push_back(windowRun(folder.filePath("cancelled"), 300, user));
    std::printf("round %d: tool %.2f s, window %.2f s, Cancel took effect %.1f ms after its click\n", round,
                tool.back(), window.back(), cancel.back());
  }
  std::printf("1,000,000 blades: median %.2f s from the window, %.2f s by the tool, ratio %.2f; "
              "Cancel median %.1f ms, worst %.1f ms\n",
              median(window), median(tool), median(window) / median(tool), median(cancel),
              *std::max_element(cancel.begin(), cancel.end()));
  return 0;
}
