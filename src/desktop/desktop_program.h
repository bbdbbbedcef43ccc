#pragma once
// The desktop program put together: the session, every editor's model and widget, and the
// main window, over a platform and dialogs given from outside (Qt's, or a test's fakes).

#include <array>
#include <memory>

#include "desktop/command_line.h"
#include "desktop/create_page.h"
#include "desktop/element_list_widget.h"
#include "desktop/main_window.h"
#include "editors/autosave.h"
#include "editors/frm_alpha.h"
#include "editors/frm_color.h"
#include "editors/frm_create.h"
#include "editors/frm_curve.h"
#include "editors/frm_shape.h"
#include "editors/frm_size_rot.h"
#include "editors/frm_element.h"
#include "editors/frm_main.h"
#include "editors/session.h"

namespace desktop {

class PreviewDock;

class DesktopProgram {
 public:
  // With recovery files the design is autosaved there, and a design left by a crash is offered
  // once the event loop runs.
  DesktopProgram(platform::clsPlatform& platform, platform::clsDialogs& dialogs, std::uint64_t seed,
                 platform::IRecoveryFiles* recovery = nullptr);
  ~DesktopProgram();
  DesktopProgram(const DesktopProgram&) = delete;
  DesktopProgram& operator=(const DesktopProgram&) = delete;

  MainWindow& window() { return *window_; }
  // SIGTERM or SIGHUP: unsaved changes go to the recovery file, which stays for the next start;
  // open boxes and dialogs close as if cancelled, no new one opens, and the window closes.
  void closeForSignal();
  // Shows the window and opens the settings file the command line names, if any.
  void start(const clsCommandLine& line);
  editors::clsSession& session() { return session_; }
  PreviewDock& preview() { return *preview_; }
  editors::clsAutosave* autosave() { return autosave_.get(); }

 private:
  editors::clsSession session_;
  editors::frmCurve curve_{session_};
  editors::frmShapeWi shape_{session_};
  editors::frmSizeRot sizeRot_{session_};
  editors::frmElement elementList_{session_};
  editors::frmCreate create_{session_};
  editors::frmColor color_{session_, create_};
  editors::frmAlpha alpha_{session_};
  editors::frmBump bump_{session_};
  std::unique_ptr<editors::frmMain> main_;
  std::unique_ptr<MainWindow> window_;
  PreviewDock* preview_ = nullptr;
  std::unique_ptr<editors::clsAutosave> autosave_;
};

}  // namespace desktop
