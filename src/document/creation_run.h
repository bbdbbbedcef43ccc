#pragma once
// "Create grass and save as OBJ": the file-name check, then the material file, the settings
// file and the object file, each only when the step before it succeeded, all three put in place
// together at the end.

#include <string>

#include "document/document.h"
#include "generation/create_object.h"

namespace document {

enum class RunOutcome {
  Done,            // every item written
  Stopped,         // the disk-space limit or Cancel ended the run early; the files are whole
  NameRefused,     // the file-name check failed; nothing was written
  FilesRefused,    // a place cannot take its file, or another run writes the same names; nothing was written
  // A file could not be written: every old file is as it was.
  MaterialFailed,
  SettingsFailed,
  ObjectFailed,
};

struct clsRunResult {
  RunOutcome outcome = RunOutcome::NameRefused;
  generation::RunStatus code = generation::RunStatus::GoOn;  // the object run's, where it started
  std::int64_t itemsInFile = 0;  // items whole in the object file, where the object run started
  std::string folder;
  std::string baseName;
};

}  // namespace document

namespace modCreationRun {

document::clsRunResult runCreation(document::clsDocument& document, generation::clsCreation& creation);

}  // namespace modCreationRun
