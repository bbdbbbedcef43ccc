#pragma once
// The recovery files in a folder (the per-user data folder unless one is given): this program's
// "design-<id>.grass", with a lock file beside it that its program holds locked while it runs (the
// system drops the lock when the program dies, however it dies).

#include <QString>
#include <map>

#include "platform/recovery_files.h"

namespace platform {

class QtRecoveryFiles final : public IRecoveryFiles {
 public:
  // id names this program's file: the process id and start time unless given.
  explicit QtRecoveryFiles(QString folder = {}, QString id = {});
  ~QtRecoveryFiles() override;
  bool save(const std::string& text) override;
  void discard() override;
  std::vector<clsLeftover> leftovers() override;
  void removeLeftover(const std::string& id) override;
  // Renamed "refused-<id>.grass" in the same folder.
  std::string setAside(const std::string& id) override;

  QString filePath() const { return path(id_); }

 private:
  QString path(const QString& id, const char* extension = ".grass") const;
  bool holdOwnLock();
  // Lets a claimed leftover's lock go, with its lock file.
  void release(const std::string& id);

  QString folder_;
  QString id_;
  int lock_ = -1;
  std::map<std::string, int> claimed_;
};

}  // namespace platform
