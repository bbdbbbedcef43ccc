#pragma once
// The width profile of each element: widths at the nodes on both sides of the curve, node
// count, symmetry, compound-leaf values, section change, width variation and the node of the
// second colour set (slots 9 to 20), kept consistent when the user edits them.

#include <array>
#include <cstdint>
#include <vector>

#include "model/random.h"
#include "model/slots.h"
#include "model/store.h"

namespace blade {

inline constexpr int kMaxNodes = 100;

// Widths as fractions of the blade length; side 0 towards +Z, side 1 towards -Z; node j at j - 1.
using tWidthTable = std::array<float, kMaxNodes>;

struct clsElementWidths {
  std::array<tWidthTable, 2> side{};
  bool operator==(const clsElementWidths&) const = default;
};

struct clsWidthProfile {
  std::array<clsElementWidths, model::kElementCount> elements{};
  bool operator==(const clsWidthProfile&) const = default;
};

}  // namespace blade

namespace modWidthProfile {

using blade::clsWidthProfile;
using model::clsStore;
using model::tValue;

// The values every element gets when the editor loads, before the default text replaces them.
void loadShape(clsStore& store, clsWidthProfile& widths);

// Setters on the active element. With the editor flag they keep related slots in step.
void setSymmetric(clsStore& store, const tValue& value, bool editor);
void setNodeCount(clsStore& store, const tValue& value, bool editor);
void setCompoundCount(clsStore& store, const tValue& value, bool editor);
void setCompoundAngle(clsStore& store, const tValue& value, bool editor);
void setCompoundSize(clsStore& store, const tValue& value, bool editor);
void setJointNode(clsStore& store, const tValue& value, bool editor);
void setSplitNode(clsStore& store, const tValue& value, bool editor);
void setSectionChange(clsStore& store, const tValue& value, bool editor);
void setWidthVariation(clsStore& store, const tValue& value, bool editor);
void setSecondColourNode(clsStore& store, const tValue& value, bool editor);
void setActiveNode(clsStore& store, const tValue& value, bool editor);
void setActiveSide(clsStore& store, const tValue& value, bool editor);

// side 0 or 1, node 1..100 (others ignored). Negative widths are stored as 0. Unless noMirror
// is set, a symmetric profile sets the other side too.
void setWidth(const clsStore& store, clsWidthProfile& widths, int side, int node, const tValue& width, bool noMirror);
void setNodeWidths(const clsStore& store, clsWidthProfile& widths, int node, const tValue& side1, const tValue& side2);

// Node 0 reads the active node.
float width(const clsStore& store, const clsWidthProfile& widths, int side, int node);
std::int16_t nodeCount(const clsStore& store, int element);

// The editor's buttons, on the active node and side of the active element.
void sameAll(const clsStore& store, clsWidthProfile& widths);
void alignAll(const clsStore& store, clsWidthProfile& widths);
void equalAbove(const clsStore& store, clsWidthProfile& widths);
void equalSide(const clsStore& store, clsWidthProfile& widths);
void equalBelow(const clsStore& store, clsWidthProfile& widths);

// Node positions for a length along n nodes where each section is (1 + change / 100) times
// the one below it; node 1 at 0 and node n at length.
std::vector<float> sectionPositions(float length, int nodes, float changePercent);

// w varied by up to its share v (0..1) either way, never below 0; always two draws.
float varyWidth(model::clsRandom& random, float w, float v);
// The editor's preview: every node's widths varied by slot 17, node by node, side 1 first.
std::array<std::vector<float>, 2> previewWidths(const clsStore& store, const clsWidthProfile& widths,
                                                model::clsRandom& random);

}  // namespace modWidthProfile
