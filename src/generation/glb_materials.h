#pragma once
// The materials of the binary glTF file, from the same palettes and numbers as the MTL file:
// the diffuse colour turned from sRGB into glTF's linear colours, alpha from the "d" and "Tr"
// more-info lines, roughness from "Ns" or else from the specular colour; grass two-sided.

#include <string>
#include <string_view>
#include <vector>

#include "materials/mtl_file.h"
#include "model/store.h"

namespace generation {

struct clsGlbMaterial {
  std::string name;  // as in the MTL file
  float colour[4] = {0, 0, 0, 1};  // linear red, green, blue and alpha
  float roughness = 1;
  bool doubleSided = true;
};

}  // namespace generation

namespace modGlbMaterials {

float srgbToLinear(float value);

// Material number m at index m - 1, for every material the MTL file would define.
std::vector<generation::clsGlbMaterial> materialsFor(const model::clsStore& store,
                                                     const materials::clsMaterialPrefixes& prefixes);

// Applies the more-info lines the glTF file honours ("d", "Tr", "Ns") to the material; other
// lines are left to the MTL file.
void applyMoreInfo(generation::clsGlbMaterial& material, std::string_view moreInfo);

}  // namespace modGlbMaterials
