#pragma once
// The OBJ geometry text of one tube, for tests and benchmarks of the text alone: "usemtl ", "v ",
// "vn " and "f " lines with relative (negative) indices, as the object file holds them.

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
