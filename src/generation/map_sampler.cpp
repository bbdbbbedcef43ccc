#include "generation/map_sampler.h"

#include <string>

#include "generation/map_records.h"
#include "geometry/vector_matrix.h"
#include "model/value_functions.h"

namespace modMapSampler {

using generation::clsSampler;

namespace {

std::int32_t colourAt(const platform::IPicture& picture, float u, float v) {
  return picture.colourAt(static_cast<int>(u), static_cast<int>(v));
}

// A missing altitude picture reads as black everywhere.
std::int32_t altitudeAt(const clsSampler& sampler, float x, float z) {
  return sampler.altitude ? colourAt(*sampler.altitude, x * sampler.altScaleX, z * sampler.altScaleZ) : -1;
}

bool hasPicture(const generation::tPicture& picture) {
  return picture != nullptr && picture->width() > 0 && picture->height() > 0;
}

// The horizontal draws (two per candidate, three with the grey test), then at most one height draw.
geometry::clsPixel sampleBase(const clsSampler& sampler, model::clsRandom& random) {
  float x = 0, z = 0;
  for (int candidate = 0; candidate < (sampler.useCoverage ? generation::kMaxCandidates : 1); ++candidate) {
    x = static_cast<float>(sampler.coverX * random.draw());
    z = static_cast<float>(sampler.coverZ * random.draw());
    if (!sampler.useCoverage) break;
    const std::int32_t colour = colourAt(*sampler.coverage, x * sampler.coverScaleX, z * sampler.coverScaleZ);
    if (sampler.pickColour < 0) {
      if (random.draw() * 255 < modGeneral::greyOf(colour)) break;
    } else if (colour == sampler.pickColour) {
      break;
    }
  }
  float y = 0;
  if (sampler.useAltitude) {
    y = static_cast<float>(modGeneral::greyOf(altitudeAt(sampler, x, z))) / 255 * sampler.maxHeight;
    if (sampler.useSpace) y = static_cast<float>(y * random.draw());
  } else if (sampler.useSpace) {
    y = static_cast<float>(sampler.maxHeight * random.draw());
  }
  return {x, y, z};
}

}  // namespace

clsSampler prepareMaps(const model::clsSnapshot& snapshot, const generation::clsMapPictures& pictures, int element) {
  namespace slot = model::slot;
  const auto value = [&](int s) -> const model::tValue& { return modSnapshot::readSnapshotSlot(snapshot, element, s); };
  const auto isEmptyText = [&](int s) { return modGeneral::toText(value(s)).empty(); };
  const auto index = static_cast<std::size_t>(element - 1);
  clsSampler sampler;
  sampler.coverX = modGeneral::toSingle(value(slot::kCoverX));
  sampler.coverZ = modGeneral::toSingle(value(slot::kCoverZ));
  sampler.pickColour = modGeneral::toLong(value(slot::kPickColour));
  sampler.useCoverage = (!isEmptyText(slot::kCoveragePath) || modGeneral::toInteger(value(slot::kCircle)) != 0) &&
                        hasPicture(pictures.coverage[index]);
  if (sampler.useCoverage) {
    sampler.coverage = pictures.coverage[index];
    sampler.coverScaleX = static_cast<float>(sampler.coverage->width()) / sampler.coverX;
    sampler.coverScaleZ = static_cast<float>(sampler.coverage->height()) / sampler.coverZ;
  }
  sampler.maxHeight = modGeneral::toSingle(value(slot::kMaxHeight));
  sampler.useSpace = modGeneral::toInteger(value(slot::kUseSpace)) != 0;
  // An altitude picture that could not be read still counts: every point of it reads as black.
  sampler.useAltitude = !isEmptyText(slot::kAltitudePath);
  if (sampler.useAltitude && hasPicture(pictures.altitude[index])) {
    sampler.altitude = pictures.altitude[index];
    sampler.altScaleX = static_cast<float>(sampler.altitude->width()) / sampler.coverX;
    sampler.altScaleZ = static_cast<float>(sampler.altitude->height()) / sampler.coverZ;
  }
  return sampler;
}

geometry::tMatrix samplePosition(const clsSampler& sampler, model::clsRandom& random) {
  const geometry::clsPixel base = sampleBase(sampler, random);
  return modVectorMatrix::translationMatrix(base.x, base.y, base.z);
}

}  // namespace modMapSampler
