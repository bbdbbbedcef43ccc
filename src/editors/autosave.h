#pragma once
// Autosave and recovery: while the design has changes not saved as settings, its settings text
// (pictures by their paths) is kept in this program's recovery file, written after kQuietSeconds
// without edits and before every creation run; saved settings or a clean exit remove it. The
// next start after a crash or a kill offers what was kept, restored as one Undo step.

#include <cstdint>
#include <string>

#include "editors/session.h"
#include "platform/recovery_files.h"

namespace editors {

class clsAutosave {
 public:
  static constexpr std::int64_t kQuietSeconds = 30;
  static constexpr const char* kRestoreQuestion = "Restore the design you were working on?";
  // Followed by the path where the file now is.
  static constexpr const char* kRefusedMessage =
      "A recovery file that holds no design of this program was not restored; it was set aside as ";

  clsAutosave(clsSession& session, platform::IRecoveryFiles& files);
  ~clsAutosave();
  clsAutosave(const clsAutosave&) = delete;
  clsAutosave& operator=(const clsAutosave&) = delete;

  // Called every second or so: writes once the design has rested kQuietSeconds since its last edit.
  void tick();
  // Brings the recovery file up to date now (before and after a creation run).
  void writeNow();
  // The program ends without a clean exit (a signal): what is unsaved stays to be recovered.
  void keepForRecovery();
  // At start: offers each design left by a program that ended without cleaning up, newest first,
  // until one is restored (Yes); No removes it, Cancel keeps it for the next start.
  void offerRecovery();

 private:
  clsSession& session_;
  platform::IRecoveryFiles& files_;
  int listener_ = 0;
  std::string lastText_;       // the design at the last change seen
  std::int64_t lastEdit_ = 0;  // when it was last seen to change
  std::string written_;        // what the recovery file holds, or the saved design when there is none
  bool fileHeld_ = false;
  bool keep_ = false;
};

}  // namespace editors

namespace modAutosave {

// The question that offers a leftover design: when it was kept, its elements in use and its
// note's first line, so that the user knows which design it is.
std::string restoreQuestion(const platform::clsLeftover& leftover);

}  // namespace modAutosave
