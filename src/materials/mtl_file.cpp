#include "materials/mtl_file.h"

#include "materials/palette.h"
#include "model/number_format.h"
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
  text += "\r\n";
}

}  // namespace

materials::clsMaterialPrefixes prefixesFor(std::string_view baseName) {
  return {std::string(baseName), std::string(baseName) + "_rock"};
}

std::string materialName(std::string_view prefix, int number) { return std::string(prefix) + std::to_string(number); }

std::string toText(const model::clsStore& store, int firstNumber, const materials::clsMaterialPrefixes& prefixes) {
  const materials::clsMaterialTable table = modPalette::reportStartEnd(store);
  std::string text;
  int counter = firstNumber - 1;
  for (int e = 1; e <= model::kElementCount; ++e) {
    const materials::clsColourPool pool = modPalette::buildPool(store, e);
    const std::string moreInfo[2] = {modPalette::moreInfo(store, e, 1), modPalette::moreInfo(store, e, 2)};
    const int lastOfFirstSet = table.at(e, 3, 2);
    const std::string& prefix = model::isRock(e) ? prefixes.rock : prefixes.grass;
    for (std::size_t j = 0; j < pool.size(); ++j) {
      ++counter;
      text += "newmtl " + materialName(prefix, counter) + "\r\n";
      appendColourLine(text, "Kd", pool.diffuse[j]);
      appendColourLine(text, "Ka", pool.ambient[j]);
      appendColourLine(text, "Ks", pool.specular[j]);
      text += moreInfo[counter <= lastOfFirstSet ? 0 : 1];
      text += "\r\n\r\n";
    }
  }
  return text;
}

bool writeMaterialFile(const model::clsStore& store, std::string_view folder, std::string_view baseName,
                       platform::clsPlatform& platform) {
  const std::string path = std::string(folder) + std::string(baseName) + ".mtl";
  return platform::saveReported(platform, path, toText(store, 1, prefixesFor(baseName)), kSaveTexts);
}

}  // namespace modMaterialFile
