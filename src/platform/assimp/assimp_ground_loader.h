#pragma once
// Grounds read with Assimp: OBJ, glTF and GLB, PLY, STL, FBX and the rest of its readers.
// Polygons are triangulated, node transforms applied; triangles of no area or with corners
// that are not finite numbers are left out.

#include <cstdint>

#include "platform/ground_loader.h"

namespace platform {

class AssimpGroundLoader final : public IGroundLoader {
 public:
  // Assimp holds a whole file's scene, several times the file's size for the text formats,
  // before a single triangle can be counted: larger files are refused unread, so that reading
  // a ground stays within about 1.5 GB. A binary file of 6,000,000 triangles is about
  // 110 MB (PLY) to 300 MB (STL); an OBJ of 5,000,000 triangles about 200 MB.
  static constexpr std::int64_t kMaxTextFileBytes = 240LL * 1024 * 1024;
  static constexpr std::int64_t kMaxBinaryFileBytes = 320LL * 1024 * 1024;

  GroundStatus load(const std::string& path, const clsGroundOptions& options, clsGroundMesh& mesh,
                    std::string& error, const tGroundProgress& progress = {}) override;
  std::vector<std::string> extensions() const override;
};

}  // namespace platform
