#include "support/assimp_readback.h"

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

}  // namespace

clsAssimpRead readWithAssimp(const std::string& path) {
  clsAssimpRead result;
  Assimp::DefaultLogger::create("", Assimp::Logger::NORMAL);
  Assimp::DefaultLogger::get()->attachStream(new clsCollect(result.warnings),
                                             Assimp::Logger::Warn | Assimp::Logger::Err);
  {
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(path, aiProcess_ValidateDataStructure);
    result.loaded = scene != nullptr;
    result.error = importer.GetErrorString();
    if (scene != nullptr) {
      result.meshes = scene->mNumMeshes;
      result.materials = scene->mNumMaterials;
      for (unsigned m = 0; m < scene->mNumMeshes; ++m) result.faces += scene->mMeshes[m]->mNumFaces;
      for (unsigned m = 0; m < scene->mNumMaterials; ++m) {
        aiString name;
        aiColor3D kd;
        scene->mMaterials[m]->Get(AI_MATKEY_NAME, name);
        scene->mMaterials[m]->Get(AI_MATKEY_COLOR_DIFFUSE, kd);
        result.materialNames.emplace_back(name.C_Str());
        result.diffuse.push_back({kd.r, kd.g, kd.b});
      }
    }
  }
  Assimp::DefaultLogger::kill();
  return result;
}

}  // namespace support
