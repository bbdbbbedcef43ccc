#include "generation/item_placement.h"

#include <algorithm>
#include <optional>

#include "blade/blade_builder.h"
#include "blade/blade_snapshot.h"
#include "blade/curve_records.h"
#include "blade/rock_builder.h"
#include "blade/width_profile.h"
#include "generation/map_records.h"
#include "generation/map_sampler.h"
#include "geometry/polygon_ops.h"
#include "geometry/vector_matrix.h"
#include "materials/palette.h"
#include "model/snapshot.h"
#include "model/value_functions.h"

namespace modItemPlacement {

using geometry::clsPixel;
using geometry::clsPolygon;

namespace {

// Everything a run reads, taken once at its start.
struct clsRunSnapshot {
  model::clsSnapshot slots;
  float factor = 1;
  std::array<blade::clsScaledWidths, model::kElementCount> widths{};
  generation::clsMapPictures pictures;
  materials::clsMaterialTable materials;
};

// An element's random curve variants: node positions by variant and node for grass, the
// outline and cross-section profiles by variant for rock.
struct clsVariants {
  std::vector<std::vector<clsPixel>> nodes;
  blade::clsRockProfiles rock;
  int count() const { return static_cast<int>(std::max(nodes.size(), rock.outline.size())); }
};

const model::tValue& slotOf(const clsRunSnapshot& run, int element, int slot) {
  return modSnapshot::readSnapshotSlot(run.slots, element, slot);
}

std::int16_t integerOf(const clsRunSnapshot& run, int element, int slot) {
  return modGeneral::toInteger(slotOf(run, element, slot));
}

float percentOf(const clsRunSnapshot& run, int element, int slot) {
  return static_cast<float>(integerOf(run, element, slot)) / 100;
}

clsRunSnapshot takeSnapshot(const generation::clsRunSettings& project) {
  clsRunSnapshot run;
  run.slots = modSnapshot::makeSnapshot(project.store);
  run.factor = modBladeSnapshot::curveScaleFactor(run.slots, project.store.grassLength);
  for (int e = 1; e <= model::kElementCount; ++e)
    run.widths[static_cast<std::size_t>(e - 1)] = modBladeSnapshot::scaledWidths(run.slots, project.widths, e, run.factor);
  run.pictures = project.pictures;
  run.materials = modPalette::reportStartEnd(project.store);
  return run;
}

// 0 for an element not in use, 50 when its curve varies, else 1.
int variantCount(const clsRunSnapshot& run, int element) {
  if (integerOf(run, element, model::slot::kUse) != 1) return 0;
  for (int axis = 0; axis < 3; ++axis)
    if (modGeneral::toDouble(slotOf(run, element, model::slot::kVariationX + axis)) > 0) return kVariedCurves;
  return 1;
}

// A rock's two profiles from one varied node polyline: the outline turned about Z so that its
// last node lies on +X, and the cross-section, the outline turned about Y onto -Z. Above a
// section change of 0 both carry a roughness for the varied copies taken per rock.
void addRockProfiles(blade::clsRockProfiles& rock, clsPolygon nodes, const clsRunSnapshot& run, int element,
                     float segment) {
  const clsPixel last = nodes.v.back().p;
  modPolygon::rotatePolygon(nodes, {}, 3, -modVectorMatrix::directionAngle(last.x, last.y));
  clsPolygon section = modPolygon::clonePolygon(nodes, "");
  modPolygon::rotatePolygon(section, {}, 2, geometry::kHalfPi);
  const bool smooth = integerOf(run, element, model::slot::kCompoundCount) == 1;
  section.isClosed = true;
  section.capStart = section.capEnd = false;
  section.smoothAlong = section.smoothAround = smooth;
  const float change = percentOf(run, element, model::slot::kSectionChange);
  if (change > 0) {
    for (std::size_t k = 0; k < nodes.v.size(); ++k) {
      geometry::clsVertex& outline = nodes.v[k];
      geometry::clsVertex& across = section.v[k];
      outline.vX = change * segment;
      outline.vY = change * outline.p.y;
      across.vZ = change * segment;
      across.vY = change * across.p.y;
      outline.fX = outline.fY = across.fZ = across.fY = 100;
    }
  }
  rock.outline.push_back(std::move(nodes));
  rock.section.push_back(std::move(section));
}

// The curve at output size with its foot at the origin, then `count` varied node polylines:
// a grass variant turned about Y so that its tip lies in the X-Y plane on the +X side, a rock
// variant made into its two profiles. No value when a curve point cannot be computed.
std::optional<clsVariants> buildVariants(const clsRunSnapshot& run, int element, int count, model::clsRandom& random) {
  clsVariants variants;
  if (count < 1) return variants;
  const auto* ref = std::get_if<model::clsObjectRef>(&slotOf(run, element, model::slot::kCurve));
  if (ref == nullptr || ref->as<blade::clsCurve>() == nullptr) return std::nullopt;
  blade::clsCurve curve = *ref->as<blade::clsCurve>();
  if (curve.cp.v.empty()) return std::nullopt;
  const clsPixel foot = curve.cp.v.front().p;
  if (!geometry::isZero(foot)) modPolygon::movePolygon(curve.cp, {-foot.x, -foot.y, -foot.z});
  // The variation amounts are lengths on the curve too, so they grow with it.
  modPolygon::scalePolygonAndVariation(curve.cp, {}, run.factor, 0);
  const int nodeCount = std::max<int>(2, integerOf(run, element, model::slot::kNodeCount));
  const float segment =
      modVectorMatrix::distance(curve.cp.v.front().p, curve.cp.v.back().p) / static_cast<float>(nodeCount - 1);
  for (int v = 0; v < count; ++v) {
    std::optional<clsPolygon> nodes = modCurve::nodePolyline(curve, true, random);
    if (!nodes || nodes->v.empty()) return std::nullopt;
    if (model::isRock(element)) {
      addRockProfiles(variants.rock, std::move(*nodes), run, element, segment);
      continue;
    }
    const clsPixel tip = nodes->v.back().p;
    modPolygon::rotatePolygon(*nodes, {}, 2, -modVectorMatrix::directionAngle(tip.x, -tip.z));
    std::vector<clsPixel> positions;
    positions.reserve(nodes->v.size());
    for (const auto& vertex : nodes->v) positions.push_back(vertex.p);
    variants.nodes.push_back(std::move(positions));
  }
  return variants;
}

// The node ring of one variant, for the compound-leaf builder.
clsPolygon compoundPath(const clsVariants& variants, int variant) {
  clsPolygon ring = modTube::newPolygon("", true, true, false, false, false, false, 0, 0);
  if (variant < 1 || variant > variants.count()) return ring;
  for (const clsPixel& p : variants.nodes[static_cast<std::size_t>(variant - 1)]) modTube::addVertex(ring, p.x, p.y, p.z);
  return ring;
}

blade::clsItemInputs bladeInputs(const clsRunSnapshot& run, int e) {
  namespace slot = model::slot;
  blade::clsItemInputs in;
  in.nodes = integerOf(run, e, slot::kNodeCount);
  in.widthVar = percentOf(run, e, slot::kWidthVariation);
  in.secondNode = integerOf(run, e, slot::kSecondColourNode);
  in.secondUsed = in.secondNode < in.nodes;
  in.first1 = run.materials.at(e, 1, 1);
  in.last1 = run.materials.at(e, 3, 2);
  in.first2 = run.materials.at(e, 4, 1);
  in.last2 = run.materials.at(e, 6, 2);
  in.rainbow1 = modGeneral::isSet(integerOf(run, e, model::slot::kRainbow1));
  in.rainbow2 = modGeneral::isSet(integerOf(run, e, model::slot::kRainbow1 + 1));
  in.sizeRot = modSizeRot::readSizeRot(run.slots, e);
  in.leaves = integerOf(run, e, slot::kCompoundCount);
  in.leafAngle = modGeneral::degToRad(modGeneral::toSingle(slotOf(run, e, slot::kCompoundAngle)));
  in.leafSize = percentOf(run, e, slot::kCompoundSize);
  in.jointNode = integerOf(run, e, slot::kJointNode);
  in.splitNode = integerOf(run, e, slot::kSplitNode);
  in.sectionChange = percentOf(run, e, slot::kSectionChange);
  in.smooth = in.leaves == 1;
  in.widths = &run.widths[static_cast<std::size_t>(e - 1)];
  return in;
}

// Makes every item of one element; GoOn, or the first other status of the sink.
generation::RunStatus makeItems(const clsRunSnapshot& run, int e, const clsVariants& variants,
                                generation::IItemSink& sink, model::clsRandom& random) {
  blade::clsItemInputs in = bladeInputs(run, e);
  const bool rock = model::isRock(e);
  const bool compound = !rock && in.leafAngle > 0 && in.leaves > 1;
  const int nodeCount = in.nodes;
  const generation::clsSampler sampler = modMapSampler::prepareMaps(run.slots, run.pictures, e);

  const blade::clsSizeRot& sizeRot = in.sizeRot;
  std::int32_t clumpSize = modSizeRot::drawClumpSize(random, sizeRot);  // superseded at the first item
  const std::int32_t itemCount = modGeneral::toLong(slotOf(run, e, model::slot::kItemCount));
  sink.beginElement(e, itemCount);
  const std::int32_t stepItems = itemCount / 100 + 1;
  const std::int32_t perVariant = itemCount / variants.count() + 1;

  std::int32_t reportCounter = 0, variantCounter = 0, clumpCounter = 0;
  int variant = 0;
  geometry::tMatrix placement = modVectorMatrix::identityMatrix();
  clsPolygon path;
  geometry::clsTube work;
  for (std::int32_t i = 1; i <= itemCount; ++i) {
    if (++reportCounter > stepItems) reportCounter = 1;
    const bool report = reportCounter == 1;
    if (++variantCounter > perVariant) variantCounter = 1;
    if (variantCounter == 1) {
      variant = std::min(variant + 1, variants.count());
      if (compound) path = compoundPath(variants, variant);
    }
    if (++clumpCounter > clumpSize) clumpCounter = 1;
    if (clumpCounter == 1) {
      placement = modMapSampler::samplePosition(sampler, random);
      if (sizeRot.maxPerClump > 1) clumpSize = modSizeRot::drawClumpSize(random, sizeRot);
    }

    geometry::clsItemList& items = sink.items();
    const bool drawsOnly = !sink.keeps(i);
    if (rock) {
      modRockBuilder::buildRock(items, in, variants.rock, variant, placement, random, drawsOnly);
    } else {
      const std::vector<clsPixel>& nodes = variants.nodes[static_cast<std::size_t>(variant - 1)];
      in.nodes = std::min(nodeCount, static_cast<int>(nodes.size()));
      if (compound)
        modBladeBuilder::buildCompoundLeaf(items, in, path, placement, random, drawsOnly);
      else
        modBladeBuilder::buildBlade(items, work, in, nodes, placement, random, drawsOnly);
    }
    const generation::RunStatus code = sink.itemDone(report, i);
    if (code != generation::RunStatus::GoOn) return code;
  }
  sink.endElement();
  return generation::RunStatus::GoOn;
}

}  // namespace

generation::RunStatus generateAll(const generation::clsRunSettings& settings, generation::IItemSink& sink,
                                  model::clsRandom& random, platform::IMessageBox& messages) {
  const clsRunSnapshot run = takeSnapshot(settings);
  std::array<std::optional<clsVariants>, model::kElementCount> variants;
  bool failureShown = false;
  for (int e = 1; e <= model::kElementCount; ++e) {
    auto& entry = variants[static_cast<std::size_t>(e - 1)];
    entry = buildVariants(run, e, variantCount(run, e), random);
    if (!entry && !failureShown) {
      messages.showMessage(std::string(blade::kCurvePointFailure));
      failureShown = true;
    }
  }

  for (int e = 1; e <= model::kElementCount; ++e) {
    const auto& entry = variants[static_cast<std::size_t>(e - 1)];
    // Elements not in use, and curves that cannot be computed, make nothing.
    if (integerOf(run, e, model::slot::kUse) != 1 || !entry || entry->count() == 0) continue;
    const generation::RunStatus code = makeItems(run, e, *entry, sink, random);
    if (code != generation::RunStatus::GoOn) return code;
  }
  return sink.finish();
}

}  // namespace modItemPlacement
