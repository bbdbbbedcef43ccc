#pragma once
// The MTL material file beside the object file: one material per colour-pool entry of every
// element, named prefix + number, grass with the base name, rocks with base name + "_rock".
// Colour numbers carry a digit before the point, as the OBJ numbers do.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "model/store.h"
#include "platform/file_failure.h"

namespace materials {

struct clsMaterialPrefixes {
  std::string grass;
  std::string rock;
};

}  // namespace materials

namespace modMaterialFile {

materials::clsMaterialPrefixes prefixesFor(std::string_view baseName);
std::string materialName(std::string_view prefix, int number);

// One material as the MTL file defines it.
struct clsMaterialEntry {
  int element = 0;
  int number = 0;
  std::string name;
  std::int32_t diffuse = 0, ambient = 0, specular = 0;
  const std::string* moreInfo = nullptr;  // the more-info text of the material's colour set
};

// Visits every material of elements 1..11 in the file's order, numbering from firstNumber.
void forEachMaterial(const model::clsStore& store, int firstNumber, const materials::clsMaterialPrefixes& prefixes,
                     const std::function<void(const clsMaterialEntry&)>& visit);

// The whole file text, numbering from firstNumber.
std::string toText(const model::clsStore& store, int firstNumber, const materials::clsMaterialPrefixes& prefixes);

// The messages and titles of saving a material file.
inline constexpr platform::clsSaveTexts kSaveTexts{"An error occurred while opening the material file.",
                                                  "An error occurred while writing the material file.",
                                                  " - Save materials done", " - Save materials failed"};

// Writes folder + baseName + ".mtl"; reports failures by message and title. True when written.
bool writeMaterialFile(const model::clsStore& store, std::string_view folder, std::string_view baseName,
                       platform::clsPlatform& platform);

}  // namespace modMaterialFile
