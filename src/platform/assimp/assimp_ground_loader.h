#pragma once
// Grounds read with Assimp: OBJ, glTF and GLB, PLY, STL, FBX and the rest of its readers.
// Polygons are triangulated, node transforms applied; triangles of no area or with corners
// that are not finite numbers are left out.

#include <cstdint>

#include "platform/ground_loader.h"

namespace platform {

class AssimpGroundLoader final : public IGroundLoader {
 public:
  // Assimp holds a whole file's scene, four to six times the file's size, before a single
  // triangle can be counted: larger files are refused unread, so that reading a ground stays
  // within about 1.5 GB (measured: a plain OBJ of 5,000,000 triangles, 194 MB, peaks at 1.13 GB;
  // a binary PLY of the same, 95 MB, at 450 MB). An OBJ of 224 MB holds about 5,800,000
  // triangles without normals, a binary STL of 320 MB 6,700,000; 128 MB of PLY or GLB about
  // 7,000,000, of FBX fewer.
  static constexpr std::int64_t kMaxObjBytes = 224LL * 1024 * 1024;
  static constexpr std::int64_t kMaxStlBytes = 320LL * 1024 * 1024;
  static constexpr std::int64_t kMaxOtherBytes = 128LL * 1024 * 1024;

  GroundStatus load(const std::string& path, const clsGroundOptions& options, clsGroundMesh& mesh, std::string& error,
                    const tGroundProgress& progress = {}) override;
  std::vector<std::string> extensions() const override;
};

}  // namespace platform
