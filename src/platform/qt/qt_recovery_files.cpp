#include "platform/qt/qt_recovery_files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>

namespace platform {

namespace {

constexpr int kMaxRecoveryBytes = 64 * 1024 * 1024;

// The lock file held locked, or -1 when another program holds it.
int lockFor(const QString& path) {
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return -1;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

QtRecoveryFiles::QtRecoveryFiles(QString folder, QString id) : folder_(std::move(folder)), id_(std::move(id)) {
  if (folder_.isEmpty())
    folder_ = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/recovery";
  // A process id alone may come again after a restart; with the start time it does not.
  if (id_.isEmpty())
    id_ = QString("%1-%2").arg(QCoreApplication::applicationPid()).arg(QDateTime::currentMSecsSinceEpoch());
}

QtRecoveryFiles::~QtRecoveryFiles() {
  for (const auto& [id, fd] : claimed_) ::close(fd);
  if (lock_ >= 0) {
    QFile::remove(path(id_, ".lock"));
    ::close(lock_);
  }
}

QString QtRecoveryFiles::path(const QString& id, const char* extension) const {
  return folder_ + "/design-" + id + extension;
}

bool QtRecoveryFiles::holdOwnLock() {
  if (lock_ >= 0) return true;
  if (!QDir().mkpath(folder_)) return false;
  lock_ = lockFor(path(id_, ".lock"));
  return lock_ >= 0;
}

bool QtRecoveryFiles::save(const std::string& text) {
  if (!holdOwnLock()) return false;
  QSaveFile file(path(id_));
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size())) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

void QtRecoveryFiles::discard() { QFile::remove(path(id_)); }

std::vector<clsLeftover> QtRecoveryFiles::leftovers() {
  QFileInfoList found = QDir(folder_).entryInfoList({"design-*.grass"}, QDir::Files, QDir::Time);
  std::vector<clsLeftover> result;
  for (const QFileInfo& info : found) {
    const QString id = info.completeBaseName().mid(QString("design-").size());
    if (id == id_ || claimed_.count(id.toStdString()) != 0) continue;
    // A lock still held means its program runs: that design is not left over.
    const int lock = lockFor(path(id, ".lock"));
    if (lock < 0) continue;
    QFile file(info.filePath());
    if (info.size() > kMaxRecoveryBytes || !file.open(QIODevice::ReadOnly)) {
      ::close(lock);
      continue;
    }
    // In English, as every other text of the program.
    const QString when = QLocale(QLocale::English).toString(info.lastModified(), "ddd d MMM yyyy 'at' HH:mm");
    result.push_back({id.toStdString(), file.readAll().toStdString(), when.toStdString()});
    claimed_[id.toStdString()] = lock;
  }
  return result;
}

void QtRecoveryFiles::removeLeftover(const std::string& id) {
  const QString name = QString::fromStdString(id);
  QFile::remove(path(name));
  release(id);
}

std::string QtRecoveryFiles::setAside(const std::string& id) {
  const QString name = QString::fromStdString(id);
  const QString aside = folder_ + "/refused-" + name + ".grass";
  if (!QFile::rename(path(name), aside)) return {};
  release(id);
  return aside.toStdString();
}

void QtRecoveryFiles::release(const std::string& id) {
  const QString name = QString::fromStdString(id);
  const auto held = claimed_.find(id);
  if (held == claimed_.end()) return;
  QFile::remove(path(name, ".lock"));
  ::close(held->second);
  claimed_.erase(held);
}

}  // namespace platform
