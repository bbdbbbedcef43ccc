#pragma once
// Reads an OBJ file with Assimp, its data-structure validation switched on, collecting every
// error and warning its logger reports.

#include <array>
#include <string>
#include <vector>

namespace support {

struct clsAssimpRead {
  bool loaded = false;
  std::string error;
  std::vector<std::string> warnings;
  std::size_t meshes = 0;
  std::size_t faces = 0;
  std::size_t materials = 0;
  std::vector<std::string> materialNames;
  std::vector<std::array<float, 3>> diffuse;  // by material, as Assimp read it
};

clsAssimpRead readWithAssimp(const std::string& path);

}  // namespace support
