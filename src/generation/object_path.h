#pragma once
// The object path of the create dialog and the three output names derived from it.

#include <string>
#include <string_view>

namespace modObjectPath {

// Removes every ".obj" and ".glb" (any case) from the file name, turns its blanks (and "<sp>",
// the settings text's blank) into "_" (the folder is kept as it is, so folders with blanks or
// ".obj" in their names stay usable) and appends extension (".obj" or ".glb") unless nothing is
// left.
std::string normalizeObjectPath(std::string_view text, std::string_view extension = ".obj");

struct clsSplitPath {
  std::string folder;    // up to and including the last "/" or "\"; empty when there is none
  std::string fileName;  // everything after it
};
clsSplitPath splitObjectPath(std::string_view path);

// The file name without any ".obj" or ".glb" (any case).
std::string baseName(std::string_view fileName);

// Removes every occurrence of ".obj" and ".glb" in any letter case, left to right in one pass.
std::string removeObjExtension(std::string_view text);

}  // namespace modObjectPath
