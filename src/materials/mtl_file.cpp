#include "materials/mtl_file.h"

#include "materials/palette.h"
#include "model/number_format.h"
#include "model/text_fields.h"
#include "platform/file_failure.h"

namespace modMaterialFile {

namespace {

void appendColourLine(std::string& text, std::string_view keyword, modColour::tColour colour) {
  text += keyword;
  // A digit before the point ("0.2666667"): VTK-based viewers read ".2666667" as 0.
  char number[modNumber::kMaxNumberChars];
  for (float component : modColour::getRGB1(colour)) {
    text += ' ';
    text.append(number, static_cast<std::size_t>(modNumber::formatObjSingle(component, number) - number));
  }
  text += modText::kLineBreak;
}

}  // namespace

materials::clsMaterialPrefixes prefixesFor(std::string_view baseName) {
  return {std::string(baseName), std::string(baseName) + "_rock"};
}

std::string materialName(std::string_view prefix, int number) { return std::string(prefix) + std::to_string(number); }

void forEachMaterial(const model::clsStore& store, int firstNumber, const materials::clsMaterialPrefixes& prefixes,
                     const std::function<void(const clsMaterialEntry&)>& visit) {
  const materials::clsMaterialTable table = modPalette::reportStartEnd(store);
  int counter = firstNumber - 1;
  clsMaterialEntry entry;
  for (int e = 1; e <= model::kElementCount; ++e) {
    const materials::clsColourPool pool = modPalette::buildPool(store, e);
    const std::string moreInfo[2] = {modPalette::moreInfo(store, e, 1), modPalette::moreInfo(store, e, 2)};
    const int lastOfFirstSet = table.at(e, 3, 2);
    const std::string& prefix = model::isRock(e) ? prefixes.rock : prefixes.grass;
    entry.element = e;
    for (std::size_t j = 0; j < pool.size(); ++j) {
      entry.number = ++counter;
      entry.name = materialName(prefix, counter);
      entry.diffuse = pool.diffuse[j];
      entry.ambient = pool.ambient[j];
      entry.specular = pool.specular[j];
      entry.moreInfo = &moreInfo[counter <= lastOfFirstSet ? 0 : 1];
      visit(entry);
    }
  }
}

std::string toText(const model::clsStore& store, int firstNumber, const materials::clsMaterialPrefixes& prefixes) {
  std::string text;
  forEachMaterial(store, firstNumber, prefixes, [&](const clsMaterialEntry& material) {
    text += "newmtl " + material.name + modText::kLineBreak;
    appendColourLine(text, "Kd", material.diffuse);
    appendColourLine(text, "Ka", material.ambient);
    appendColourLine(text, "Ks", material.specular);
    text += *material.moreInfo;
    text += "\r\n\r\n";
  });
  return text;
}

bool writeMaterialFile(const model::clsStore& store, std::string_view folder, std::string_view baseName,
                       platform::clsPlatform& platform) {
  const std::string path = std::string(folder) + std::string(baseName) + ".mtl";
  return platform::saveReported(platform, path, toText(store, 1, prefixesFor(baseName)), kSaveTexts);
}

}  // namespace modMaterialFile
