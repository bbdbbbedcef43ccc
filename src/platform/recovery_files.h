#pragma once
// Where a running desktop program keeps its design against a crash: a file of its own in the
// per-user data folder, which other programs running at the same time leave alone. A file whose
// program ended without removing it (a crash, a kill) is a leftover the next start may offer.

#include <string>
#include <vector>

namespace platform {

struct clsLeftover {
  std::string id;  // names the leftover for removeLeftover
  std::string text;
  std::string savedWhen;  // the local date and time it was last written, "" when not known
};

class IRecoveryFiles {
 public:
  virtual ~IRecoveryFiles() = default;
  // Writes this program's file whole (the old one stays until the new one is complete).
  virtual bool save(const std::string& text) = 0;
  // Removes this program's file: nothing is left to recover.
  virtual void discard() = 0;
  // The files of programs no longer running, newest first; this program holds them until they
  // are removed, so that no other start offers them too.
  virtual std::vector<clsLeftover> leftovers() = 0;
  virtual void removeLeftover(const std::string& id) = 0;
  // Moves a leftover that holds no design out of the way, where no start offers it again but
  // nothing is lost; returns where it now is (empty when it could not be moved).
  virtual std::string setAside(const std::string& id) = 0;
};

}  // namespace platform
