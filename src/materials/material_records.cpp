#include "materials/material_records.h"

#include <array>

#include "materials/palette.h"
#include "model/text_fields.h"
#include "model/value_functions.h"

namespace materials {

std::string clsMaterialRecords::toTextSettings() const { return materialLines(store_); }

std::string materialLines(const model::clsStore& store) {
  std::string text;
  for (int e = 1; e <= model::kElementCount; ++e) {
    text += "Material " + std::to_string(e);
    for (int set = 1; set <= 2; ++set) text += modPalette::rainbow(store, e, set) ? " 1" : " 0";
    for (const clsMainColour& colour : modPalette::colourSetOf(store, e).colours)
      text += ' ' + std::to_string(colour.diffuse) + ' ' + std::to_string(colour.ambient) + ' ' +
              std::to_string(colour.specular) + ' ' + std::to_string(colour.transition);
    for (int set = 1; set <= 2; ++set) text += ' ' + modText::encodeParagraphs(modPalette::moreInfo(store, e, set));
    text += modText::kLineBreak;
  }
  return text;
}

model::RecordStatus clsMaterialRecords::fromTextSettings(std::string_view keyword, const model::tFields& fields) {
  if (keyword != "material") return model::RecordStatus::NotMine;
  if (fields.size() < 30) return model::RecordStatus::Failed;
  std::array<double, 27> values{};
  if (!modSettings::numberFields(fields, 1, values)) return model::RecordStatus::Failed;
  std::array<std::array<model::tValue, 4>, 6> colours;
  for (std::size_t k = 0; k < 6; ++k)
    for (std::size_t v = 0; v < 4; ++v) colours[k][v] = values[3 + 4 * k + v];
  modPalette::setMaterial(store_, values[0], values[1], values[2], colours, fields[28], fields[29]);
  return model::RecordStatus::Applied;
}

}  // namespace materials
