#pragma once
// The faces of finished items as the OBJ text draws them, for every reader of the items: the
// OBJ text itself, the glTF sink and the 3D view. Per ring, the side quads between it and the
// ring before (with the wrap of a closed ring), after the first ring of a run its start cap,
// after the last its end cap. As triangles, a quad (q1, q2, q3, q4) becomes the fan (q1, q2, q3),
// (q1, q3, q4), a cap the fan from its first corner, and a face takes the last material named
// before it.

#include <cstdint>

#include "geometry/item_list.h"

namespace geometry {

// One corner of a face: the position at list.points[position] and, where normal is not 0, the
// normal at list.points[position + normal] (1 for the vertex's vn1, 2 for its vn2).
struct clsFaceCorner {
  std::uint32_t position = 0;
  std::uint8_t normal = 0;
};

// One face line of the OBJ text: a side quad (four corners with normals where the run has them)
// or a cap (the run's n corners, no normals).
struct clsItemFace {
  enum class Kind : std::uint8_t { Side, StartCap, EndCap };
  Kind kind = Kind::Side;
  std::int32_t material = 0;  // in force; 0 when none was named yet
  std::uint32_t count = 4;    // corners

  // Corner i (from 0) and how many vertices before the face's line it stands (1 the last, as
  // the OBJ text's relative index -1 names it).
  clsFaceCorner corner(std::uint32_t i) const {
    if (kind == Kind::Side) return quad[i];
    return {ringStart + (ringPosition(i) - 1) * stride, 0};
  }
  std::uint32_t back(std::uint32_t i) const { return kind == Kind::Side ? quadBack[i] : count + 1 - ringPosition(i); }
  // Normal lines a vertex of this run writes (0, 1 or 2).
  std::uint32_t normalsPerVertex() const { return stride - 1; }

  clsFaceCorner quad[4];
  std::uint32_t quadBack[4] = {};
  std::uint32_t ringStart = 0, stride = 1;  // where the cap's ring begins, points per vertex

 private:
  // Ring position (from 1) of cap corner i: "f" with 1..n at the start, n..1 at the end.
  std::uint32_t ringPosition(std::uint32_t i) const { return kind == Kind::StartCap ? i + 1 : count - i; }
};

}  // namespace geometry

namespace modItemFaces {

// Walks the item's rings in order: ring(r) is called before the faces of ring r (the face lines
// follow its vertex lines) and returns whether its side quads are wanted (a writer may repeat
// them from the ring before, as their relative indexes are the same); face(f) for every face in
// the order of the face lines. material carries the material in force from one item to the next,
// as it does in the OBJ text; 0 means none was named yet.
template <class Ring, class Face>
void walkFaces(const geometry::clsItemList& list, std::size_t item, std::int32_t& material, Ring&& ring, Face&& face) {
  using geometry::clsItemFace;
  namespace ringFlag = geometry::ringFlag;
  const geometry::clsItemEntry& entry = list.items[item];
  if (entry.leadMaterial >= 1) material = entry.leadMaterial;
  std::uint32_t ringStart = entry.firstPoint, previousStart = 0;
  clsItemFace f;
  for (std::uint32_t r = entry.firstRing; r < entry.firstRing + entry.ringCount; ++r) {
    const geometry::clsItemRing& current = list.rings[r];
    if (current.material > 0) material = current.material;
    const bool sides = ring(r);
    const std::uint32_t stride = 1 + static_cast<std::uint32_t>(geometry::normalsPerVertex(current.flags));
    const std::uint32_t n = current.n;
    f.material = material;
    f.ringStart = ringStart;
    f.stride = stride;
    const auto cap = [&](clsItemFace::Kind kind) {
      f.kind = kind;
      f.count = n;
      face(static_cast<const clsItemFace&>(f));
    };
    if ((current.flags & ringFlag::kFirstOfRun) != 0) {
      if ((current.flags & ringFlag::kCapStart) != 0) cap(clsItemFace::Kind::StartCap);
    } else if (sides) {
      f.kind = clsItemFace::Kind::Side;
      f.count = 4;
      const bool along = (current.flags & ringFlag::kAlong) != 0, around = (current.flags & ringFlag::kAround) != 0;
      const bool closed = (current.flags & ringFlag::kClosed) != 0;
      // Which normal each corner of a quad names: both flags one per vertex, one flag two.
      std::uint8_t m1 = 1, m2 = 1, m3 = 1, m4 = 1;
      if (along && !around) m3 = m4 = 2;
      if (around && !along) m2 = m3 = 2;
      if (!along && !around) m1 = m2 = m3 = m4 = 0;
      // Ring position k (from 1) of the current or the previous ring.
      const auto at = [&](bool now, std::uint32_t k, std::uint8_t normal) {
        return geometry::clsFaceCorner{(now ? ringStart : previousStart) + (k - 1) * stride, normal};
      };
      for (std::uint32_t i = 1; i <= n; ++i) {
        if (i == n && !closed) break;
        // Face i is (current m, previous m, previous m - 1, current m - 1) with m = n + 1 - i;
        // the closing face of a closed ring is (current 1, previous 1, previous n, current n).
        const std::uint32_t m = n + 1 - i, before = i == n ? n : m - 1;
        f.quad[0] = at(true, m, m1), f.quad[1] = at(false, m, m2), f.quad[2] = at(false, before, m3),
        f.quad[3] = at(true, before, m4);
        f.quadBack[0] = i, f.quadBack[1] = i + n, f.quadBack[2] = i == n ? n + 1 : i + n + 1,
        f.quadBack[3] = i == n ? 1 : i + 1;
        face(static_cast<const clsItemFace&>(f));
      }
    }
    if ((current.flags & ringFlag::kCapEnd) != 0) cap(clsItemFace::Kind::EndCap);
    previousStart = ringStart;
    ringStart += current.count * stride;
  }
}

// Calls visit(material, a, b, c) for every triangle of the item in the order of its face lines.
template <class Visit>
void walkTriangles(const geometry::clsItemList& list, std::size_t item, std::int32_t& material, Visit&& visit) {
  walkFaces(
      list, item, material, [](std::uint32_t) { return true; },
      [&](const geometry::clsItemFace& f) {
        if (f.kind == geometry::clsItemFace::Kind::Side) {
          visit(f.material, f.quad[0], f.quad[1], f.quad[2]);
          visit(f.material, f.quad[0], f.quad[2], f.quad[3]);
          return;
        }
        const geometry::clsFaceCorner first = f.corner(0);
        for (std::uint32_t i = 1; i + 1 < f.count; ++i) visit(f.material, first, f.corner(i), f.corner(i + 1));
      });
}

}  // namespace modItemFaces
