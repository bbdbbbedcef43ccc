#pragma once
// The object file as one binary glTF (.glb), a second consumer of the same items as the OBJ
// sink: one node per element in use, one primitive per material of it, triangles with 32-bit
// indices. A .glb needs each primitive's data in one piece and every length in its JSON head,
// so the items' data collects per primitive (a small buffer each, spilled to a temporary file
// of its own beside the output when full, never put in place) and the file is put together in
// the writer's temporary file when the run ends. Memory stays flat whatever the field's size.
// It runs as the item pipeline's stage, on the thread beside the generator's.

#include <algorithm>
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
  std::vector<clsGlbMaterial> materials;      // material number m at m - 1
  std::string generator;
  std::string note;  // lines joined by CR LF, for the asset's extras
};

// Bytes in memory, appended a few at a time without the general insert's cost.
class clsGlbBytes {
 public:
  void put(const void* data, std::size_t size) {
    if (size_ + size > bytes_.size()) bytes_.resize(std::max<std::size_t>(bytes_.size() * 2, size_ + size + 4096));
    std::memcpy(bytes_.data() + size_, data, size);
    size_ += size;
  }
  const unsigned char* data() const { return bytes_.data(); }
  std::size_t size() const { return size_; }
  void clear() { size_ = 0; }

 private:
  std::vector<unsigned char> bytes_;
  std::size_t size_ = 0;
};

// One stream of a primitive's bytes: what was spilled to its file, then what is in memory.
struct clsGlbStream {
  clsGlbBytes buffer;
  std::unique_ptr<platform::ITemporaryFile> spill;  // null until the first spill; removed when dropped
  std::int64_t spilled = 0;
  std::int64_t size() const { return spilled + static_cast<std::int64_t>(buffer.size()); }
};

struct clsGlbPrimitive {
  int element = 0;
  std::int32_t material = 0;  // 0: none named
  // Vertices are position and normal, interleaved.
  clsGlbStream vertices, indices;
  std::uint32_t vertexCount = 0;
  std::int64_t indexCount = 0;
  float min[3] = {0, 0, 0}, max[3] = {0, 0, 0};
};

class clsGlbSink final : public IItemStage {
 public:
  // The writer must be open on an empty temporary file; it keeps the progress and the limit as
  // for the OBJ file. The spill files are made by files beside path, the output's place.
  clsGlbSink(clsObjWriter& writer, platform::IFileSystem& files, std::string path, clsGlbContents contents);
  ~clsGlbSink() override;
  clsGlbSink(const clsGlbSink&) = delete;
  clsGlbSink& operator=(const clsGlbSink&) = delete;

  void beginElement(int element, std::int32_t itemCount) override;
  RunStatus itemDone(const geometry::clsItemList& list, std::uint32_t first, std::uint32_t end, bool report,
                     std::int32_t itemNumber, const std::string_view* ahead) override;
  void endElement() override { writer_.endElement(); }
  RunStatus finish() override { return RunStatus::GoOn; }
  std::string progressLine() override;
  // Ends the run of code: a run that ended whole (done, limit, Cancel) puts the file together
  // from the items made so far; every spill file is removed. The run's final status.
  RunStatus close(RunStatus code);

 private:
  struct clsSlot {
    std::int32_t primitive = -1;
    std::uint32_t index = 0;
  };
  RunStatus addItem(const geometry::clsItemList& list, std::size_t item);
  std::size_t primitiveFor(std::int32_t material);
  void putVertex(clsGlbPrimitive& primitive, const geometry::clsPixel& p, const geometry::clsPixel& n);
  RunStatus spill(clsGlbStream& stream);
  RunStatus assemble();
  std::string json(const std::vector<std::size_t>& order, std::int64_t binBytes) const;
  void removeSpills();

  clsObjWriter& writer_;
  platform::IFileSystem& files_;
  std::string path_;
  clsGlbContents contents_;
  int element_ = 0;
  std::int32_t material_ = 0;  // in force from one item to the next, as in the OBJ text
  std::vector<clsGlbPrimitive> primitives_;
  std::vector<std::int32_t> lookup_;  // material of the current element to its primitive
  std::vector<clsSlot> slots_;        // the current item's corners to their vertices
  std::vector<std::size_t> full_;     // primitives the current item filled to spilling
  std::int64_t dataBytes_ = 0;
  bool closed_ = false;
};

}  // namespace generation

namespace modGlbFile {

// The JSON text of a string: quoted, escaped, and bytes that are no UTF-8 read as Latin-1.
std::string jsonString(std::string_view text);

}  // namespace modGlbFile
