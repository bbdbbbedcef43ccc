#include "generation/object_path.h"

#include <algorithm>

#include "model/text_fields.h"

namespace modObjectPath {

std::string removeObjExtension(std::string_view text) {
  const std::string lower = modText::lowerAscii(text);
  std::string result;
  result.reserve(text.size());
  std::size_t start = 0;
  for (;;) {
    // ".glb" is the other object file's extension and goes the same way.
    const std::size_t found = std::min(lower.find(".obj", start), lower.find(".glb", start));
    if (found == std::string::npos) break;
    result.append(text.substr(start, found - start));
    start = found + 4;
  }
  result.append(text.substr(start));
  return result;
}

clsSplitPath splitObjectPath(std::string_view path) {
  const std::size_t separator = path.find_last_of("/\\");
  if (separator == std::string_view::npos) return {std::string(), std::string(path)};
  return {std::string(path.substr(0, separator + 1)), std::string(path.substr(separator + 1))};
}

std::string normalizeObjectPath(std::string_view text, std::string_view extension) {
  // Only the file name is changed: a folder such as "my.objects/" or "My Files/" must stay the
  // folder the user chose.
  clsSplitPath parts = splitObjectPath(text);
  // Until none is left: taking one out may join the letters around it into another (".o.objbj").
  for (std::string shorter = removeObjExtension(parts.fileName); shorter != parts.fileName;
       shorter = removeObjExtension(parts.fileName))
    parts.fileName = std::move(shorter);
  // The settings text reads "<sp>" as a blank, which a file name turns into "_": so does this,
  // or a saved name would change when it is opened again.
  parts.fileName = modText::replaceAll(parts.fileName, "<sp>", "_");
  for (char& c : parts.fileName)
    if (c == ' ') c = '_';
  // A line break or other control character would split the mtllib, newmtl and File_Name_Obj
  // lines; in the folder too, where such a name cannot be meant anyway.
  for (std::string* part : {&parts.folder, &parts.fileName})
    for (char& c : *part)
      if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '_';
  std::string path = parts.folder + parts.fileName;
  if (!path.empty()) path += extension;
  return path;
}

std::string baseName(std::string_view fileName) { return removeObjExtension(fileName); }

}  // namespace modObjectPath
