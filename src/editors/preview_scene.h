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

namespace editors {

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
  float minX = 0, minY = 0, minZ = 0, maxX = 1, maxY = 1, maxZ = 1;
};

}  // namespace editors

namespace modPreview {

// Every k-th item of each element (the first, the k+1-th, ...) is shown, k the smallest step
// that keeps the items shown within cap; total is every item the run would make.
std::int64_t keepEvery(const document::clsProject& project, std::int64_t cap, std::int64_t& total);

// Builds the scene of the run that the disk-space limit diskLimitMB may stop; nothing when cancel
// was set while it ran.
std::optional<editors::clsPreviewScene> buildScene(const document::clsProject& project, std::uint64_t seed,
                                                   std::int64_t cap, const std::atomic<bool>& cancel,
                                                   std::int32_t diskLimitMB = generation::kMinDiskLimitMB);

// "Preview: 20,000 of 1,000,000 items", "Preview: all 1,000 items", or where the disk-space limit
// stops the run: "The disk-space limit stops the run at about 1,300 of 20,000 items."
std::string previewLine(const editors::clsPreviewScene& scene);

}  // namespace modPreview

namespace editors {

// The items as the generator hands them over, with their material numbers, for tests that
// compare them with the object file and for the scene. With a step k only every k-th item of
// an element is kept: the others are made (their draws belong to the field) and dropped.
class clsCaptureSink : public generation::IItemSink {
 public:
  explicit clsCaptureSink(const std::atomic<bool>* cancel = nullptr, std::int64_t step = 1)
      : cancel_(cancel), step_(step < 1 ? 1 : step) {}
  geometry::clsItemList& items() override { return items_[static_cast<std::size_t>(element_ - 1)]; }
  void beginElement(int element, std::int32_t) override { element_ = element; }
  int itemDone(bool, std::int32_t itemNumber) override;
  void endElement() override {}
  int finish() override { return generation::status::kGoOn; }

  std::array<geometry::clsItemList, model::kElementCount> items_{};

 protected:
  // Takes away the item just made, if it added one after the first keptItems of its list.
  void dropLastItem(std::size_t keptItems);

 private:
  const std::atomic<bool>* cancel_;
  std::int64_t step_;
  int element_ = 1;
  std::array<std::size_t, model::kElementCount> kept_{};  // items kept so far, per element
};

}  // namespace editors
