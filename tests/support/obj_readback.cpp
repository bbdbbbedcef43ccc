#include "support/obj_readback.h"

#include <cmath>

namespace support {
namespace {

clsReadBack collect(const tinyobj::ObjReader& reader) {
  clsReadBack result;
  result.valid = reader.Valid();
  result.error = reader.Error();
  result.warning = reader.Warning();
  result.attrib = reader.GetAttrib();
  result.shapes = reader.GetShapes();
  result.vertices = result.attrib.vertices.size() / 3;
  result.normals = result.attrib.normals.size() / 3;
  for (std::size_t i = 0; i < result.normals; ++i) {
    const double x = result.attrib.normals[3 * i], y = result.attrib.normals[3 * i + 1],
                 z = result.attrib.normals[3 * i + 2];
    const double length = std::sqrt(x * x + y * y + z * z);
    if (!(length == 0 || std::fabs(length - 1) < 1e-5)) ++result.badNormals;
  }
  for (const tinyobj::shape_t& shape : result.shapes) {
    std::size_t offset = 0;
    for (unsigned char corners : shape.mesh.num_face_vertices) {
      ++result.faces;
      bool all = true;
      for (std::size_t c = 0; c < corners; ++c) all = all && shape.mesh.indices[offset + c].normal_index >= 0;
      if (all) ++result.facesWithNormals;
      offset += corners;
    }
  }
  return result;
}

tinyobj::ObjReaderConfig config() {
  tinyobj::ObjReaderConfig settings;
  settings.triangulate = false;  // keep the quads as written
  return settings;
}

}  // namespace

clsReadBack readObjFile(const std::string& path) {
  tinyobj::ObjReader reader;
  reader.ParseFromFile(path, config());
  return collect(reader);
}

}  // namespace support
