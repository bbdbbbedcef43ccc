#include "blade/blade_builder.h"

#include <algorithm>
#include <cmath>

#include "geometry/tube_copies.h"
#include "blade/item_colours.h"
#include "geometry/polygon_ops.h"
#include "geometry/vector_matrix.h"

namespace modBladeBuilder {

using blade::clsItemInputs;
using geometry::clsPixel;
using geometry::clsPolygon;
using geometry::clsTube;
using geometry::tMatrix;

namespace {

void setRing(clsPolygon& ring, float x, float y, float z, float w1, float w2, int twist, std::int16_t mat) {
  ring.name.clear();
  ring.capStart = ring.capEnd = ring.isClosed = ring.isEnd = false;
  ring.smoothAlong = ring.smoothAround = true;
  ring.matFrom = ring.matTo = mat;
  ring.framePoints.clear();
  if (twist < 0) twist += 360;
  const float sn = twist == 0 ? 0.0f : modVectorMatrix::sinDegrees(twist);
  const float cs = twist == 0 ? 1.0f : modVectorMatrix::cosDegrees(twist);
  ring.v.resize(2);
  ring.v[0] = modTube::newVertex(x + sn * w1, y, z + cs * w1);
  ring.v[1] = modTube::newVertex(x - sn * w2, y, z - cs * w2);
}

}  // namespace

clsPolygon bladeRing(float x, float y, float z, float w1, float w2, int twist, std::int16_t mat) {
  clsPolygon ring;
  setRing(ring, x, y, z, w1, w2, twist, mat);
  return ring;
}

void buildBlade(geometry::clsItemList& items, clsTube& work, const clsItemInputs& in, std::span<const clsPixel> nodes,
                const tMatrix& placement, model::clsRandom& random, bool drawsOnly) {
  const int n = in.nodes;
  work.name.clear();
  work.matFrom = work.matTo = 0;
  work.framePoints.clear();
  work.rings.resize(static_cast<std::size_t>(n));
  modItemColours::clsColours colours = modItemColours::chooseColours(in, random, false);

  bool twisted = false;
  int twist = 0, step = 0;
  if (in.sizeRot.twistChance > 0 && static_cast<float>(random.draw()) < in.sizeRot.twistChance) {
    twisted = true;
    const double total = modRandom::randomBetween(random, 150, 250, false, true);
    step = static_cast<int>(std::nearbyint(total / (n - 1)));
  }

  for (int i = 1; i <= n; ++i) {
    const clsPixel& p = nodes[static_cast<std::size_t>(i - 1)];
    const float w1 = modItemColours::variedWidth(random, in.widths->side[0][static_cast<std::size_t>(i - 1)], in.widthVar);
    const float w2 = modItemColours::variedWidth(random, in.widths->side[1][static_cast<std::size_t>(i - 1)], in.widthVar);
    clsPolygon& ring = work.rings[static_cast<std::size_t>(i - 1)];
    if (drawsOnly) ring.matFrom = ring.matTo = colours.ringMat;  // all the tube's draws need
    else setRing(ring, p.x, p.y, p.z, w1, w2, twist, colours.ringMat);
    if (twisted) twist += step;
    modItemColours::updateColours(in, random, colours, i);
  }

  if (drawsOnly) {
    modSizeRot::drawItemValues(random, in.sizeRot);
    modItemList::drawTubeMaterials(work, random);
    return;
  }
  tMatrix m = modSizeRot::drawItemTransform(random, in.sizeRot);
  modVectorMatrix::multiplyMatrix(m, placement);
  modTube::transformTube(work, m);
  modItemList::addTube(items, work, true, random, colours.bladeMat);
}

void buildCompoundLeaf(geometry::clsItemList& items, const clsItemInputs& in, const clsPolygon& path, const tMatrix& placement,
                       model::clsRandom& random, bool drawsOnly) {
  const int n = in.nodes;
  if (static_cast<int>(path.v.size()) < n || n < 2) return;
  clsTube tube = modTube::newTube("", 0, 0);
  modItemColours::clsColours colours = modItemColours::chooseColours(in, random, true);

  // Each item aligns its own copy of the variant's node ring, so that every leaf of a variant
  // group stands at the joint in the curve's direction, not only the first.
  clsPolygon ring = path;
  const int joint = std::clamp(in.jointNode, 1, n), split = std::clamp(in.splitNode, 1, n);
  const clsPixel pJ = ring.v[static_cast<std::size_t>(joint - 1)].p;
  const auto node = [&](int i) { return ring.v[static_cast<std::size_t>(i - 1)].p; };
  clsPixel from = pJ, to = node(split);
  if (joint == split) {
    if (split >= n) from = node(joint - 1), to = pJ;
    else to = node(joint + 1);
  }
  const float theta = modVectorMatrix::directionAngle(to.x - from.x, to.y - from.y);
  tMatrix align = modVectorMatrix::translationMatrix(-pJ.x, -pJ.y, -pJ.z);
  modVectorMatrix::multiplyMatrix(align, modVectorMatrix::axisRotationMatrix(3, geometry::kHalfPi - theta));
  for (auto& vertex : ring.v) modVectorMatrix::transformPoint(vertex.p, align);
  for (int i = joint; i <= split; ++i) ring.v[static_cast<std::size_t>(i - 1)].p.x = 0;

  for (int i = 1; i <= n; ++i) {
    const clsPixel& p = node(i);
    float w1 = in.widths->side[0][static_cast<std::size_t>(i - 1)];
    float w2 = in.widths->side[1][static_cast<std::size_t>(i - 1)];
    const bool leafletPart = i > split && i >= joint && in.widthVar > 0;
    if (i < joint) {
      w1 = modItemColours::variedWidth(random, w1, in.widthVar);
      w2 = modItemColours::variedWidth(random, w2, in.widthVar);
    }
    clsPolygon nodeRing = bladeRing(p.x, p.y, p.z, w1, w2, 0, colours.ringMat);
    if (leafletPart) {
      // Left unvaried here; every leaflet copy varies them on its own.
      for (std::size_t side = 0; side < 2; ++side) {
        geometry::clsVertex& vertex = nodeRing.v[side];
        vertex.vX = vertex.vY = vertex.vZ = (side == 0 ? w1 : w2) * in.widthVar;
        vertex.fX = vertex.fY = vertex.fZ = 100;
      }
    }
    modTube::addRing(tube, std::move(nodeRing));
    modItemColours::updateColours(in, random, colours, i);
  }

  clsTube stem = modTube::newTube("", 0, 0);
  if (joint > 1) {
    stem.rings.assign(tube.rings.begin(), tube.rings.begin() + joint);
    tube.rings.erase(tube.rings.begin(), tube.rings.begin() + joint - 1);
  }

  // The fan: leaflets on alternate sides of the spine, each side growing by the size step.
  const int leaves = in.leaves;
  const float alpha = in.leafAngle, grow = 1 + in.leafSize;
  const bool odd = leaves % 2 == 1;
  const float a0 = odd ? 0.0f : alpha / 2;
  const int firstSide = odd ? (leaves - 1) / 2 + 1 : leaves / 2;
  clsTube fan = modTube::newTube("", 0, 0);
  int leaflets = 0;
  const auto addLeaflet = [&](float angle, float size) {
    ++leaflets;
    if (drawsOnly) {
      for (const clsPolygon& part : tube.rings) modPolygon::drawJitter(part, random);
      return;
    }
    clsTube leaflet = modTube::cloneTube(tube);
    modTube::jitterTube(leaflet, random);
    tMatrix m = modVectorMatrix::scaleMatrix(size, size, size);
    modVectorMatrix::multiplyMatrix(m, modVectorMatrix::axisRotationMatrix(1, angle));
    modTube::transformTube(leaflet, m);
    modTube::appendTube(fan, leaflet, true);
  };
  float size = 1, angle = a0;
  for (int k = 0; k < firstSide; ++k, size *= grow, angle += alpha) addLeaflet(angle, size);
  size = 1, angle = -a0;
  for (int k = odd ? firstSide : firstSide + 1; k <= leaves; ++k, size *= grow, angle -= alpha)
    if (!(odd && k == firstSide)) addLeaflet(angle, size);
  if (drawsOnly) {
    // The fan's draws: its leaflets' rings, then the stem's.
    modSizeRot::drawItemValues(random, in.sizeRot);
    modRandom::randomInteger(random, fan.matFrom, fan.matTo);
    for (int k = 0; k < leaflets; ++k)
      for (const clsPolygon& part : tube.rings) modRandom::randomInteger(random, part.matFrom, part.matTo);
    if (joint > 1)
      for (const clsPolygon& part : stem.rings) modRandom::randomInteger(random, part.matFrom, part.matTo);
    return;
  }
  if (joint > 1) modTube::appendTube(fan, stem, true);

  tMatrix m = modVectorMatrix::axisRotationMatrix(3, theta - geometry::kHalfPi);
  modVectorMatrix::multiplyMatrix(m, modVectorMatrix::translationMatrix(pJ.x, pJ.y, pJ.z));
  modVectorMatrix::multiplyMatrix(m, modSizeRot::drawItemTransform(random, in.sizeRot));
  modVectorMatrix::multiplyMatrix(m, placement);
  modTube::transformTube(fan, m);
  modItemList::addTube(items, fan, true, random);
}

}  // namespace modBladeBuilder
