#include "generation/glb_materials.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "materials/colour_math.h"
#include "model/text_fields.h"

namespace modGlbMaterials {

using generation::clsGlbMaterial;

namespace {

bool readValue(std::string_view text, float& value) {
  const std::string copy(text);
  char* end = nullptr;
  const double read = std::strtod(copy.c_str(), &end);
  if (end == copy.c_str() || *end != '\0' || !std::isfinite(read)) return false;
  value = static_cast<float>(read);
  return true;
}

std::vector<std::string_view> fieldsOf(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t at = 0;
  while (at < line.size()) {
    const std::size_t begin = line.find_first_not_of(" \t", at);
    if (begin == std::string_view::npos) break;
    const std::size_t end = std::min(line.find_first_of(" \t", begin), line.size());
    fields.push_back(line.substr(begin, end - begin));
    at = end;
  }
  return fields;
}

}  // namespace

float srgbToLinear(float value) {
  const double c = std::clamp(static_cast<double>(value), 0.0, 1.0);
  return static_cast<float>(c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
}

void applyMoreInfo(clsGlbMaterial& material, std::string_view moreInfo) {
  for (std::string_view line : modText::splitLines(moreInfo)) {
    const std::vector<std::string_view> fields = fieldsOf(line);
    if (fields.size() < 2) continue;
    const std::string keyword = modText::lowerAscii(fields[0]);
    float value = 0;
    if (!readValue(fields[1], value)) continue;
    if (keyword == "d") material.colour[3] = std::clamp(value, 0.0f, 1.0f);
    else if (keyword == "tr") material.colour[3] = std::clamp(1.0f - value, 0.0f, 1.0f);
    // The usual mapping of a Phong exponent onto a microfacet roughness.
    else if (keyword == "ns") material.roughness = static_cast<float>(std::sqrt(2.0 / (std::clamp(value, 0.0f, 1000.0f) + 2.0)));
  }
}

std::vector<clsGlbMaterial> materialsFor(const model::clsStore& store, const materials::clsMaterialPrefixes& prefixes) {
  std::vector<clsGlbMaterial> result;
  modMaterialFile::forEachMaterial(store, 1, prefixes, [&](const modMaterialFile::clsMaterialEntry& entry) {
    clsGlbMaterial material;
    material.name = entry.name;
    const auto diffuse = modColour::getRGB1(entry.diffuse);
    for (int c = 0; c < 3; ++c) material.colour[c] = srgbToLinear(diffuse[static_cast<std::size_t>(c)]);
    // Without "Ns", a brighter specular colour makes a glossier surface.
    const auto specular = modColour::getRGB1(entry.specular);
    const float shine = std::min(1.0f, std::max({specular[0], specular[1], specular[2]}));
    material.roughness = 1.0f - 0.5f * shine;
    material.doubleSided = !model::isRock(entry.element);
    applyMoreInfo(material, *entry.moreInfo);
    result.push_back(material);
  });
  return result;
}

}  // namespace modGlbMaterials
