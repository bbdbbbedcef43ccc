#pragma once
// Finished items as the OBJ text will show them, with every random draw already made: the
// material of each ring resolved, normals computed. Items are kept flat, several to a list,
// so that they can be handed on, queued or drawn without one allocation per item.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/mesh.h"
#include "model/random.h"
#include "model/text_buffer.h"

namespace geometry {

namespace ringFlag {
inline constexpr std::uint8_t kFirstOfRun = 1;
inline constexpr std::uint8_t kCapStart = 2;  // a start cap follows the first ring's vertices
inline constexpr std::uint8_t kCapEnd = 4;    // an end cap follows this ring's faces
inline constexpr std::uint8_t kClosed = 8;
inline constexpr std::uint8_t kAlong = 16;   // normals written, smoothed along the run
inline constexpr std::uint8_t kAround = 32;  // normals written, smoothed around the ring
}  // namespace ringFlag

struct clsItemRing {
  std::int32_t material = 0;  // written as "usemtl" before the vertices; 0 for none
  std::uint32_t nameBegin = 0;
  std::uint32_t nameLength = 0;  // a "g" line before the ring when not 0
  std::uint16_t count = 0;       // vertices of this ring
  std::uint16_t n = 0;           // vertices of its run, which the faces count with
  std::uint8_t flags = 0;
};

struct clsItemEntry {
  std::uint32_t firstRing = 0;
  std::uint32_t ringCount = 0;
  std::uint32_t firstPoint = 0;  // each vertex: its position, then the normals its ring writes
  std::int32_t leadMaterial = 0;  // "usemtl" before the whole item; 0 for none
  bool normalsDone = false;       // modItemNormals::computeNormals filled them
};

struct clsItemList {
  std::vector<clsItemEntry> items;
  std::vector<clsItemRing> rings;
  std::vector<clsPixel> points;
  std::string names;
};

// Normal lines per vertex of a ring: one when smoothed both ways, two when smoothed one way.
inline int normalsPerVertex(std::uint8_t flags) {
  const bool along = (flags & ringFlag::kAlong) != 0, around = (flags & ringFlag::kAround) != 0;
  return (along || around ? 1 : 0) + (along != around ? 1 : 0);
}

}  // namespace geometry

namespace modItemList {

void clearItems(geometry::clsItemList& list);

// Adds the tube as the list's next item. Draws one material number for the tube and one for
// every ring, in ring order; writeNormals off leaves every normal out. The normals it writes are
// zeros until modItemNormals::computeNormals fills them.
// The random draws addTube makes for tube (its materials), without adding it.
void drawTubeMaterials(const geometry::clsTube& tube, model::clsRandom& random);
void addTube(geometry::clsItemList& list, const geometry::clsTube& tube, bool writeNormals, model::clsRandom& random,
             std::int32_t leadMaterial = 0);

// Appends the OBJ text of one item; material names are materialPrefix + number.
void appendItemText(std::string& out, const geometry::clsItemList& list, std::size_t item,
                    std::string_view materialPrefix);
void appendItemText(model::clsTextBuffer& out, const geometry::clsItemList& list, std::size_t item,
                    std::string_view materialPrefix);

// Bytes the item's text takes at most.
std::size_t maxItemText(const geometry::clsItemList& list, std::size_t item, std::string_view materialPrefix);
// Writes the item's text at out, which has room for maxItemText bytes; returns its end.
char* putItemText(char* out, const geometry::clsItemList& list, std::size_t item, std::string_view materialPrefix);

}  // namespace modItemList
