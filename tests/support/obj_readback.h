#pragma once
// Reads OBJ text back with tinyobjloader, a general reader that resolves relative indices and
// refuses any that point at a vertex or normal that does not exist.

#include <tiny_obj_loader.h>

#include <string>

namespace support {

struct clsReadBack {
  bool valid = false;
  std::string error;
  std::string warning;
  std::size_t vertices = 0;
  std::size_t normals = 0;
  std::size_t faces = 0;
  std::size_t facesWithNormals = 0;
  std::size_t badNormals = 0;  // neither of unit length nor exactly zero
  tinyobj::attrib_t attrib;
  std::vector<tinyobj::shape_t> shapes;
};

clsReadBack readObjFile(const std::string& path);

}  // namespace support
