#include "generation/glb_sink.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include "geometry/item_faces.h"
#include "model/text_fields.h"

namespace generation {

namespace {

// A primitive's buffer goes to its spill file once it holds this much; with up to a few hundred
// primitives this keeps the memory within a few tens of megabytes.
constexpr std::size_t kSpillBytes = 64 * 1024;

// A vertex: position and normal, 32-bit floats.
constexpr std::int64_t kVertexBytes = 24;

constexpr std::uint32_t kGlbMagic = 0x46546C67;  // "glTF"
constexpr std::uint32_t kJsonChunk = 0x4E4F534A;  // "JSON"
constexpr std::uint32_t kBinChunk = 0x004E4942;   // "BIN\0"

void putWord(std::string& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// The shortest text that reads back as exactly this single, so that a reader's min and max
// match the data to the bit.
void putFloat(std::string& out, float value) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, value).ptr;
  out.append(text, end);
}

void putFloats(std::string& out, const float* values, int count) {
  out += '[';
  for (int i = 0; i < count; ++i) {
    if (i > 0) out += ',';
    putFloat(out, values[i]);
  }
  out += ']';
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

}  // namespace

clsGlbSink::clsGlbSink(clsObjWriter& writer, platform::IFileSystem& files, std::string path, clsGlbContents contents)
    : writer_(writer), files_(files), path_(std::move(path)), contents_(std::move(contents)) {}

clsGlbSink::~clsGlbSink() { removeSpills(); }

void clsGlbSink::beginElement(int element, std::int32_t itemCount) {
  writer_.beginElement(element, itemCount);
  element_ = element;
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

void clsGlbSink::putVertex(clsGlbPrimitive& primitive, const geometry::clsPixel& p, const geometry::clsPixel& n) {
  primitive.vertices.buffer.put(&p, 12);
  primitive.vertices.buffer.put(&n, 12);
  ++primitive.vertexCount;
  const float at[3] = {p.x, p.y, p.z};
  for (int k = 0; k < 3; ++k) {
    if (primitive.vertexCount == 1 || at[k] < primitive.min[k]) primitive.min[k] = at[k];
    if (primitive.vertexCount == 1 || at[k] > primitive.max[k]) primitive.max[k] = at[k];
  }
  dataBytes_ += kVertexBytes;
}

RunStatus clsGlbSink::addItem(const geometry::clsItemList& list, std::size_t item) {
  const geometry::clsItemEntry& entry = list.items[item];
  const std::size_t pointsEnd = item + 1 < list.items.size() ? list.items[item + 1].firstPoint : list.points.size();
  slots_.assign(pointsEnd - entry.firstPoint, clsSlot{});
  full_.clear();
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
    for (const geometry::clsFaceCorner& corner : {a, b, c}) {
      if (flat) {
        const std::uint32_t index = primitive.vertexCount;
        putVertex(primitive, points[corner.position], normal.unit());
        primitive.indices.buffer.put(&index, 4);
        dataBytes_ += 4;
        continue;
      }
      clsSlot& slot = slots_[corner.position + corner.normal - entry.firstPoint];
      if (slot.primitive != primitiveIndex) {
        // A vertex of its own in each primitive (material) that uses it.
        slot.primitive = primitiveIndex;
        slot.index = primitive.vertexCount;
        geometry::clsPixel n = points[corner.position + corner.normal];
        // glTF normals must have unit length: one the OBJ writes as zeros takes the face's.
        if (n.x == 0 && n.y == 0 && n.z == 0) n = normal.unit();
        putVertex(primitive, points[corner.position], n);
      }
      primitive.indices.buffer.put(&slot.index, 4);
      dataBytes_ += 4;
    }
    primitive.indexCount += 3;
    if (primitive.indices.buffer.size() >= kSpillBytes || primitive.vertices.buffer.size() >= kSpillBytes)
      full_.push_back(static_cast<std::size_t>(primitiveIndex));
  });
  // Only the primitives this item filled are looked at: a field of many elements has hundreds.
  for (std::size_t p : full_) {
    for (clsGlbStream* stream : {&primitives_[p].vertices, &primitives_[p].indices})
      if (stream->buffer.size() >= kSpillBytes)
        if (const RunStatus code = spill(*stream); code != RunStatus::GoOn) return code;
  }
  return RunStatus::GoOn;
}

RunStatus clsGlbSink::spill(clsGlbStream& stream) {
  if (stream.spill == nullptr) stream.spill = files_.createTemporary(path_);
  if (stream.spill == nullptr) return RunStatus::AppendOpenFailed;
  const std::string_view data(reinterpret_cast<const char*>(stream.buffer.data()), stream.buffer.size());
  if (stream.spill->append(data) != platform::FileStatus::Ok) return RunStatus::AppendWriteFailed;
  stream.spilled += static_cast<std::int64_t>(stream.buffer.size());
  writer_.addFileBytes(static_cast<std::int64_t>(stream.buffer.size()));
  stream.buffer.clear();
  return RunStatus::GoOn;
}

