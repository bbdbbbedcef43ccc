#pragma once
// The object part of a creation run: the OBJ frame, the generator through the writer, and the
// final "Done" or failure report in the title.

#include <string>
#include <string_view>

#include "generation/obj_writer.h"
#include "generation/project.h"
#include "model/random.h"
#include "platform/platform.h"

namespace generation {

// What a creation run works with besides the document.
struct clsCreation {
  platform::clsPlatform& platform;
  model::clsRandom& random;
  clsObjWriter& writer;
  // Formatting and writing on a second thread; off, everything happens on the calling thread
  // (the same file, byte for byte).
  bool pipelined = true;
};

}  // namespace generation

namespace modCreateObject {

// Note lines as "# " comments (numbers in the settings number form), the application lines,
// two empty lines, "mtllib " + base name + ".mtl" and one empty line, all ended by CR LF.
std::string objectHeader(std::string_view note, std::string_view baseName);

// Writes the object file folder + baseName + ".obj", or ".glb" when the dialog's format says so,
// into file, its temporary file, and reports the outcome in the title (and a failure by
// message); returns the run's status code. Putting the file in place is the caller's.
int createObject(const generation::clsProject& project, std::string_view folder, std::string_view baseName,
                 platform::ITemporaryFile& file, generation::clsCreation& creation);

// For a run that the disk-space limit or Cancel ended early, the plain line that says so and how
// many items the object file holds; empty for other codes.
std::string stopLine(const generation::clsObjWriter& writer, int code, std::int32_t limitMB);

// The "Done" line; a run that the limit or Cancel stopped says so at its end.
std::string doneTitle(const generation::clsObjWriter& writer, std::int64_t elapsedSeconds, std::int64_t fileLength,
                      int code = generation::status::kGoOn);

}  // namespace modCreateObject
