#pragma once
// The live 3D view's scene: every item the creation run would make, from the same generator,
// as lit, coloured triangles per element, with the coverage rectangles and a ground grid.
// Built from a copy of the project with its own random generator, so it can run on a thread of
// its own and leaves the program's generator and files untouched.

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "generation/item_sink.h"
#include "document/project.h"
#include "model/store.h"

namespace preview {

inline constexpr std::int32_t kDefaultPreviewCap = 20000;

// One vertex: position, the normal in signed bytes (-127..127 for -1..1), and the colour
// (red + 256 green + 65536 blue). Twenty bytes, so that a software renderer reads little.
struct clsPreviewVertex {
  float x, y, z;
  std::int8_t nx, ny, nz, unused;
  std::uint32_t colour;
};

inline clsPreviewVertex previewVertex(float x, float y, float z, float nx, float ny, float nz, std::uint32_t colour) {
  const auto pack = [](float c) { return static_cast<std::int8_t>(c >= 1 ? 127 : c <= -1 ? -127 : c * 127); };
  return {x, y, z, pack(nx), pack(ny), pack(nz), 0, colour};
}

struct clsPreviewElement {
  bool inUse = false;
  // Vertices shared by the faces of a smoothed item, three indexes a triangle; faceted items
  // have vertices of their own for each face.
  std::vector<clsPreviewVertex> vertices;
  std::vector<std::uint32_t> triangles;
  float coverX = 0, coverZ = 0;
  std::uint64_t fingerprint = 0;  // of the mesh: a buffer is rebuilt only when it changes
};

struct clsPreviewScene {
  std::array<clsPreviewElement, model::kElementCount> elements{};
  std::int64_t itemsShown = 0;
  std::int64_t itemsTotal = 0;  // what the creation run would make
  std::int64_t itemsWritten = -1;  // where the disk-space limit stops the run; -1 when it does not
  // Above 0 when the field was too slow to build for the view: the seconds it would have taken.
  double tooSlowSeconds = 0;
  std::int64_t itemsOutOfReach = 0;  // items too far out for the view, not shown
  float minX = 0, minY = 0, minZ = 0, maxX = 1, maxY = 1, maxZ = 1;
};

// How far a build has come, for the line under the view (read from another thread).
struct clsBuildProgress {
  std::atomic<std::int64_t> made{0};   // items made or drawn in the build's pass
  std::atomic<std::int64_t> total{0};  // items of the field
};

// A build that would take longer than this ends with a message instead.
inline constexpr double kLongestBuildSeconds = 60;

}  // namespace preview

namespace modPreview {

// Every k-th item of each element (the first, the k+1-th, ...) is shown, k the smallest step
// that keeps the items shown within cap; total is every item the run would make.
std::int64_t keepEvery(const document::clsProject& project, std::int64_t cap, std::int64_t& total);

// Builds the scene of the run that the disk-space limit diskLimitMB may stop; nothing when cancel
// was set while it ran. Items not shown are only drawn, not built. A field that would take
// longer than kLongestBuildSeconds ends early: a scene without items that says so.
std::optional<preview::clsPreviewScene> buildScene(const document::clsProject& project, std::uint64_t seed,
                                                   std::int64_t cap, const std::atomic<bool>& cancel,
                                                   std::int32_t diskLimitMB = generation::kMinDiskLimitMB,
                                                   preview::clsBuildProgress* progress = nullptr);

// "Preview: 20,000 of 1,000,000 items", "Preview: all 1,000 items", "Preview: 1 item", or where
// the disk-space limit stops the run: "The disk-space limit stops the run at about 1,300 of 20,000 items."
std::string previewLine(const preview::clsPreviewScene& scene);

}  // namespace modPreview
