#pragma once
// The grass builders: a simple blade is a ribbon of two-vertex rings along the curve's nodes,
// twisted at random and coloured from the element's palettes; a compound leaf is a stem with a
// fan of leaflets. Each builds one item and adds it to an item list.

#include <span>
#include <string>
#include <string_view>

#include "blade/blade_snapshot.h"
#include "blade/size_rot.h"
#include "geometry/item_list.h"
#include "geometry/mesh.h"
#include "model/random.h"

namespace blade {

// What every item of one element shares, for the grass and rock builders alike.
struct clsItemInputs {
  int nodes = 2;
  float widthVar = 0;      // slot 17 / 100
  int secondNode = 2;      // K: where the second colour set starts
  bool secondUsed = false;  // K < nodes
  std::int16_t first1 = 0, last1 = 0, first2 = 0, last2 = 0;  // material ranges of the two sets
  bool rainbow1 = false, rainbow2 = false;
  clsSizeRot sizeRot;
  // Compound leaves.
  int leaves = 1;         // Q
  float leafAngle = 0;    // alpha, radians
  float leafSize = 0;     // size change per leaflet, slot 13 / 100
  int jointNode = 1;      // J
  int splitNode = 1;      // S
  // Rocks.
  float sectionChange = 0;  // slot 16 / 100
  bool smooth = false;      // slot 11 of a rock
  const clsScaledWidths* widths = nullptr;  // w1(i), w2(i) at index i - 1
};

}  // namespace blade

namespace modBladeBuilder {

// The ring of one node: two vertices across the curve, the width turned by twist degrees about
// the vertical axis; smoothed both ways, material mat.
geometry::clsPolygon bladeRing(float x, float y, float z, float w1, float w2, int twist, std::int16_t mat);

// Builds one simple blade on the variant's nodes, placed by placement, and adds it to items.
// work is scratch space reused from item to item. drawsOnly makes the item's random draws, all
// of them in their order, and adds nothing: an item nobody looks at costs little.
void buildBlade(geometry::clsItemList& items, geometry::clsTube& work, const blade::clsItemInputs& inputs,
                std::span<const geometry::clsPixel> nodes, const geometry::tMatrix& placement, model::clsRandom& random,
                bool drawsOnly = false);

// Builds one compound leaf from the variant's node ring (which it does not change).
void buildCompoundLeaf(geometry::clsItemList& items, const blade::clsItemInputs& inputs, const geometry::clsPolygon& path,
                       const geometry::tMatrix& placement, model::clsRandom& random, bool drawsOnly = false);

}  // namespace modBladeBuilder