RunStatus clsGlbSink::itemDone(const geometry::clsItemList& list, std::uint32_t first, std::uint32_t end, bool report,
                               std::int32_t itemNumber, const std::string_view* /*ahead*/) {
  if (report) writer_.setItemNumber(itemNumber);
  for (std::size_t i = first; i < end; ++i)
    if (const RunStatus code = addItem(list, i); code != RunStatus::GoOn) return code;
  if (end > first) writer_.addItemsInFile(1);
  writer_.setBytes(writer_.fileBytes(), dataBytes_ - writer_.fileBytes());
  // The file holds whole items: the item that crosses the limit is the last one.
  return dataBytes_ > writer_.limitBytes() ? RunStatus::LimitReached : RunStatus::GoOn;
}

std::string clsGlbSink::progressLine() { return writer_.progressLine(); }

std::string clsGlbSink::json(const std::vector<std::size_t>& order, std::int64_t binBytes) const {
  using modGlbFile::jsonString;
  std::string j = "{\"asset\":{\"version\":\"2.0\",\"generator\":" + jsonString(contents_.generator);
  const std::vector<std::string_view> note = modText::splitLines(contents_.note);
  if (!note.empty()) {
    j += ",\"extras\":{\"note\":[";
    for (std::size_t i = 0; i < note.size(); ++i) j += (i > 0 ? "," : "") + jsonString(note[i]);
    j += "]}";
  }
  j += "}";
  if (order.empty()) return j + ",\"scene\":0,\"scenes\":[{}]}";

  // Materials in the order of their numbers, only those used.
  std::vector<std::int32_t> used;
  for (std::size_t p : order)
    if (primitives_[p].material > 0) used.push_back(primitives_[p].material);
  std::sort(used.begin(), used.end());
  used.erase(std::unique(used.begin(), used.end()), used.end());

  std::string nodes, meshes, accessors, views;
  std::int64_t offset = 0;
  int accessor = 0, view = 0, mesh = 0;
  for (std::size_t i = 0; i < order.size();) {
    const int element = primitives_[order[i]].element;
    const std::string& name = contents_.elementNames[static_cast<std::size_t>(element - 1)];
    if (mesh > 0) nodes += ',', meshes += ',';
    nodes += "{\"name\":" + jsonString(name) + ",\"mesh\":" + std::to_string(mesh) + "}";
    meshes += "{\"name\":" + jsonString(name) + ",\"primitives\":[";
    for (bool first = true; i < order.size() && primitives_[order[i]].element == element; ++i, first = false) {
      const clsGlbPrimitive& primitive = primitives_[order[i]];
      const std::int64_t vertexBytes = primitive.vertices.size(), indexBytes = primitive.indices.size();
      if (view > 0) views += ',';
      views += "{\"buffer\":0,\"byteOffset\":" + std::to_string(offset) + ",\"byteLength\":" +
               std::to_string(vertexBytes) + ",\"byteStride\":24,\"target\":34962},";
      offset += vertexBytes;
      views += "{\"buffer\":0,\"byteOffset\":" + std::to_string(offset) + ",\"byteLength\":" +
               std::to_string(indexBytes) + ",\"target\":34963}";
      offset += indexBytes;
      const std::string count = std::to_string(primitive.vertexCount);
      if (accessor > 0) accessors += ',';
      accessors += "{\"bufferView\":" + std::to_string(view) + ",\"componentType\":5126,\"count\":" + count +
                   ",\"type\":\"VEC3\",\"min\":";
      putFloats(accessors, primitive.min, 3);
      accessors += ",\"max\":";
      putFloats(accessors, primitive.max, 3);
      accessors += "}";
      std::string attributes = "\"POSITION\":" + std::to_string(accessor++);
      accessors += ",{\"bufferView\":" + std::to_string(view) + ",\"byteOffset\":12,\"componentType\":5126,\"count\":" +
                   count + ",\"type\":\"VEC3\"}";
      attributes += ",\"NORMAL\":" + std::to_string(accessor++);
      accessors += ",{\"bufferView\":" + std::to_string(view + 1) + ",\"componentType\":5125,\"count\":" +
                   std::to_string(primitive.indexCount) + ",\"type\":\"SCALAR\"}";
      meshes += std::string(first ? "" : ",") + "{\"attributes\":{" + attributes + "},\"indices\":" +
                std::to_string(accessor++);
      if (primitive.material > 0)
        meshes += ",\"material\":" +
                  std::to_string(std::lower_bound(used.begin(), used.end(), primitive.material) - used.begin());
      meshes += "}";
      view += 2;
    }
    meshes += "]}";
    ++mesh;
  }
  std::string scene = "[";
  for (int n = 0; n < mesh; ++n) scene += (n > 0 ? "," : "") + std::to_string(n);
  scene += "]";

  std::string materials;
  for (std::size_t m = 0; m < used.size(); ++m) {
    const auto number = static_cast<std::size_t>(used[m]);
    clsGlbMaterial material;
    if (number <= contents_.materials.size()) material = contents_.materials[number - 1];
    else material.name = "material" + std::to_string(number);
    if (m > 0) materials += ',';
    materials += "{\"name\":" + jsonString(material.name) + ",\"pbrMetallicRoughness\":{\"baseColorFactor\":";
    putFloats(materials, material.colour, 4);
    materials += ",\"metallicFactor\":0,\"roughnessFactor\":";
    putFloat(materials, material.roughness);
    materials += "}";
    if (material.colour[3] < 1) materials += ",\"alphaMode\":\"BLEND\"";
    if (material.doubleSided) materials += ",\"doubleSided\":true";
    materials += "}";
  }

  j += ",\"scene\":0,\"scenes\":[{\"nodes\":" + scene + "}],\"nodes\":[" + nodes + "],\"meshes\":[" + meshes + "]";
  if (!materials.empty()) j += ",\"materials\":[" + materials + "]";
  j += ",\"accessors\":[" + accessors + "],\"bufferViews\":[" + views + "],\"buffers\":[{\"byteLength\":" +
       std::to_string(binBytes) + "}]}";
  return j;
}

