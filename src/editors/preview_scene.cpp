#include "editors/preview_scene.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "generation/item_placement.h"
#include "generation/map_records.h"
#include "materials/palette.h"
#include "model/usage_records.h"
#include "model/value_functions.h"

namespace editors {

int clsCaptureSink::itemDone(bool, std::int32_t) {
  if (cancel_ != nullptr && cancel_->load(std::memory_order_relaxed)) return generation::status::kCancelled;
  return generation::status::kGoOn;
}

}  // namespace editors

namespace modPreview {

using editors::clsPreviewScene;
using editors::clsPreviewVertex;
using geometry::clsPixel;

namespace {

// The preview has no one to tell: messages of the generator (a curve that cannot be computed)
// are the creation run's to show.
struct clsSilent final : platform::IMessageBox {
  void showMessage(const std::string&) override {}
  bool askYesNo(const std::string&) override { return false; }
};

clsPixel faceNormal(const clsPixel& a, const clsPixel& b, const clsPixel& c) {
  const float ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z, vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
  clsPixel n{uy * vz - uz * vy, uz * vx - ux * vz, ux * vy - uy * vx};
  const float length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
  if (length > 0) n = {n.x / length, n.y / length, n.z / length};
  return n;
}

struct clsCorner {
  clsPixel p;
  clsPixel n;
  bool hasNormal;
  std::uint32_t index;  // where a smoothed corner's vertex stands
};

// The items' faces as the OBJ text draws them: side faces between the rings of a run and caps.
// Each vertex takes the real colour of the material its ring is drawn in.
void addTriangles(const geometry::clsItemList& list, const std::vector<std::uint32_t>& colours,
                  editors::clsPreviewElement& out) {
  const auto colourOf = [&](std::int32_t material) {
    return material >= 1 && static_cast<std::size_t>(material) <= colours.size()
               ? colours[static_cast<std::size_t>(material - 1)]
               : 0x808080u;
  };
  std::uint32_t colour = 0;
  const auto emit = [&](const clsCorner& a, const clsCorner& b, const clsCorner& c) {
    if (a.hasNormal && b.hasNormal && c.hasNormal) {
      out.triangles.insert(out.triangles.end(), {a.index, b.index, c.index});
      return;
    }
    // Faceted items (rocks without normals) are lit by the face, with vertices of their own.
    const clsPixel flat = faceNormal(a.p, b.p, c.p);
    for (const clsCorner* corner : {&a, &b, &c}) {
      out.triangles.push_back(static_cast<std::uint32_t>(out.vertices.size()));
      out.vertices.push_back(editors::previewVertex(corner->p.x, corner->p.y, corner->p.z, flat.x, flat.y, flat.z, colour));
    }
  };
  std::vector<clsCorner> previous, current;
  for (const geometry::clsItemEntry& item : list.items) {
    std::int32_t material = item.leadMaterial;
    const clsPixel* point = list.points.data() + item.firstPoint;
    for (std::uint32_t r = item.firstRing; r < item.firstRing + item.ringCount; ++r) {
      const geometry::clsItemRing& ring = list.rings[r];
      if (ring.material > 0) material = ring.material;
      colour = colourOf(material);
      const int normals = geometry::normalsPerVertex(ring.flags);
      current.clear();
      for (std::uint16_t k = 0; k < ring.count; ++k) {
        clsCorner corner{*point++, {}, normals > 0, 0};
        if (normals > 0) {
          corner.n = *point;
          corner.index = static_cast<std::uint32_t>(out.vertices.size());
          out.vertices.push_back(
              editors::previewVertex(corner.p.x, corner.p.y, corner.p.z, corner.n.x, corner.n.y, corner.n.z, colour));
        }
        point += normals;
        current.push_back(corner);
      }
      const std::size_t n = std::min<std::size_t>(ring.n, current.size());
      const bool first = (ring.flags & geometry::ringFlag::kFirstOfRun) != 0;
      const bool closed = (ring.flags & geometry::ringFlag::kClosed) != 0;
      if (!first && previous.size() >= n) {
        for (std::size_t j = 0; j < n; ++j) {
          const std::size_t next = j + 1 == n ? 0 : j + 1;
          if (next == 0 && !closed) break;
          emit(current[j], previous[j], previous[next]);
          emit(current[j], previous[next], current[next]);
        }
      }
      const bool capStart = first && (ring.flags & geometry::ringFlag::kCapStart) != 0;
      const bool capEnd = (ring.flags & geometry::ringFlag::kCapEnd) != 0;
      if ((capStart || capEnd) && n >= 3)
        for (std::size_t j = 1; j + 1 < n; ++j) emit(current[0], current[j], current[j + 1]);
      previous.swap(current);
    }
  }
}

std::uint64_t fingerprintOf(const editors::clsPreviewElement& element) {
  // FNV-1a over the mesh four bytes at a time: equal meshes give equal numbers, so an
  // unchanged element's buffer stays.
  std::uint64_t hash = 1469598103934665603ULL;
  static_assert(sizeof(clsPreviewVertex) % 4 == 0);
  const std::size_t words = element.vertices.size() * sizeof(clsPreviewVertex) / 4;
  const auto* bytes = reinterpret_cast<const unsigned char*>(element.vertices.data());
  for (std::size_t i = 0; i < words; ++i) {
    std::uint32_t word;
    std::memcpy(&word, bytes + 4 * i, 4);
    hash = (hash ^ word) * 1099511628211ULL;
  }
  for (std::uint32_t index : element.triangles) hash = (hash ^ index) * 1099511628211ULL;
  return hash ^ element.vertices.size();
}

}  // namespace

std::int64_t capItems(generation::clsProject& project, std::int64_t cap, std::int64_t& total) {
  model::clsStore& store = project.store;
  total = 0;
  for (int e = 1; e <= model::kElementCount; ++e)
    if (modUsage::inUse(store, e))
      total += modGeneral::toLong(modStore::readElementSlot(store, e, generation::slot::kItemCount));
  if (total <= cap) return total;
  std::int64_t shown = 0;
  for (int e = 1; e <= model::kElementCount; ++e) {
    if (!modUsage::inUse(store, e)) continue;
    const std::int64_t count = modGeneral::toLong(modStore::readElementSlot(store, e, generation::slot::kItemCount));
    const auto scaled = static_cast<std::int32_t>(std::max<std::int64_t>(1, count * cap / total));
    modStore::writeElementSlot(store, e, generation::slot::kItemCount, scaled);
    shown += scaled;
  }
  return shown;
}

std::optional<clsPreviewScene> buildScene(const generation::clsProject& source, std::uint64_t seed, std::int64_t cap,
                                          const std::atomic<bool>& cancel) {
  generation::clsProject project = source;
  clsPreviewScene scene;
  scene.itemsShown = capItems(project, cap, scene.itemsTotal);
  // Material number m is pool entry m counted over elements 1..11, as the MTL file numbers them.
  std::vector<std::uint32_t> colours;
  for (int e = 1; e <= model::kElementCount; ++e)
    for (std::int32_t real : modPalette::buildPool(project.store, e).real) colours.push_back(static_cast<std::uint32_t>(real));

  editors::clsCaptureSink sink(&cancel);
  model::clsRandom random(seed);
  clsSilent silent;
  const int code = modItemPlacement::generateAll(project, sink, random, silent);
  if (code == generation::status::kCancelled || cancel.load()) return std::nullopt;

  bool any = false;
  for (int e = 1; e <= model::kElementCount; ++e) {
    editors::clsPreviewElement& element = scene.elements[static_cast<std::size_t>(e - 1)];
    element.inUse = modUsage::inUse(project.store, e);
    element.coverX = modGeneral::toSingle(modStore::readElementSlot(project.store, e, generation::slot::kCoverX));
    element.coverZ = modGeneral::toSingle(modStore::readElementSlot(project.store, e, generation::slot::kCoverZ));
    addTriangles(sink.items_[static_cast<std::size_t>(e - 1)], colours, element);
    element.fingerprint = fingerprintOf(element);
    if (cancel.load()) return std::nullopt;
    const auto widen = [&](float x, float y, float z) {
      if (!any) {
        scene.minX = scene.maxX = x, scene.minY = scene.maxY = y, scene.minZ = scene.maxZ = z;
        any = true;
        return;
      }
      scene.minX = std::min(scene.minX, x), scene.maxX = std::max(scene.maxX, x);
      scene.minY = std::min(scene.minY, y), scene.maxY = std::max(scene.maxY, y);
      scene.minZ = std::min(scene.minZ, z), scene.maxZ = std::max(scene.maxZ, z);
    };
    if (element.inUse) {
      widen(0, 0, 0);
      widen(element.coverX, 0, element.coverZ);
    }
    for (const clsPreviewVertex& v : element.vertices) widen(v.x, v.y, v.z);
  }
  if (!any) scene.minX = scene.minY = scene.minZ = 0, scene.maxX = scene.maxZ = 10, scene.maxY = 1;
  return scene;
}

std::string previewLine(const clsPreviewScene& scene) {
  const auto grouped = [](std::int64_t n) {
    std::string digits = std::to_string(n), text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
      if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
      text += digits[i];
    }
    return text;
  };
  if (scene.itemsShown < scene.itemsTotal)
    return "Preview: " + grouped(scene.itemsShown) + " of " + grouped(scene.itemsTotal) + " items";
  return "Preview: all " + grouped(scene.itemsTotal) + " items";
}

}  // namespace modPreview
