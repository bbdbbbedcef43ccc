#include "geometry/item_list.h"

#include <algorithm>
#include <cassert>
#include <charconv>

#include "geometry/item_faces.h"
#include "model/number_format.h"
#include "model/text_fields.h"

namespace modItemList {

using geometry::clsItemList;
using geometry::clsPixel;
namespace ringFlag = geometry::ringFlag;

namespace {

constexpr std::string_view kEol = modText::kLineBreak;
constexpr std::size_t kMaxIntChars = 21;

char* putInt(char* out, long long value) { return std::to_chars(out, out + kMaxIntChars, value).ptr; }

char* putText(char* out, std::string_view text) { return std::copy(text.begin(), text.end(), out); }

// A face line: each corner as the relative index of its vertex and, where it names one, of its normal.
char* putFace(char* out, const geometry::clsItemFace& face) {
  *out++ = 'f';
  const auto normals = static_cast<long long>(face.normalsPerVertex());
  for (std::uint32_t i = 0; i < face.count; ++i) {
    const auto back = static_cast<long long>(face.back(i));
    *out++ = ' ';
    out = putInt(out, -back);
    if (const std::uint8_t normal = face.corner(i).normal; normal != 0) {
      *out++ = '/';
      *out++ = '/';
      out = putInt(out, -normals * back + (normal - 1));
    }
  }
  return putText(out, kEol);
}

char* putMaterial(char* out, std::string_view prefix, std::int32_t material) {
  out = putText(out, "usemtl ");
  out = putText(out, prefix);
  out = putInt(out, material);
  return putText(out, kEol);
}

char* putLine(char* out, std::string_view keyword, const clsPixel& p) {
  out = putText(out, keyword);
  out = modNumber::formatObjSingle(p.x, out);
  *out++ = ' ';
  out = modNumber::formatObjSingle(p.y, out);
  *out++ = ' ';
  out = modNumber::formatObjSingle(p.z, out);
  return putText(out, kEol);
}

constexpr std::size_t kMaxLine = 4 + 3 * modNumber::kMaxNumberChars + 2 + 2;
constexpr std::size_t kMaxFaceLine = 1 + 4 * (1 + 2 * kMaxIntChars + 2) + 2;

}  // namespace

void clearItems(clsItemList& list) {
  list.items.clear();
  list.rings.clear();
  list.points.clear();
  list.names.clear();
}

void drawTubeMaterials(const geometry::clsTube& tube, model::clsRandom& random) {
  modRandom::randomInteger(random, tube.matFrom, tube.matTo);
  for (const geometry::clsPolygon& ring : tube.rings) modRandom::randomInteger(random, ring.matFrom, ring.matTo);
}

void addTube(clsItemList& list, const geometry::clsTube& tube, bool writeNormals, model::clsRandom& random,
             std::int32_t leadMaterial) {
  geometry::clsItemEntry entry;
  entry.firstRing = static_cast<std::uint32_t>(list.rings.size());
  entry.ringCount = static_cast<std::uint32_t>(tube.rings.size());
  entry.firstPoint = static_cast<std::uint32_t>(list.points.size());
  entry.leadMaterial = leadMaterial;
  const int tubeMat = modRandom::randomInteger(random, tube.matFrom, tube.matTo);
  std::size_t n = 0;
  std::uint8_t runFlags = 0;
  bool runStart = true, capEnd = false;
  for (std::size_t r = 0; r < tube.rings.size(); ++r) {
    const geometry::clsPolygon& ring = tube.rings[r];
    geometry::clsItemRing item;
    if (runStart) {
      // The first ring of a run decides the flags and the vertex count of the whole run.
      n = ring.v.size();
      runFlags = 0;
      if (writeNormals && ring.smoothAlong) runFlags |= ringFlag::kAlong;
      if (writeNormals && ring.smoothAround) runFlags |= ringFlag::kAround;
      if (ring.isClosed) runFlags |= ringFlag::kClosed;
      item.flags = ringFlag::kFirstOfRun | (ring.capStart ? ringFlag::kCapStart : 0);
      capEnd = ring.capEnd;
    }
    assert(ring.v.size() >= n);
    item.flags |= runFlags;
    item.n = static_cast<std::uint16_t>(n);
    item.count = static_cast<std::uint16_t>(std::min(n, ring.v.size()));
    if (!ring.name.empty()) {
      item.nameBegin = static_cast<std::uint32_t>(list.names.size());
      item.nameLength = static_cast<std::uint32_t>(ring.name.size());
      list.names += ring.name;
    }
    const int ringMat = modRandom::randomInteger(random, ring.matFrom, ring.matTo);
    item.material = ringMat > 0 ? ringMat : (tubeMat >= 1 ? tubeMat : 0);
    const int normals = geometry::normalsPerVertex(runFlags);
    for (std::size_t k = 0; k < item.count; ++k) {
      list.points.push_back(ring.v[k].p);
      for (int m = 0; m < normals; ++m) list.points.push_back({});
    }
    runStart = ring.isEnd || r + 1 == tube.rings.size();
    if (runStart && capEnd) item.flags |= ringFlag::kCapEnd;
    list.rings.push_back(item);
  }
  list.items.push_back(entry);
}

std::size_t maxItemText(const clsItemList& list, std::size_t item, std::string_view materialPrefix) {
  const geometry::clsItemEntry& entry = list.items[item];
  std::size_t size = 7 + materialPrefix.size() + kMaxIntChars + 2;
  for (std::uint32_t r = entry.firstRing; r < entry.firstRing + entry.ringCount; ++r) {
    const geometry::clsItemRing& ring = list.rings[r];
    const auto lines = static_cast<std::size_t>(1 + geometry::normalsPerVertex(ring.flags)) * ring.count;
    size += 7 + materialPrefix.size() + kMaxIntChars + 2 + 2 + ring.nameLength + 2 + lines * kMaxLine +
            ring.n * kMaxFaceLine + 2 * (1 + ring.n * (kMaxIntChars + 1) + 2);
  }
  return size;
}

void appendItemText(std::string& out, const clsItemList& list, std::size_t item, std::string_view materialPrefix) {
  const std::size_t at = out.size();
  out.resize(at + maxItemText(list, item, materialPrefix));
  out.resize(static_cast<std::size_t>(putItemText(out.data() + at, list, item, materialPrefix) - out.data()));
}

void appendItemText(model::clsTextBuffer& out, const clsItemList& list, std::size_t item,
                    std::string_view materialPrefix) {
  out.commit(putItemText(out.room(maxItemText(list, item, materialPrefix)), list, item, materialPrefix));
}

char* putItemText(char* p, const clsItemList& list, std::size_t item, std::string_view materialPrefix) {
  const geometry::clsItemEntry& entry = list.items[item];
  if (entry.leadMaterial >= 1) p = putMaterial(p, materialPrefix, entry.leadMaterial);
  const clsPixel* point = list.points.data() + entry.firstPoint;
  // The side-face text is the same for every ring pair of a run, because the indices are
  // relative: it is written once and then copied from where it first stands.
  const char* faces = nullptr;
  std::size_t facesLength = 0;
  char* sidesStart = nullptr;
  const auto endSides = [&] {
    if (sidesStart == nullptr) return;
    faces = sidesStart;
    facesLength = static_cast<std::size_t>(p - sidesStart);
    sidesStart = nullptr;
  };
  std::int32_t material = 0;
  modItemFaces::walkFaces(
      list, item, material,
      [&](std::uint32_t r) {
        endSides();
        const geometry::clsItemRing& ring = list.rings[r];
        const bool firstOfRun = (ring.flags & ringFlag::kFirstOfRun) != 0;
        if (firstOfRun) faces = nullptr;
        if (ring.nameLength > 0) {
          p = putText(p, "g ");
          p = putText(p, std::string_view(list.names).substr(ring.nameBegin, ring.nameLength));
          p = putText(p, kEol);
        }
        if (ring.material > 0) p = putMaterial(p, materialPrefix, ring.material);
        const int normals = geometry::normalsPerVertex(ring.flags);
        for (std::uint16_t k = 0; k < ring.count; ++k) {
          p = putLine(p, "v ", *point++);
          for (int m = 0; m < normals; ++m) p = putLine(p, "vn ", *point++);
        }
        if (firstOfRun) return true;
        if (faces != nullptr) {
          p = std::copy_n(faces, facesLength, p);
          return false;
        }
        sidesStart = p;
        return true;
      },
      [&](const geometry::clsItemFace& face) {
        if (face.kind == geometry::clsItemFace::Kind::EndCap) endSides();
        p = putFace(p, face);
      });
  return p;
}

}  // namespace modItemList
