#include "support/assimp_readback.h"

#include <algorithm>
#include <cmath>

#include <assimp/DefaultLogger.hpp>
#include <assimp/Importer.hpp>
#include <assimp/LogStream.hpp>
#include <assimp/material.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

namespace support {
namespace {

class clsCollect final : public Assimp::LogStream {
 public:
  explicit clsCollect(std::vector<std::string>& lines) : lines_(lines) {}
  void write(const char* message) override { lines_.emplace_back(message); }

 private:
  std::vector<std::string>& lines_;
};

void readMaterials(const aiScene& scene, clsAssimpRead& result) {
  result.materials = scene.mNumMaterials;
  for (unsigned m = 0; m < scene.mNumMaterials; ++m) {
    aiString name;
    aiColor3D kd;
    scene.mMaterials[m]->Get(AI_MATKEY_NAME, name);
    scene.mMaterials[m]->Get(AI_MATKEY_COLOR_DIFFUSE, kd);
    result.materialNames.emplace_back(name.C_Str());
    result.diffuse.push_back({kd.r, kd.g, kd.b});
  }
}

void readTexCoords(const aiScene& scene, clsAssimpRead& result) {
  std::size_t atV0 = 0, atV1 = 0;
  for (unsigned m = 0; m < scene.mNumMeshes; ++m) {
    const aiMesh& mesh = *scene.mMeshes[m];
    if (mesh.mTextureCoords[0] == nullptr) continue;
    for (unsigned i = 0; i < mesh.mNumVertices; ++i) {
      const aiVector3D& uv = mesh.mTextureCoords[0][i];
      for (std::size_t k = 0; k < 2; ++k) {
        const float value = k == 0 ? uv.x : uv.y;
        result.uvMin[k] = result.texturedVertices == 0 ? value : std::min(result.uvMin[k], value);
        result.uvMax[k] = result.texturedVertices == 0 ? value : std::max(result.uvMax[k], value);
      }
      ++result.texturedVertices;
      if (uv.y == 0) result.heightAtV0 += mesh.mVertices[i].y, ++atV0;
      if (uv.y == 1) result.heightAtV1 += mesh.mVertices[i].y, ++atV1;
    }
  }
  if (atV0 > 0) result.heightAtV0 /= static_cast<double>(atV0);
  if (atV1 > 0) result.heightAtV1 /= static_cast<double>(atV1);
}

void readTriangles(const aiScene& scene, clsAssimpRead& result) {
  bool first = true;
  for (unsigned m = 0; m < scene.mNumMeshes; ++m) {
    const aiMesh& mesh = *scene.mMeshes[m];
    result.faces += mesh.mNumFaces;
    for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
      const aiFace& face = mesh.mFaces[f];
      for (unsigned i = 1; i + 1 < face.mNumIndices; ++i) {
        const aiVector3D a = mesh.mVertices[face.mIndices[0]], b = mesh.mVertices[face.mIndices[i]],
                         c = mesh.mVertices[face.mIndices[i + 1]];
        // Triangles of no area, and slivers that only the rounding of OBJ numbers (7 digits) lifts
        // off a line, are left out; in double, so that nothing vanishes in a product of singles.
        const double ux = double(b.x) - a.x, uy = double(b.y) - a.y, uz = double(b.z) - a.z;
        const double vx = double(c.x) - a.x, vy = double(c.y) - a.y, vz = double(c.z) - a.z;
        const double cx = uy * vz - uz * vy, cy = uz * vx - ux * vz, cz = ux * vy - uy * vx;
        const double cross = cx * cx + cy * cy + cz * cz;
        if (!(cross > 1e-6 * (ux * ux + uy * uy + uz * uz) * (vx * vx + vy * vy + vz * vz))) continue;
        ++result.triangles;
        if (mesh.mNormals != nullptr) {
          const double length = std::sqrt(cross);
          bool off = false;
          for (unsigned k : {face.mIndices[0], face.mIndices[i], face.mIndices[i + 1]}) {
            const aiVector3D& n = mesh.mNormals[k];
            const double dot = (n.x * cx + n.y * cy + n.z * cz) / (length * std::max(1e-30, double(n.Length())));
            off = off || dot < std::cos(1.0 * 3.14159265358979 / 180);
          }
          if (off) ++result.trianglesOffFace;
        }
        for (const aiVector3D& p : {a, b, c}) {
          const float at[3] = {p.x, p.y, p.z};
          for (std::size_t k = 0; k < 3; ++k) {
            result.min[k] = first ? at[k] : std::min(result.min[k], at[k]);
            result.max[k] = first ? at[k] : std::max(result.max[k], at[k]);
          }
          first = false;
        }
      }
    }
  }
}

}  // namespace

clsAssimpRead readWithAssimp(const std::string& path) {
  clsAssimpRead result;
  Assimp::DefaultLogger::create("", Assimp::Logger::NORMAL);
  Assimp::DefaultLogger::get()->attachStream(new clsCollect(result.warnings),
                                             Assimp::Logger::Warn | Assimp::Logger::Err);
  {
    // Faces are fanned here: Assimp's own triangulation clips ears.
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(path, aiProcess_ValidateDataStructure | aiProcess_GenNormals);
    result.loaded = scene != nullptr;
    result.error = importer.GetErrorString();
    if (scene != nullptr) {
      readMaterials(*scene, result);
      readTriangles(*scene, result);
      readTexCoords(*scene, result);
    }
  }
  Assimp::DefaultLogger::kill();
  return result;
}

}  // namespace support
