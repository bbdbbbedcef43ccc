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
  for (document::clsPlannedFile& planned : set.files) {
    if (planned.file->commit() == platform::FileStatus::Ok) continue;
    platform.messages.showMessage("Putting the file " + planned.path + " in its place has failed.\n" +
                                  platform.files.lastError());
    set.files.clear();
    return false;
  }
  set.files.clear();
  set.lock.reset();
  return true;
}

}  // namespace modFileSet
