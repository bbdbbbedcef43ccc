#pragma once
// The object file as one binary glTF (.glb), a second consumer of the same items as the OBJ
// sink: one node per element in use, its mesh one primitive per material, triangles with 32-bit
// indices. A primitive's data must be in one piece and the JSON head, which comes first, names
// every length, so the items' data collects per primitive in blocks of one shared pool of
// memory. A field that fits in the pool is written whole at the end, its head exactly as long
// as it needs. A larger one is written a pool at a time behind a head of spaces long enough for
// any JSON the run can make, and the head is written over once the run ends: every byte reaches
// the disk once, one file is open, and memory stays within the pool whatever the field. Each
// pool's worth of an element is a primitive of its own per material. It runs as the item
// pipeline's stage, on the thread beside the generator's.

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "generation/glb_materials.h"
#include "generation/item_pipeline.h"
#include "generation/obj_writer.h"

namespace generation {

// What the file says besides its geometry.
struct clsGlbContents {
  std::array<std::string, 11> elementNames;  // node names, element e at e - 1
  std::array<std::int32_t, 11> elementMaterials{};  // material numbers element e may use; 0 when not in use
  std::vector<clsGlbMaterial> materials;      // material number m at m - 1
  std::string generator;
  std::string note;  // lines joined by CR LF, for the asset's extras
};

// Fixed-size blocks of memory, all given back at once when their data was written.
class clsGlbBlocks {
 public:
  static constexpr std::size_t kBlockBytes = 4096;
  std::uint32_t take();
  void releaseAll() { used_ = 0; }
  unsigned char* at(std::uint32_t block) { return blocks_[block].get(); }
  const unsigned char* at(std::uint32_t block) const { return blocks_[block].get(); }
  std::size_t inUse() const { return used_; }

 private:
  std::vector<std::unique_ptr<unsigned char[]>> blocks_;
  std::uint32_t used_ = 0;
};

// One stream of a primitive's bytes, in blocks of the pool.
struct clsGlbStream {
  std::vector<std::uint32_t> blocks;
  std::int64_t size = 0;
  void put(clsGlbBlocks& pool, const void* data, std::size_t count) {
    // Most puts fit in the last block.
    const auto offset = static_cast<std::size_t>(size) % clsGlbBlocks::kBlockBytes;
    if (offset == 0 || offset + count > clsGlbBlocks::kBlockBytes) return putAcross(pool, data, count);
    std::memcpy(pool.at(blocks.back()) + offset, data, count);
    size += static_cast<std::int64_t>(count);
  }
  void putAcross(clsGlbBlocks& pool, const void* data, std::size_t count);
};

struct clsGlbPrimitive {
  int element = 0;
  std::int32_t material = 0;  // 0: none named
  clsGlbStream vertices, indices;  // vertices: position, normal and texture coordinates, interleaved
  std::uint32_t vertexCount = 0;
  std::int64_t indexCount = 0;
  float min[3] = {0, 0, 0}, max[3] = {0, 0, 0};
};

// Where a primitive's data lies in the binary chunk, for the JSON.
struct clsGlbPlaced {
  int element = 0;
  std::int32_t material = 0;
  std::int64_t vertexOffset = 0, vertexBytes = 0, indexOffset = 0, indexBytes = 0;
  std::uint32_t vertexCount = 0;
  std::int64_t indexCount = 0;
  float min[3] = {0, 0, 0}, max[3] = {0, 0, 0};
};

class clsGlbSink final : public IItemStage {
 public:
  // The writer must be open on an empty temporary file; it keeps the progress and the limit as
  // for the OBJ file.
  clsGlbSink(clsObjWriter& writer, clsGlbContents contents);
  clsGlbSink(const clsGlbSink&) = delete;
  clsGlbSink& operator=(const clsGlbSink&) = delete;

  void beginElement(int element, std::int32_t itemCount) override;
  RunStatus itemDone(const geometry::clsItemList& list, std::uint32_t first, std::uint32_t end, bool report,
                     std::int32_t itemNumber, const std::string_view* ahead) override;
  void endElement() override { writer_.endElement(); }
  RunStatus finish() override { return RunStatus::GoOn; }
  std::string progressLine() override;
  // Ends the run of code: a run that ended whole (done, limit, Cancel) completes the file with
  // the items made so far. The run's final status.
  RunStatus close(RunStatus code);

 private:
  struct clsSlot {
    std::int32_t primitive = -1;
    std::uint32_t index = 0;
  };
  struct clsTexCoord {
    float u = 0, v = 0;
  };
  RunStatus addItem(const geometry::clsItemList& list, std::size_t item);
  // Each point of the item: u across its ring, v along its run.
  void texCoords(const geometry::clsItemList& list, std::size_t item, std::size_t points);
  std::size_t primitiveFor(std::int32_t material);
  void putVertex(clsGlbPrimitive& primitive, const geometry::clsPixel& p, const geometry::clsPixel& n,
                 const clsTexCoord& uv);
  // The pending primitives in the file's order, and placed from the binary chunk's offset on.
  std::vector<std::size_t> pendingOrder() const;
  std::vector<clsGlbPlaced> placePending(std::int64_t offset) const;
  // The pending data to the file, after the head's room when it is the first.
  RunStatus writePending(RunStatus writeFailed);
  RunStatus writeData(RunStatus writeFailed);
  RunStatus writeBytes(const void* data, std::size_t size, bool last, RunStatus writeFailed);
  std::int64_t headBound();

  clsObjWriter& writer_;
  clsGlbContents contents_;
  int element_ = 0;
  std::array<bool, 11> begun_{};
  std::int32_t material_ = 0;  // in force from one item to the next, as in the OBJ text
  clsGlbBlocks pool_;
  std::vector<clsGlbPrimitive> primitives_;  // pending: not yet in the file
  std::vector<clsGlbPlaced> placed_;         // in the file
  std::vector<std::int32_t> lookup_;  // material of the current element to its pending primitive
  std::vector<clsSlot> slots_;        // the current item's corners to their vertices
  std::vector<clsTexCoord> texCoords_;  // the current item's points' texture coordinates
  std::vector<std::uint8_t> closedRing_;  // and whether their ring is closed
  std::string out_;                   // bytes on their way to the file
  std::int64_t dataBytes_ = 0;        // the binary chunk so far, written or pending
  std::int64_t writtenBytes_ = 0;     // of it, in the file
  std::int64_t head_ = 0;             // bytes kept for the head once data went to the file
  std::int64_t fileOffset_ = 0;       // where the next bytes go
  bool closed_ = false;
};

}  // namespace generation
