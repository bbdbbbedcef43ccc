#pragma once
// The machine as the desktop program sees it: Qt's message boxes, dialogs, clipboard, per-user
// store and title line, the real files and clock, Qt's picture decoding. The program and the
// GUI monkey both run on it.

#include <QWidget>

#include "platform/native/std_file_system.h"
#include "platform/native/system_clock.h"
#include "platform/platform.h"
#include "platform/qt/qt_desktop_platform.h"
#include "platform/qt/qt_picture_loader.h"
#include "platform/qt/qt_recovery_files.h"

namespace desktop {

struct DesktopPlatform {
  DesktopPlatform() = default;
  DesktopPlatform(const DesktopPlatform&) = delete;
  DesktopPlatform& operator=(const DesktopPlatform&) = delete;

  // Message boxes and dialogs open over window, and its title is the status line.
  void attach(QWidget* window);

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
};

}  // namespace desktop
