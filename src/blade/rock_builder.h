#pragma once
// The rock builder: a closed tube lofted along +X, one arch-shaped section per node between two
// flat end rings, its heights from the element's outline profile and its widths from the width
// profile; smoothed with vertex normals, or faceted without them.

#include <string>
#include <vector>

#include "blade/blade_builder.h"
#include "geometry/mesh.h"
#include "model/random.h"

namespace blade {

// An element's rock shapes by variant: the outline (first node at the origin, last on +X) and
// the cross-section (in the plane x = 0, first node at the origin, last on -Z).
struct clsRockProfiles {
  std::vector<geometry::clsPolygon> outline;
  std::vector<geometry::clsPolygon> section;
  int count() const { return static_cast<int>(outline.size()); }
};

}  // namespace blade

namespace modRockBuilder {

// A varied copy of the outline of the variant.
geometry::clsPolygon rockProfile(const blade::clsRockProfiles& profiles, int variant, model::clsRandom& random);
// A varied copy of the section of a variant picked at random (two draws for the pick).
geometry::clsPolygon crossProfile(const blade::clsRockProfiles& profiles, model::clsRandom& random);

// A flat ring of n vertices from z = w1 to z = -w2 at x, closed and capped.
geometry::clsPolygon endRing(float w1, float w2, int n, float x, bool smooth, std::int16_t mat);

// Builds one rock of the variant, placed by placement, and adds it to items.
// drawsOnly: the rock's random draws alone, as the blade builders take it.
void buildRock(geometry::clsItemList& items, const blade::clsItemInputs& inputs, const blade::clsRockProfiles& profiles,
               int variant, const geometry::tMatrix& placement, model::clsRandom& random, bool drawsOnly = false);

}  // namespace modRockBuilder
