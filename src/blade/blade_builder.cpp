#include "blade/blade_builder.h"

#include <algorithm>
#include <cmath>

#include "geometry/normals.h"
#include "geometry/obj_text.h"
#include "geometry/tube_copies.h"
#include "geometry/vector_matrix.h"

namespace modBladeBuilder {

using blade::clsBladeInputs;
using geometry::clsPixel;
using geometry::clsPolygon;
using geometry::clsTube;
using geometry::tMatrix;

namespace {

struct clsColours {
  std::int16_t bladeMat = 0;  // the simple blade's one material, written before its text
  std::int16_t ringMat = 0;   // the running material of the rings
};

std::int16_t wholeBetween(model::clsRandom& random, int first, int last) {
  return static_cast<std::int16_t>(std::nearbyint(modRandom::randomBetween(random, first, last, true, false)));
}

std::int16_t windowStart(model::clsRandom& random, int first, int last, int width) {
  return static_cast<std::int16_t>(modRandom::randomWindow(random, first, last, width).first);
}

// The colour of a new item: a window of consecutive numbers for a rainbow set, else one number.
clsColours chooseColours(const clsBladeInputs& in, model::clsRandom& random, bool compound) {
  clsColours colours;
  // The simple blade keeps a single number for the whole blade; the compound leaf repeats it
  // on every ring.
  std::int16_t& single = compound ? colours.ringMat : colours.bladeMat;
  if (in.secondUsed && in.secondNode < 2) {
    if (in.rainbow2) colours.ringMat = windowStart(random, in.first2, in.last2, in.nodes - in.secondNode);
    else single = wholeBetween(random, in.first2, in.last2);
  } else {
    if (in.rainbow1) colours.ringMat = windowStart(random, in.first1, in.last1, in.secondNode - 1);
    else single = wholeBetween(random, in.first1, in.last1);
  }
  return colours;
}

// After ring i: a rainbow steps on, and at the second colour node the second set takes over.
void updateColours(const clsBladeInputs& in, model::clsRandom& random, clsColours& colours, int i) {
  if (!in.rainbow1 && !in.rainbow2 && !in.secondUsed) return;
  const int k = in.secondNode;
  if (i < k) {
    if (in.rainbow1 && colours.ringMat < in.last1 && i >= 2) ++colours.ringMat;
  } else if (i > k) {
    if (in.rainbow2 && colours.ringMat < in.last2) ++colours.ringMat;
  } else if (in.rainbow2) {
    colours.ringMat = windowStart(random, in.first2, in.last2, in.nodes - k);
  } else if (k > 1) {
    colours.ringMat = wholeBetween(random, in.first2, in.last2);
  }
}

float variedWidth(model::clsRandom& random, float w, float widthVar) {
  if (widthVar <= 0) return w;
  return static_cast<float>(w + modRandom::randomBetween(random, 0, static_cast<double>(w) * widthVar, false, true));
}

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

void appendBladeMaterial(std::string& text, std::string_view prefix, std::int16_t material) {
  text += "usemtl ";
  text += prefix;
  text += std::to_string(material);
  text += "\r\n";
}

}  // namespace

clsPolygon bladeRing(float x, float y, float z, float w1, float w2, int twist, std::int16_t mat) {
  clsPolygon ring;
  setRing(ring, x, y, z, w1, w2, twist, mat);
  return ring;
}

void buildBlade(std::string& text, clsTube& work, const clsBladeInputs& in, std::span<const clsPixel> nodes,
                const tMatrix& placement, model::clsRandom& random) {
  const int n = in.nodes;
  work.name.clear();
  work.matFrom = work.matTo = 0;
  work.framePoints.clear();
  work.rings.resize(static_cast<std::size_t>(n));
  clsColours colours = chooseColours(in, random, false);

  bool twisted = false;
  int twist = 0, step = 0;
  if (in.sizeRot.twistChance > 0 && static_cast<float>(random.draw()) < in.sizeRot.twistChance) {
    twisted = true;
    const double total = modRandom::randomBetween(random, 150, 250, false, true);
    step = static_cast<int>(std::nearbyint(total / (n - 1)));
  }

  for (int i = 1; i <= n; ++i) {
    const clsPixel& p = nodes[static_cast<std::size_t>(i - 1)];
    const float w1 = variedWidth(random, in.widths->side[0][static_cast<std::size_t>(i - 1)], in.widthVar);
    const float w2 = variedWidth(random, in.widths->side[1][static_cast<std::size_t>(i - 1)], in.widthVar);
    setRing(work.rings[static_cast<std::size_t>(i - 1)], p.x, p.y, p.z, w1, w2, twist, colours.ringMat);
    if (twisted) twist += step;
    updateColours(in, random, colours, i);
  }

  tMatrix m = modSizeRot::drawItemTransform(random, in.sizeRot);
  modVectorMatrix::multiplyMatrix(m, placement);
  modTube::transformTube(work, m);
  modTube::computeNormals(work);
  if (colours.bladeMat >= 1) appendBladeMaterial(text, in.materialPrefix, colours.bladeMat);
  modTube::appendObjText(text, work, true, random, in.materialPrefix);
}

void buildCompoundLeaf(std::string& text, const clsBladeInputs& in, const clsPolygon& path, const tMatrix& placement,
                       model::clsRandom& random) {
  const int n = in.nodes;
  if (static_cast<int>(path.v.size()) < n || n < 2) return;
  clsTube tube = modTube::newTube("", 0, 0);
  clsColours colours = chooseColours(in, random, true);

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
      w1 = variedWidth(random, w1, in.widthVar);
      w2 = variedWidth(random, w2, in.widthVar);
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
    updateColours(in, random, colours, i);
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
  const auto addLeaflet = [&](float angle, float size) {
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
  if (joint > 1) modTube::appendTube(fan, stem, true);

  tMatrix m = modVectorMatrix::axisRotationMatrix(3, theta - geometry::kHalfPi);
  modVectorMatrix::multiplyMatrix(m, modVectorMatrix::translationMatrix(pJ.x, pJ.y, pJ.z));
  modVectorMatrix::multiplyMatrix(m, modSizeRot::drawItemTransform(random, in.sizeRot));
  modVectorMatrix::multiplyMatrix(m, placement);
  modTube::transformTube(fan, m);
  modTube::computeNormals(fan);
  modTube::appendObjText(text, fan, true, random, in.materialPrefix);
}

}  // namespace modBladeBuilder
