#include "generation/glb_sink.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "generation/json_text.h"
#include "geometry/item_faces.h"
#include "model/text_fields.h"

namespace generation {

namespace {

// The pool's size: once its blocks hold this much, the pending data goes to the file.
constexpr std::size_t kPoolBytes = 24 * 1000 * 1000;
constexpr std::size_t kPoolBlocks = kPoolBytes / clsGlbBlocks::kBlockBytes;
// Bytes go to the file in pieces of about this size.
constexpr std::size_t kWriteBytes = 1 << 20;

// A vertex: position, normal and texture coordinates, 32-bit floats.
constexpr std::int64_t kVertexBytes = 32;
constexpr int kNormalOffset = 12;
constexpr int kTexCoordOffset = 24;
constexpr std::int64_t kIndexBytes = 4;

// The file's frame.
constexpr std::uint32_t kGlbMagic = 0x46546C67;  // "glTF"
constexpr std::uint32_t kGlbVersion = 2;
constexpr std::uint32_t kJsonChunk = 0x4E4F534A;  // "JSON"
constexpr std::uint32_t kBinChunk = 0x004E4942;   // "BIN\0"
constexpr std::int64_t kFrameBytes = 12 + 8 + 8;  // file header, JSON and binary chunk headers

// glTF's numbers for what the accessors and buffer views hold.
constexpr int kFloat = 5126;
constexpr int kUnsignedInt = 5125;
constexpr int kArrayBuffer = 34962;
constexpr int kElementArrayBuffer = 34963;

// The most JSON text one primitive can take (its buffer views, accessors and primitive object,
// with every number at its longest), and one element's node and mesh besides their names.
constexpr std::int64_t kPrimitiveJsonBound = 768;
constexpr std::int64_t kElementJsonBound = 64;

void putWord(std::string& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A triangle's unnormalised normal, in double so that no float rounding hides its area.
struct clsCross {
  double x, y, z;
  // The tip of a blade, where two vertices meet, is no triangle at all.
  bool zeroArea() const { return !(x * x + y * y + z * z > 0); }
  geometry::clsPixel unit() const {
    const double length = std::sqrt(x * x + y * y + z * z);
    return {static_cast<float>(x / length), static_cast<float>(y / length), static_cast<float>(z / length)};
  }
};

clsCross cross(const geometry::clsPixel& a, const geometry::clsPixel& b, const geometry::clsPixel& c) {
  const double ux = double(b.x) - a.x, uy = double(b.y) - a.y, uz = double(b.z) - a.z;
  const double vx = double(c.x) - a.x, vy = double(c.y) - a.y, vz = double(c.z) - a.z;
  return {uy * vz - uz * vy, uz * vx - ux * vz, ux * vy - uy * vx};
}

// The glTF objects, one function each.

void putAsset(clsJsonText& json, const clsGlbContents& contents) {
  json.beginObject("asset").string("version", "2.0").string("generator", contents.generator);
  const std::vector<std::string_view> note = modText::splitLines(contents.note);
  if (!note.empty()) {
    json.beginObject("extras").beginArray("note");
    for (std::string_view line : note) json.string({}, line);
    json.endArray().endObject();
  }
  json.endObject();
}

void putBufferView(clsJsonText& json, std::int64_t offset, std::int64_t length, int stride, int target) {
  json.beginObject().integer("buffer", 0).integer("byteOffset", offset).integer("byteLength", length);
  if (stride > 0) json.integer("byteStride", stride);
  json.integer("target", target).endObject();
}

void putAccessor(clsJsonText& json, int view, int offset, int componentType, std::int64_t count, const char* type,
                 const float* min = nullptr, const float* max = nullptr) {
  json.beginObject().integer("bufferView", view);
  if (offset > 0) json.integer("byteOffset", offset);
  json.integer("componentType", componentType).integer("count", count).string("type", type);
  if (min != nullptr) json.singles("min", min, 3).singles("max", max, 3);
  json.endObject();
}

void putMaterial(clsJsonText& json, const clsGlbMaterial& material) {
  json.beginObject().string("name", material.name);
  json.beginObject("pbrMetallicRoughness")
      .singles("baseColorFactor", material.colour, 4)
      .integer("metallicFactor", 0)
      .single("roughnessFactor", material.roughness)
      .endObject();
  if (material.colour[3] < 1) json.string("alphaMode", "BLEND");
  if (material.doubleSided) json.flag("doubleSided", true);
  json.endObject();
}

clsGlbMaterial materialNumbered(const clsGlbContents& contents, std::int32_t number) {
  if (number >= 1 && static_cast<std::size_t>(number) <= contents.materials.size())
    return contents.materials[static_cast<std::size_t>(number - 1)];
  clsGlbMaterial material;
  material.name = "material" + std::to_string(number);
  return material;
}

// The whole JSON head for the primitives placed in the binary chunk of binBytes.
std::string headJson(const clsGlbContents& contents, const std::vector<clsGlbPlaced>& placed, std::int64_t binBytes) {
  clsJsonText json;
  json.beginObject();
  putAsset(json, contents);
  json.integer("scene", 0);
  if (placed.empty()) {
    json.beginArray("scenes").beginObject().endObject().endArray();
    return json.endObject().take();
  }
  // Each element's primitives together, in the order they were placed.
  std::vector<std::size_t> order(placed.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return placed[a].element < placed[b].element; });
  // Materials in the order of their numbers, only those used.
  std::vector<std::int32_t> used;
  for (const clsGlbPlaced& p : placed)
    if (p.material > 0) used.push_back(p.material);
  std::sort(used.begin(), used.end());
  used.erase(std::unique(used.begin(), used.end()), used.end());
  std::vector<int> elements;
  for (std::size_t i : order)
    if (elements.empty() || elements.back() != placed[i].element) elements.push_back(placed[i].element);

  json.beginArray("scenes").beginObject().beginArray("nodes");
  for (std::size_t n = 0; n < elements.size(); ++n) json.integer({}, static_cast<std::int64_t>(n));
  json.endArray().endObject().endArray();
  json.beginArray("nodes");
  for (std::size_t n = 0; n < elements.size(); ++n)
    json.beginObject()
        .string("name", contents.elementNames[static_cast<std::size_t>(elements[n] - 1)])
        .integer("mesh", static_cast<std::int64_t>(n))
        .endObject();
  json.endArray();
  // Each primitive has four accessors and two buffer views, in its place in the order.
  json.beginArray("meshes");
  for (std::size_t i = 0, accessor = 0; i < order.size();) {
    const int element = placed[order[i]].element;
    json.beginObject().string("name", contents.elementNames[static_cast<std::size_t>(element - 1)]);
    json.beginArray("primitives");
    for (; i < order.size() && placed[order[i]].element == element; ++i, accessor += 4) {
      const clsGlbPlaced& p = placed[order[i]];
      json.beginObject().beginObject("attributes");
      json.integer("POSITION", static_cast<std::int64_t>(accessor))
          .integer("NORMAL", static_cast<std::int64_t>(accessor + 1))
          .integer("TEXCOORD_0", static_cast<std::int64_t>(accessor + 2));
      json.endObject().integer("indices", static_cast<std::int64_t>(accessor + 3));
      if (p.material > 0) json.integer("material", std::lower_bound(used.begin(), used.end(), p.material) - used.begin());
      json.endObject();
    }
    json.endArray().endObject();
  }
  json.endArray();
  if (!used.empty()) {
    json.beginArray("materials");
    for (std::int32_t number : used) putMaterial(json, materialNumbered(contents, number));
    json.endArray();
  }
  json.beginArray("accessors");
  for (std::size_t n = 0; n < order.size(); ++n) {
    const clsGlbPlaced& p = placed[order[n]];
    const int view = static_cast<int>(2 * n);
    putAccessor(json, view, 0, kFloat, p.vertexCount, "VEC3", p.min, p.max);
    putAccessor(json, view, kNormalOffset, kFloat, p.vertexCount, "VEC3");
    putAccessor(json, view, kTexCoordOffset, kFloat, p.vertexCount, "VEC2");
    putAccessor(json, view + 1, 0, kUnsignedInt, p.indexCount, "SCALAR");
  }
  json.endArray();
  json.beginArray("bufferViews");
  for (std::size_t i : order) {
    const clsGlbPlaced& p = placed[i];
    putBufferView(json, p.vertexOffset, p.vertexBytes, static_cast<int>(kVertexBytes), kArrayBuffer);
    putBufferView(json, p.indexOffset, p.indexBytes, 0, kElementArrayBuffer);
  }
  json.endArray();
  json.beginArray("buffers").beginObject().integer("byteLength", binBytes).endObject().endArray();
  return json.endObject().take();
}

// The file header and the JSON chunk, padded with spaces to jsonBytes (a multiple of 4), and
// the binary chunk's header when it has data.
std::string headBytes(const std::string& json, std::int64_t jsonBytes, std::int64_t binBytes) {
  std::string head;
  const std::int64_t total = 12 + 8 + jsonBytes + (binBytes > 0 ? 8 + binBytes : 0);
  putWord(head, kGlbMagic);
  putWord(head, kGlbVersion);
  putWord(head, static_cast<std::uint32_t>(total));
  putWord(head, static_cast<std::uint32_t>(jsonBytes));
  putWord(head, kJsonChunk);
  head += json;
  head.append(static_cast<std::size_t>(jsonBytes) - json.size(), ' ');
  if (binBytes > 0) {
    putWord(head, static_cast<std::uint32_t>(binBytes));
    putWord(head, kBinChunk);
  }
  return head;
}

}  // namespace

std::uint32_t clsGlbBlocks::take() {
  // Not cleared: every byte of a block is written before it is read.
  if (used_ == blocks_.size()) blocks_.emplace_back(new unsigned char[kBlockBytes]);
  return used_++;
}

void clsGlbStream::putAcross(clsGlbBlocks& pool, const void* data, std::size_t count) {
  const auto* from = static_cast<const unsigned char*>(data);
  while (count > 0) {
    const auto offset = static_cast<std::size_t>(size % static_cast<std::int64_t>(clsGlbBlocks::kBlockBytes));
    if (offset == 0) blocks.push_back(pool.take());
    const std::size_t part = std::min(count, clsGlbBlocks::kBlockBytes - offset);
    std::memcpy(pool.at(blocks.back()) + offset, from, part);
    from += part;
    count -= part;
    size += static_cast<std::int64_t>(part);
  }
}

clsGlbSink::clsGlbSink(clsObjWriter& writer, clsGlbContents contents)
    : writer_(writer), contents_(std::move(contents)) {}

void clsGlbSink::beginElement(int element, std::int32_t itemCount) {
  writer_.beginElement(element, itemCount);
  element_ = element;
  begun_[static_cast<std::size_t>(element - 1)] = true;
  lookup_.clear();
}

std::size_t clsGlbSink::primitiveFor(std::int32_t material) {
  const auto key = static_cast<std::size_t>(std::max(material, 0));
  if (key >= lookup_.size()) lookup_.resize(key + 1, -1);
  if (lookup_[key] < 0) {
    lookup_[key] = static_cast<std::int32_t>(primitives_.size());
    clsGlbPrimitive primitive;
    primitive.element = element_;
    primitive.material = std::max(material, 0);
    primitives_.push_back(std::move(primitive));
  }
  return static_cast<std::size_t>(lookup_[key]);
}

void clsGlbSink::putVertex(clsGlbPrimitive& primitive, const geometry::clsPixel& p, const geometry::clsPixel& n,
                           const clsTexCoord& uv) {
  const float vertex[8] = {p.x, p.y, p.z, n.x, n.y, n.z, uv.u, uv.v};
  primitive.vertices.put(pool_, vertex, sizeof vertex);
  ++primitive.vertexCount;
  for (int k = 0; k < 3; ++k) {
    if (primitive.vertexCount == 1 || vertex[k] < primitive.min[k]) primitive.min[k] = vertex[k];
    if (primitive.vertexCount == 1 || vertex[k] > primitive.max[k]) primitive.max[k] = vertex[k];
  }
  dataBytes_ += kVertexBytes;
}

void clsGlbSink::texCoords(const geometry::clsItemList& list, std::size_t item, std::size_t points) {
  namespace ringFlag = geometry::ringFlag;
  const geometry::clsItemEntry& entry = list.items[item];
  texCoords_.assign(points, clsTexCoord{});
  closedRing_.assign(points, 0);
  std::uint32_t at = 0;  // the ring's first point, from the item's
  const std::uint32_t ringsEnd = entry.firstRing + entry.ringCount;
  for (std::uint32_t r = entry.firstRing, runStart = r, runEnd = r; r < ringsEnd; ++r) {
    const geometry::clsItemRing& ring = list.rings[r];
    if ((ring.flags & ringFlag::kFirstOfRun) != 0 || r == runEnd) {
      runStart = r;
      for (runEnd = r + 1; runEnd < ringsEnd && (list.rings[runEnd].flags & ringFlag::kFirstOfRun) == 0;) ++runEnd;
    }
    const std::uint32_t stride = 1 + static_cast<std::uint32_t>(geometry::normalsPerVertex(ring.flags));
    const bool closed = (ring.flags & ringFlag::kClosed) != 0;
    // v from the run's first ring (the root) to its last (the tip); u across an open ring from
    // one edge to the other, around a closed one (its seam gets a copy at u = 1).
    const float v = runEnd - runStart > 1 ? static_cast<float>(r - runStart) / static_cast<float>(runEnd - runStart - 1) : 0;
    const std::uint32_t across = closed ? ring.n : ring.n - 1u;
    for (std::uint32_t k = 0; k < ring.count; ++k) {
      const std::uint32_t point = at + k * stride;
      if (point >= points) break;
      texCoords_[point] = {across > 0 ? static_cast<float>(k) / static_cast<float>(across) : 0, v};
      closedRing_[point] = closed ? 1 : 0;
    }
    at += ring.count * stride;
  }
}

RunStatus clsGlbSink::addItem(const geometry::clsItemList& list, std::size_t item) {
  const geometry::clsItemEntry& entry = list.items[item];
  const std::size_t pointsEnd = item + 1 < list.items.size() ? list.items[item + 1].firstPoint : list.points.size();
  // Two slots per point: its vertex, and the copy at u = 1 where a closed ring's seam needs one.
  slots_.assign(2 * (pointsEnd - entry.firstPoint), clsSlot{});
  texCoords(list, item, pointsEnd - entry.firstPoint);
  const geometry::clsPixel* points = list.points.data();
  modItemFaces::walkTriangles(list, item, material_, [&](std::int32_t material, geometry::clsFaceCorner a,
                                                         geometry::clsFaceCorner b, geometry::clsFaceCorner c) {
    const clsCross normal = cross(points[a.position], points[b.position], points[c.position]);
    if (normal.zeroArea()) return;
    clsGlbPrimitive& primitive = primitives_[primitiveFor(material)];
    const auto primitiveIndex = static_cast<std::int32_t>(&primitive - primitives_.data());
    // A corner without a normal of its own is part of a flat face (a faceted rock, a cap): the
    // face has vertices of its own with its normal, so that every reader shades it flat, also
    // one that computes normals from shared vertices.
    const bool flat = a.normal == 0;
    // A face across a closed ring's seam (one corner at u = 0, another past the middle) takes
    // the copies at u = 1 of its corners at u = 0.
    float most = 0;
    for (const geometry::clsFaceCorner& corner : {a, b, c})
      most = std::max(most, texCoords_[corner.position - entry.firstPoint].u);
    std::uint32_t corners[3];
    int k = 0;
    for (const geometry::clsFaceCorner& corner : {a, b, c}) {
      const std::size_t point = corner.position - entry.firstPoint;
      clsTexCoord uv = texCoords_[point];
      const bool seam = closedRing_[point] != 0 && uv.u == 0 && most > 0.5f;
      if (seam) uv.u = 1;
      if (flat) {
        corners[k++] = primitive.vertexCount;
        putVertex(primitive, points[corner.position], normal.unit(), uv);
        continue;
      }
      clsSlot& slot = slots_[2 * (corner.position + corner.normal - entry.firstPoint) + (seam ? 1 : 0)];
      if (slot.primitive != primitiveIndex) {
        // A vertex of its own in each primitive (material) that uses it.
        slot.primitive = primitiveIndex;
        slot.index = primitive.vertexCount;
        geometry::clsPixel n = points[corner.position + corner.normal];
        // glTF normals must have unit length: one the OBJ writes as zeros takes the face's.
        if (n.x == 0 && n.y == 0 && n.z == 0) n = normal.unit();
        putVertex(primitive, points[corner.position], n, uv);
      }
      corners[k++] = slot.index;
    }
    primitive.indices.put(pool_, corners, sizeof corners);
    primitive.indexCount += 3;
    dataBytes_ += 3 * kIndexBytes;
  });
  return RunStatus::GoOn;
}

RunStatus clsGlbSink::itemDone(const geometry::clsItemList& list, std::uint32_t first, std::uint32_t end, bool report,
                               std::int32_t itemNumber, const std::string_view* /*ahead*/) {
  if (report) writer_.setItemNumber(itemNumber);
  for (std::size_t i = first; i < end; ++i)
    if (const RunStatus code = addItem(list, i); code != RunStatus::GoOn) return code;
  if (end > first) writer_.addItemsInFile(1);
  // A full pool goes to the file between items; the element goes on in new primitives.
  if (pool_.inUse() >= kPoolBlocks)
    if (const RunStatus code = writePending(RunStatus::AppendWriteFailed); code != RunStatus::GoOn) return code;
  writer_.setBytes(head_ + writtenBytes_, dataBytes_ - writtenBytes_);
  // The file holds whole items: the item that crosses the limit is the last one.
  return dataBytes_ > writer_.limitBytes() ? RunStatus::LimitReached : RunStatus::GoOn;
}

std::string clsGlbSink::progressLine() { return writer_.progressLine(); }

std::vector<std::size_t> clsGlbSink::pendingOrder() const {
  std::vector<std::size_t> order;
  for (std::size_t p = 0; p < primitives_.size(); ++p)
    if (primitives_[p].indexCount > 0) order.push_back(p);
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    const clsGlbPrimitive &x = primitives_[a], &y = primitives_[b];
    if (x.element != y.element) return x.element < y.element;
    return x.material < y.material;
  });
  return order;
}