RunStatus clsGlbSink::assemble() {
  std::vector<std::size_t> order;
  for (std::size_t p = 0; p < primitives_.size(); ++p)
    if (primitives_[p].indexCount > 0) order.push_back(p);
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    const clsGlbPrimitive &x = primitives_[a], &y = primitives_[b];
    if (x.element != y.element) return x.element < y.element;
    return x.material < y.material;
  });
  std::int64_t binBytes = 0;
  for (std::size_t p : order) binBytes += primitives_[p].vertices.size() + primitives_[p].indices.size();

  std::string text = json(order, binBytes);
  text.append((4 - text.size() % 4) % 4, ' ');
  std::string head;
  const std::int64_t total = 12 + 8 + static_cast<std::int64_t>(text.size()) + (binBytes > 0 ? 8 + binBytes : 0);
  putWord(head, kGlbMagic);
  putWord(head, 2);
  putWord(head, static_cast<std::uint32_t>(total));
  putWord(head, static_cast<std::uint32_t>(text.size()));
  putWord(head, kJsonChunk);
  head += text;
  if (binBytes > 0) {
    putWord(head, static_cast<std::uint32_t>(binBytes));
    putWord(head, kBinChunk);
  }
  platform::ITemporaryFile& file = *writer_.file();
  if (file.append(head) != platform::FileStatus::Ok) return RunStatus::FinalWriteFailed;
  for (std::size_t p : order) {
    for (const clsGlbStream* stream : {&primitives_[p].vertices, &primitives_[p].indices}) {
      if (stream->spill != nullptr && file.appendContentsOf(*stream->spill) != platform::FileStatus::Ok)
        return RunStatus::FinalWriteFailed;
      const std::string_view data(reinterpret_cast<const char*>(stream->buffer.data()), stream->buffer.size());
      if (file.append(data) != platform::FileStatus::Ok) return RunStatus::FinalWriteFailed;
    }
  }
  writer_.setBytes(file.length(), 0);
  return RunStatus::GoOn;
}

RunStatus clsGlbSink::close(RunStatus code) {
  if (closed_) return code;
  closed_ = true;
  if (!failed(code) && writer_.file() != nullptr) {
    const RunStatus assembled = assemble();
    if (assembled != RunStatus::GoOn) code = assembled;
  }
  removeSpills();
  return code;
}

void clsGlbSink::removeSpills() {
  for (clsGlbPrimitive& primitive : primitives_)
    for (clsGlbStream* stream : {&primitive.vertices, &primitive.indices}) stream->spill.reset();
}

}  // namespace generation

namespace modGlbFile {

std::string jsonString(std::string_view text) {
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      if (c == '"' || c == '\\') out += '\\', out += static_cast<char>(c);
      else if (c < 0x20) {
        static constexpr char kHex[] = "0123456789abcdef";
        out += "\\u00";
        out += kHex[c >> 4];
        out += kHex[c & 15];
      } else {
        out += static_cast<char>(c);
      }
      ++i;
      continue;
    }
    // A whole UTF-8 sequence is kept; any other byte is read as Latin-1.
    const std::size_t length = c >= 0xF5 ? 0 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 ? 2 : 0;
    bool valid = length > 0 && i + length <= text.size();
    for (std::size_t k = 1; valid && k < length; ++k) valid = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
    if (valid) {
      out.append(text.substr(i, length));
      i += length;
    } else {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
      ++i;
    }
  }
  return out + "\"";
}

}  // namespace modGlbFile
