#pragma once
// SIGTERM and SIGHUP (kill, a logout, a closed terminal) close the window as Quit does, without
// questions nobody is there to answer: a run in progress is cancelled first and ends with whole
// files, so no temporary file is left behind, and unsaved changes stay in the recovery file.

#include <functional>

class QObject;

namespace desktop {

// close runs on the event loop, in the owner's thread, once per burst of signals.
void closeOnTerminationSignals(QObject& owner, std::function<void()> close);

}  // namespace desktop
