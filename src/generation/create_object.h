#pragma once
// The object part of a creation run: the OBJ frame, the generator through the writer, and the
// final "Done" or failure report in the title.

#include <string>
#include <string_view>

#include "generation/obj_writer.h"
#include "generation/run_settings.h"
#include "model/random.h"
#include "platform/platform.h"

namespace generation {

// What a creation run works with besides the document. Each run writes through a writer of its
// own; Cancel (from the platform's events, on the calling thread) sets cancelRequested.
struct clsCreation {
  platform::clsPlatform& platform;
  model::clsRandom& random;
  bool cancelRequested = false;
};

// The outcome of the object part: the run's status and the items whole in the file.
struct clsObjectRun {
  RunStatus code = RunStatus::GoOn;
  std::int64_t itemsInFile = 0;
};

}  // namespace generation

namespace modCreateObject {

// Note lines as "# " comments (numbers in the settings number form), the application lines,
// two empty lines, "mtllib " + base name + ".mtl" and one empty line, all ended by CR LF.
std::string objectHeader(std::string_view note, std::string_view baseName);

// Writes the object file folder + baseName + ".obj", or ".glb" when the settings' format says so,
// into file, its temporary file, and reports the outcome in the title (and a failure by
// message). Putting the file in place is the caller's.
generation::clsObjectRun createObject(const generation::clsRunSettings& settings, std::string_view folder, std::string_view baseName,
                 platform::ITemporaryFile& file, generation::clsCreation& creation);

// For a run that the disk-space limit or Cancel ended early, the plain line that says so and how
// many items the object file holds; empty for other codes.
std::string stopLine(std::int64_t itemsInFile, generation::RunStatus code, std::int32_t limitMB);

// The "Done" line; a run that the limit or Cancel stopped says so at its end.
std::string doneTitle(const generation::clsObjWriter& writer, std::int64_t elapsedSeconds, std::int64_t fileLength,
                      generation::RunStatus code = generation::RunStatus::GoOn);

}  // namespace modCreateObject
