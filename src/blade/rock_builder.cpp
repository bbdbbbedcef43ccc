#include "blade/rock_builder.h"

#include <algorithm>

#include "blade/item_colours.h"
#include "blade/width_profile.h"
#include "geometry/polygon_ops.h"
#include "geometry/vector_matrix.h"

namespace modRockBuilder {

using geometry::clsPixel;
using geometry::clsPolygon;

namespace {

clsPolygon emptyRing() { return modTube::newPolygon("", true, true, true, false, false, false, 0, 0); }

// The height of a section: its middle vertex, or between the two middle vertices.
float middleHeight(const clsPolygon& section, int n) {
  const int mid = n % 2 == 1 ? (n + 1) / 2 : n / 2;
  const auto y = [&](int i) { return section.v[static_cast<std::size_t>(i - 1)].p.y; };
  return n % 2 == 1 ? y(mid) : modVectorMatrix::pointBetween(section.v[static_cast<std::size_t>(mid - 1)].p,
                                                             section.v[static_cast<std::size_t>(mid)].p, 0.5f)
                                   .y;
}

// buildRock's draws, in its order, without a rock: the two profiles' pick and jitter, each
// node's widths, colours and section jitter, the transform, then the rings' materials.
void drawRock(const blade::clsItemInputs& in, const blade::clsRockProfiles& profiles, int variant,
              modItemColours::clsColours colours, model::clsRandom& random) {
  const int n = in.nodes;
  const clsPolygon* section = nullptr;
  if (profiles.count() >= 1) {
    const auto pick = static_cast<int>(modRandom::randomBetween(random, 1, profiles.count(), true, false));
    section = &profiles.section[static_cast<std::size_t>(std::clamp(pick, 1, profiles.count()) - 1)];
    modPolygon::drawJitter(*section, random);
  }
  const clsPolygon* profile = nullptr;
  if (variant >= 1 && variant <= profiles.count()) {
    profile = &profiles.outline[static_cast<std::size_t>(variant - 1)];
    modPolygon::drawJitter(*profile, random);
  }
  if (n < 2 || section == nullptr || profile == nullptr || static_cast<int>(section->v.size()) < n ||
      static_cast<int>(profile->v.size()) < n)
    return;
  std::vector<std::int16_t> materials;
  materials.reserve(static_cast<std::size_t>(n));
  for (int i = 1; i <= n; ++i) {
    modItemColours::variedWidth(random, in.widths->side[0][static_cast<std::size_t>(i - 1)], in.widthVar);
    modItemColours::variedWidth(random, in.widths->side[1][static_cast<std::size_t>(i - 1)], in.widthVar);
    if (i != 1 && i != n) modPolygon::drawJitter(*section, random);
    materials.push_back(colours.ringMat);
    modItemColours::updateColours(in, random, colours, i);
  }
  modSizeRot::drawItemValues(random, in.sizeRot);
  modRandom::randomInteger(random, 0, 0);  // the tube's own material: none
  for (std::int16_t material : materials) modRandom::randomInteger(random, material, material);
}

}  // namespace

clsPolygon rockProfile(const blade::clsRockProfiles& profiles, int variant, model::clsRandom& random) {
  if (variant < 1 || variant > profiles.count()) return emptyRing();
  return modPolygon::cloneAndJitter(profiles.outline[static_cast<std::size_t>(variant - 1)], "", random);
}

clsPolygon crossProfile(const blade::clsRockProfiles& profiles, model::clsRandom& random) {
  if (profiles.count() < 1) return emptyRing();
  const auto pick = static_cast<int>(modRandom::randomBetween(random, 1, profiles.count(), true, false));
  return modPolygon::cloneAndJitter(profiles.section[static_cast<std::size_t>(std::clamp(pick, 1, profiles.count()) - 1)],
                                    "", random);
}

clsPolygon endRing(float w1, float w2, int n, float x, bool smooth, std::int16_t mat) {
  clsPolygon ring = modTube::newPolygon("", true, true, true, false, smooth, smooth, mat, mat);
  const float step = (w1 + w2) / static_cast<float>(n - 1);
  for (int k = 1; k <= n; ++k) modTube::addVertex(ring, x, 0, w1 - static_cast<float>(k - 1) * step);
  return ring;
}

void buildRock(geometry::clsItemList& items, const blade::clsItemInputs& in, const blade::clsRockProfiles& profiles, int variant,
               const geometry::tMatrix& placement, model::clsRandom& random, bool drawsOnly) {
  const int n = in.nodes;
  modItemColours::clsColours colours = modItemColours::chooseColours(in, random, false);
  if (drawsOnly) {
    drawRock(in, profiles, variant, colours, random);
    return;
  }
  geometry::clsTube tube = modTube::newTube("", 0, 0);
  const clsPolygon section = crossProfile(profiles, random);
  const clsPolygon profile = rockProfile(profiles, variant, random);
  if (n < 2 || static_cast<int>(section.v.size()) < n || static_cast<int>(profile.v.size()) < n) return;

  const float length = modVectorMatrix::distance(profile.v.front().p, profile.v[static_cast<std::size_t>(n - 1)].p);
  const std::vector<float> at = modWidthProfile::sectionPositions(length, n, in.sectionChange * 100);
  for (int i = 1; i <= n; ++i) {
    const float x = at[static_cast<std::size_t>(i - 1)];
    const float w1 = modItemColours::variedWidth(random, in.widths->side[0][static_cast<std::size_t>(i - 1)], in.widthVar);
    const float w2 = modItemColours::variedWidth(random, in.widths->side[1][static_cast<std::size_t>(i - 1)], in.widthVar);
    clsPolygon ring;
    if (i == 1 || i == n) {
      ring = endRing(w1, w2, n, x, in.smooth, colours.ringMat);
    } else {
      ring = modPolygon::cloneAndJitter(section, "", random);
      ring.matFrom = ring.matTo = colours.ringMat;
      const float across = modVectorMatrix::distance(ring.v.front().p, ring.v[static_cast<std::size_t>(n - 1)].p);
      const float height = middleHeight(ring, n);
      const clsPixel base{x, 0, 0};
      const clsPixel& q = profile.v[static_cast<std::size_t>(i - 1)].p;
      // Stretched across the full width, raised to the outline, tilted towards it, moved into place.
      geometry::tMatrix m = modVectorMatrix::scaleMatrix(1, 1, across != 0 ? (w1 + w2) / across : 1);
      if (height != 0) modVectorMatrix::multiplyMatrix(m, modVectorMatrix::scaleMatrix(1, modVectorMatrix::distance(base, q) / height, 1));
      modVectorMatrix::multiplyMatrix(
          m, modVectorMatrix::axisRotationMatrix(3, modVectorMatrix::directionAngle(q.x - base.x, q.y - base.y) - geometry::kHalfPi));
      modVectorMatrix::multiplyMatrix(m, modVectorMatrix::translationMatrix(x, 0, w1));
      modPolygon::transformPolygon(ring, m);
    }
    modTube::addRing(tube, std::move(ring));
    modItemColours::updateColours(in, random, colours, i);
  }

  geometry::tMatrix m = modSizeRot::drawItemTransform(random, in.sizeRot);
  modVectorMatrix::multiplyMatrix(m, placement);
  modTube::transformTube(tube, m);
  modItemList::addTube(items, tube, in.smooth, random, colours.bladeMat);
}

}  // namespace modRockBuilder
