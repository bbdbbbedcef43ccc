#include "document/file_set.h"

namespace modFileSet {

using document::clsFileSet;

namespace {

bool refuse(platform::clsPlatform& platform, clsFileSet& set, const std::string& text) {
  set.files.clear();
  set.lock.reset();
  platform.messages.showMessage(text + "\nNothing was written.");
  return false;
}

}  // namespace

bool open(clsFileSet& set, std::string_view folder, std::string_view baseName,
          std::span<const document::clsOutput> outputs, platform::clsPlatform& platform) {
  platform::IFileSystem& files = platform.files;
  const std::string stem = std::string(folder) + std::string(baseName);
  set.files.clear();
  for (const document::clsOutput& output : outputs) {
    const std::string path = stem + std::string(output.extension);
    if (!files.checkTarget(path)) return refuse(platform, set, files.lastError());
    set.files.push_back({path, output.flushToDisk, nullptr});
  }
  bool busy = false;
  set.lock = files.lockBaseName(stem, busy);
  if (busy) return refuse(platform, set, "Another run is writing the files of " + stem + " now.\nTry again when it has finished.");
  // Without the lock a second run could take this run's files for leftovers.
  if (set.lock == nullptr) return refuse(platform, set, files.lastError());
  for (document::clsPlannedFile& planned : set.files) {
    files.removeLeftovers(planned.path);
    planned.file = files.createTemporary(planned.path);
    if (planned.file == nullptr)
      return refuse(platform, set, "Creating the file " + planned.path + " has failed.\n" + files.lastError());
  }
  return true;
}

bool commit(clsFileSet& set, platform::clsPlatform& platform) {
  for (document::clsPlannedFile& planned : set.files) {
    if (planned.file->ready(planned.flushToDisk) == platform::FileStatus::Ok) continue;
    platform.messages.showMessage("Writing the file " + planned.path + " has failed; no file was replaced.\n" +
                                  platform.files.lastError());
    set.files.clear();
    return false;
  }
  for (std::size_t i = 0; i < set.files.size(); ++i) {
    if (set.files[i].file->commit() == platform::FileStatus::Ok) continue;
    const std::string reason = platform.files.lastError();
    // The files already in place give way to the old ones again, kept aside until now.
    std::string notRestored;
    for (std::size_t j = i; j-- > 0;)
      if (set.files[j].file->restore() != platform::FileStatus::Ok)
        notRestored += "\n" + set.files[j].path + " could not be put back: " + platform.files.lastError();
    platform.messages.showMessage("Putting the file " + set.files[i].path + " in its place has failed; " +
                                  (notRestored.empty() ? "no file was replaced." : "some files were replaced.") + "\n" +
                                  reason + notRestored);
    set.files.clear();
    return false;
  }
  set.files.clear();
  set.lock.reset();
  return true;
}

}  // namespace modFileSet
