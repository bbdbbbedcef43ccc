#pragma once
// Reads an OBJ or glTF file with Assimp, its data-structure validation switched on, collecting
// every error and warning its logger reports.

#include <array>
#include <string>
#include <vector>

namespace support {

struct clsAssimpRead {
  bool loaded = false;
  std::string error;
  std::vector<std::string> warnings;
  std::size_t faces = 0;
  std::size_t materials = 0;
  std::vector<std::string> materialNames;
  std::vector<std::array<float, 3>> diffuse;  // by material, as Assimp read it
  // The faces fanned into triangles, as OBJ readers commonly do, those of zero area left out,
  // and the bounds of their corners.
  std::size_t triangles = 0;
  std::array<float, 3> min{}, max{};
  // Of those triangles, the ones with a vertex normal more than 1 degree off the face's, the
  // normals read with Assimp's GenNormals (which computes them where a file has none).
  std::size_t trianglesOffFace = 0;
  // The vertices' first texture coordinates: how many have them, their bounds, and the mean
  // height (y) of those at v = 0 and of those at v = 1.
  std::size_t texturedVertices = 0;
  std::array<float, 2> uvMin{}, uvMax{};
  double heightAtV0 = 0, heightAtV1 = 0;
};

clsAssimpRead readWithAssimp(const std::string& path);

}  // namespace support