std::vector<clsGlbPlaced> clsGlbSink::placePending(std::int64_t offset) const {
  std::vector<clsGlbPlaced> placed;
  for (std::size_t p : pendingOrder()) {
    const clsGlbPrimitive& primitive = primitives_[p];
    clsGlbPlaced place;
    place.element = primitive.element;
    place.material = primitive.material;
    place.vertexOffset = offset;
    place.vertexBytes = primitive.vertices.size;
    place.indexOffset = offset + primitive.vertices.size;
    place.indexBytes = primitive.indices.size;
    place.vertexCount = primitive.vertexCount;
    place.indexCount = primitive.indexCount;
    std::copy(primitive.min, primitive.min + 3, place.min);
    std::copy(primitive.max, primitive.max + 3, place.max);
    offset = place.indexOffset + place.indexBytes;
    placed.push_back(place);
  }
  return placed;
}

std::int64_t clsGlbSink::headBound() {
  // What is known now, written out, plus the most that the rest of the run can add: every
  // material, and a primitive per material for every element still to come and for every
  // further pool's worth the limit allows.
  std::vector<clsGlbPlaced> all = placed_;
  const std::vector<clsGlbPlaced> pending = placePending(0);
  all.insert(all.end(), pending.begin(), pending.end());
  std::int64_t bound = static_cast<std::int64_t>(headJson(contents_, all, dataBytes_).size());
  clsJsonText materials;
  for (std::size_t m = 0; m < contents_.materials.size(); ++m) putMaterial(materials, contents_.materials[m]);
  bound += static_cast<std::int64_t>(materials.text().size()) + 64;
  std::int64_t mostMaterials = 1;
  for (std::size_t e = 0; e < contents_.elementNames.size(); ++e) {
    const std::int64_t primitives = contents_.elementMaterials[e] + 1;  // and one for no material
    mostMaterials = std::max(mostMaterials, primitives);
    bound += 2 * static_cast<std::int64_t>(modGlbFile::jsonString(contents_.elementNames[e]).size()) + kElementJsonBound;
    if (!begun_[e] || static_cast<int>(e) + 1 == element_) bound += primitives * kPrimitiveJsonBound;
  }
  const std::int64_t pools = std::max<std::int64_t>(0, writer_.limitBytes() - dataBytes_) /
                                 static_cast<std::int64_t>(kPoolBytes) + 1;
  bound += pools * mostMaterials * kPrimitiveJsonBound;
  return kFrameBytes + (bound + 3) / 4 * 4;
}

