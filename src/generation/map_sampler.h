#pragma once
// The base position of every clump: a point of the element's coverage area, thinned by its
// coverage picture (brighter pixels attract more clumps) or confined to a picked colour, at a
// height from its altitude picture, optionally spread at random below it.

#include "generation/map_pictures.h"
#include "geometry/pixel.h"
#include "model/random.h"
#include "model/snapshot.h"

namespace generation {

inline constexpr int kMaxCandidates = 10000;

struct clsSampler {
  float coverX = 1;
  float coverZ = 1;
  std::int32_t pickColour = -1;
  bool useCoverage = false;
  tPicture coverage;
  float coverScaleX = 0;
  float coverScaleZ = 0;
  float maxHeight = 0;
  bool useSpace = false;
  bool useAltitude = false;
  tPicture altitude;
  float altScaleX = 0;
  float altScaleZ = 0;
};

}  // namespace generation

namespace modMapSampler {

// A coverage picture that could not be read counts as no picture: the run goes on without it.
// An altitude picture that could not be read reads as black: its items stand at height 0.
generation::clsSampler prepareMaps(const model::clsSnapshot& snapshot, const generation::clsMapPictures& pictures,
                                   int element);
// The translation to the next clump's base position.
geometry::tMatrix samplePosition(const generation::clsSampler& sampler, model::clsRandom& random);

}  // namespace modMapSampler
