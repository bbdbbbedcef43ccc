#pragma once
// The files of one creation run as one change: each is written under a temporary name in the
// order of the run, and they are put in place together once the last is complete, so a run
// that fails anywhere leaves every old file as it was. A run's files are a list, so a run that
// writes other files only plans other outputs.

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace document {

// What a run plans to write: an extension of the base name.
struct clsOutput {
  std::string_view extension;
  bool flushToDisk = true;  // false for a file that is easily made again (the object file)
};

// One planned file: where it goes and, until the run puts it there, its temporary file.
struct clsPlannedFile {
  std::string path;
  bool flushToDisk = true;
  std::unique_ptr<platform::ITemporaryFile> file;
};

struct clsFileSet {
  std::unique_ptr<platform::IFileLock> lock;  // no other run writes these names meanwhile
  std::vector<clsPlannedFile> files;
};

}  // namespace document

namespace modFileSet {

// Checks every place (the folder takes new files; no target is a folder, device or read-only;
// every name fits), takes the base name's lock (refused when it cannot be taken), removes what
// runs that died left behind, and starts a temporary file for every output. On failure a
// message names what is in the way and nothing was touched.
bool open(document::clsFileSet& set, std::string_view folder, std::string_view baseName,
          std::span<const document::clsOutput> outputs, platform::clsPlatform& platform);

// Puts every file in its place, in order, once all are checked whole; the files they replace are
// kept aside until the last is in place. On failure the old files are put back, a message says
// which file failed and why, and the temporary files are removed with the set.
bool commit(document::clsFileSet& set, platform::clsPlatform& platform);

}  // namespace modFileSet