RunStatus clsGlbSink::writeBytes(const void* data, std::size_t size, bool last, RunStatus writeFailed) {
  out_.append(static_cast<const char*>(data), size);
  if ((out_.size() < kWriteBytes && !last) || out_.empty()) return RunStatus::GoOn;
  const platform::FileStatus status = writer_.file()->writeAt(fileOffset_, out_);
  fileOffset_ += static_cast<std::int64_t>(out_.size());
  out_.clear();
  return status == platform::FileStatus::Ok ? RunStatus::GoOn : writeFailed;
}

RunStatus clsGlbSink::writeData(RunStatus writeFailed) {
  const std::vector<clsGlbPlaced> placed = placePending(writtenBytes_);
  for (std::size_t p : pendingOrder()) {
    for (const clsGlbStream* stream : {&primitives_[p].vertices, &primitives_[p].indices}) {
      std::int64_t left = stream->size;
      for (std::uint32_t block : stream->blocks) {
        const auto size = static_cast<std::size_t>(std::min<std::int64_t>(left, clsGlbBlocks::kBlockBytes));
        if (const RunStatus code = writeBytes(pool_.at(block), size, false, writeFailed); code != RunStatus::GoOn)
          return code;
        left -= static_cast<std::int64_t>(size);
      }
    }
  }
  if (const RunStatus code = writeBytes(nullptr, 0, true, writeFailed); code != RunStatus::GoOn) return code;
  placed_.insert(placed_.end(), placed.begin(), placed.end());
  writtenBytes_ = dataBytes_;
  primitives_.clear();
  lookup_.clear();
  pool_.releaseAll();
  return RunStatus::GoOn;
}

