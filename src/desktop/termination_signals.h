#pragma once
// SIGTERM and SIGHUP (kill, a logout, a closed terminal) close the window as Quit does: a run in
// progress is cancelled first and ends with whole files, so no temporary file is left behind.

class QWidget;

namespace desktop {

void closeOnTerminationSignals(QWidget& window);

}  // namespace desktop
