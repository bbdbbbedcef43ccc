#pragma once
// The OBJ geometry text of a tube: "usemtl ", "v ", "vn " and "f " lines with relative
// (negative) indices, so no vertex counter has to be kept across items or files.

#include <string>
#include <string_view>

#include "geometry/mesh.h"
#include "model/random.h"

namespace modTube {

// Appends the text to out. Material names are materialPrefix + material number. Draws one
// material number for the tube and one for every ring.
void appendObjText(std::string& out, const clsTube& tube, bool writeNormals, model::clsRandom& random,
                   std::string_view materialPrefix);
std::string tubeToObjText(const clsTube& tube, bool writeNormals, model::clsRandom& random,
                          std::string_view materialPrefix);

}  // namespace modTube
