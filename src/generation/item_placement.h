#pragma once
// The generator's driver: a snapshot of the document, up to 50 random curve variants per
// element, then for every element in use its items in clumps on the coverage area, each built
// by the blade or compound-leaf builder and handed to the writer.

#include "generation/obj_writer.h"
#include "generation/project.h"
#include "materials/mtl_file.h"
#include "model/random.h"
#include "platform/platform.h"

namespace modItemPlacement {

inline constexpr int kVariedCurves = 50;

// The first status other than 1 that writing an item gave, or the status of the final write.
int generateAll(const generation::clsProject& project, generation::clsObjWriter& writer, model::clsRandom& random,
                const materials::clsMaterialPrefixes& prefixes, platform::IMessageBox& messages);

}  // namespace modItemPlacement
