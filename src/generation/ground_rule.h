#pragma once
// Whether an element's item may stand where a candidate base position drops onto the ground,
// and how far the item leans with the surface there.

#include "generation/ground.h"
#include "geometry/pixel.h"

namespace generation {

// An element's rules for standing on the ground. Bands are inclusive; a band given the wrong
// way round is read the right way round.
struct clsGroundRule {
  float slopeFrom = 0;  // degrees between the surface's normal and up
  float slopeTo = 90;
  float heightFrom = -3.4e38f;  // the ground's height, in output units
  float heightTo = 3.4e38f;
};

struct clsStanding {
  bool refused = true;        // missed the ground, or outside the slope or height band
  geometry::clsPixel base;    // on the ground
  geometry::clsPixel normal;  // the surface's, of unit length, pointing up
};

}  // namespace generation

namespace modGroundRule {

// The candidate (x, z) dropped onto the ground, or refused as a dark coverage pixel refuses it.
generation::clsStanding standOn(const generation::clsGround& ground, const generation::clsGroundRule& rule, float x,
                                float z);

// The turn that leans an upright item with the ground: about the horizontal axis that takes +Y
// toward normal, by leanPercent (0..100, clamped) of the angle between them. 0 % is the identity,
// 100 % turns +Y onto the normal.
geometry::tMatrix leanWithGround(const geometry::clsPixel& normal, float leanPercent);

// The placement of a clump that stands: leaned with the ground, then moved to its base, lifted
// straight up by lift (the altitude picture's and "Use space" height, now above the ground).
geometry::tMatrix standingPlacement(const generation::clsStanding& standing, float leanPercent, float lift);

}  // namespace modGroundRule