RunStatus clsGlbSink::writePending(RunStatus writeFailed) {
  if (head_ == 0) {
    // The first data to reach the file goes behind room for the head, which is written once
    // the run ends.
    head_ = headBound();
    fileOffset_ = head_;
  }
  return writeData(writeFailed);
}

RunStatus clsGlbSink::close(RunStatus code) {
  if (closed_) return code;
  closed_ = true;
  if (failed(code) || writer_.file() == nullptr) return code;
  platform::ITemporaryFile& file = *writer_.file();
  if (head_ == 0) {
    // Everything is still in memory: the head exactly as long as it needs, then the data.
    const std::string json = headJson(contents_, placePending(0), dataBytes_);
    const std::string head = headBytes(json, static_cast<std::int64_t>((json.size() + 3) / 4 * 4), dataBytes_);
    if (file.writeAt(0, head) != platform::FileStatus::Ok) return RunStatus::FinalWriteFailed;
    fileOffset_ = static_cast<std::int64_t>(head.size());
    if (const RunStatus written = writeData(RunStatus::FinalWriteFailed); written != RunStatus::GoOn) return written;
  } else {
    if (const RunStatus written = writeData(RunStatus::FinalWriteFailed); written != RunStatus::GoOn) return written;
    const std::string json = headJson(contents_, placed_, dataBytes_);
    // The room was made for the longest head the run could need.
    if (static_cast<std::int64_t>(json.size()) > head_ - kFrameBytes) return RunStatus::FinalWriteFailed;
    if (file.writeAt(0, headBytes(json, head_ - kFrameBytes, dataBytes_)) != platform::FileStatus::Ok)
      return RunStatus::FinalWriteFailed;
  }
  writer_.setBytes(file.length(), 0);
  return code;
}

}  // namespace generation
