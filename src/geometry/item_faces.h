#pragma once
// The faces of finished items as the OBJ text draws them, as triangles: the side quads between
// the rings of a run (with the wrap of a closed ring), then the start and end cap fans. Corners,
// winding and materials are those an OBJ reader sees: a quad (q1, q2, q3, q4) becomes the fan
// (q1, q2, q3), (q1, q3, q4), and a face takes the last material named before it.

#include <cstdint>

#include "geometry/item_list.h"

namespace geometry {

// One corner of a triangle: the position at list.points[position] and, where normal is not 0,
// the normal at list.points[position + normal] (1 for the vertex's vn1, 2 for its vn2).
struct clsFaceCorner {
  std::uint32_t position = 0;
  std::uint8_t normal = 0;
};

}  // namespace geometry

namespace modItemFaces {

// Calls visit(material, a, b, c) for every triangle of the item in the order of its face lines.
// material carries the material in force from one item to the next, as it does in the OBJ
// text; 0 means none was named yet.
template <class Visit>
void walkTriangles(const geometry::clsItemList& list, std::size_t item, std::int32_t& material, Visit&& visit) {
  using geometry::clsFaceCorner;
  namespace ringFlag = geometry::ringFlag;
  const geometry::clsItemEntry& entry = list.items[item];
  if (entry.leadMaterial >= 1) material = entry.leadMaterial;
  std::uint32_t ringStart = entry.firstPoint, previousStart = 0;
  for (std::uint32_t r = entry.firstRing; r < entry.firstRing + entry.ringCount; ++r) {
    const geometry::clsItemRing& ring = list.rings[r];
    if (ring.material > 0) material = ring.material;
    const std::uint32_t stride = 1 + static_cast<std::uint32_t>(geometry::normalsPerVertex(ring.flags));
    const std::uint32_t n = ring.n;
    const bool along = (ring.flags & ringFlag::kAlong) != 0, around = (ring.flags & ringFlag::kAround) != 0;
    // Ring position k (1-based) of the current or the previous ring.
    const auto corner = [&](bool current, std::uint32_t k, std::uint8_t normal) {
      return clsFaceCorner{(current ? ringStart : previousStart) + (k - 1) * stride, normal};
    };
    const auto cap = [&](bool start) {
      // "f" with vertices 1..n (start) or n..1 (end), fanned from its first vertex.
      const auto at = [&](std::uint32_t i) { return corner(true, start ? i : n + 1 - i, 0); };
      for (std::uint32_t i = 2; i + 1 <= n; ++i) visit(material, at(1), at(i), at(i + 1));
    };
    if ((ring.flags & ringFlag::kFirstOfRun) != 0) {
      if ((ring.flags & ringFlag::kCapStart) != 0) cap(true);
    } else {
      const bool closed = (ring.flags & ringFlag::kClosed) != 0;
      // Which normal each corner of a quad names: both flags one per vertex, one flag two.
      std::uint8_t m1 = 1, m2 = 1, m3 = 1, m4 = 1;
      if (along && !around) m3 = m4 = 2;
      if (around && !along) m2 = m3 = 2;
      if (!along && !around) m1 = m2 = m3 = m4 = 0;
      for (std::uint32_t i = 1; i <= n; ++i) {
        if (i == n && !closed) break;
        // Face i is (current m, previous m, previous m - 1, current m - 1) with m = n + 1 - i;
        // the closing face of a closed ring is (current 1, previous 1, previous n, current n).
        const std::uint32_t m = n + 1 - i, before = i == n ? n : m - 1;
        const clsFaceCorner q1 = corner(true, m, m1), q2 = corner(false, m, m2), q3 = corner(false, before, m3),
                            q4 = corner(true, before, m4);
        visit(material, q1, q2, q3);
        visit(material, q1, q3, q4);
      }
    }
    if ((ring.flags & ringFlag::kCapEnd) != 0) cap(false);
    previousStart = ringStart;
    ringStart += ring.count * stride;
  }
}

}  // namespace modItemFaces
