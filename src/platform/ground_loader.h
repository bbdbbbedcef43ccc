#pragma once
// The artist's terrain, read from a mesh file into plain triangles that the field can stand on.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// A ground as triangles in the program's own axes (Y up), every triangle usable: finite corners
// and a real area. corners holds nine numbers a triangle: x, y, z of its three corners.
struct clsGroundMesh {
  std::vector<float> corners;
  float minX = 0, minY = 0, minZ = 0;
  float maxX = 0, maxY = 0, maxZ = 0;
};

inline std::size_t triangleCount(const clsGroundMesh& mesh) { return mesh.corners.size() / 9; }

// How a ground file is to be read.
struct clsGroundOptions {
  // The file's third axis is its up: (x, y, z) is read as (x, z, -y), as exporters that turn a
  // Z-up scene into a Y-up one do.
  bool zUp = false;
};

enum class GroundStatus { Ok, Missing, Unreadable, NoTriangles, TooLarge, Cancelled };

// Grounds of more triangles than this are refused before their triangles are copied: at most
// about 1.5 GB are taken while such a ground is read and made ready for look-ups.
inline constexpr std::size_t kMaxGroundTriangles = 6'000'000;

// Called now and then with the share done so far (0..1), from the thread that loads; returning
// false cancels the load, which then ends soon with GroundStatus::Cancelled.
using tGroundProgress = std::function<bool(float)>;

class IGroundLoader {
 public:
  virtual ~IGroundLoader() = default;
  // mesh is filled only when Ok; otherwise error is one line that says why, naming the file.
  virtual GroundStatus load(const std::string& path, const clsGroundOptions& options, clsGroundMesh& mesh,
                            std::string& error, const tGroundProgress& progress = {}) = 0;
  // The file name endings this loader reads ("obj", "glb"), lower-case.
  virtual std::vector<std::string> extensions() const = 0;
};

}  // namespace platform
