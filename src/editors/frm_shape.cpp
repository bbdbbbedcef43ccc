#include "editors/frm_shape.h"

#include <cmath>

#include "blade/width_profile.h"
#include "editors/value_text.h"
#include "model/value_functions.h"

namespace editors {

namespace slot = model::slot;

namespace {

constexpr float kDotSize = 7;

int integerSlot(const model::clsStore& store, int slotNumber) {
  return modGeneral::toInteger(modStore::readSlot(store, slotNumber));
}

const char* pick(int index, const char* minus, const char* plus) { return index == 0 ? minus : plus; }

}  // namespace

int frmShapeWi::nodeCount() const { return integerSlot(session_.store(), slot::kNodeCount); }
int frmShapeWi::secondColourNode() const { return integerSlot(session_.store(), slot::kSecondColourNode); }
int frmShapeWi::compoundCount() const { return integerSlot(session_.store(), slot::kCompoundCount); }
int frmShapeWi::jointNode() const { return integerSlot(session_.store(), slot::kJointNode); }
int frmShapeWi::splitNode() const { return integerSlot(session_.store(), slot::kSplitNode); }
int frmShapeWi::activeNode() const { return integerSlot(session_.store(), slot::kActiveNode); }
int frmShapeWi::activeSide() const { return integerSlot(session_.store(), slot::kActiveSide) != 0 ? 1 : 0; }
bool frmShapeWi::symmetric() const { return integerSlot(session_.store(), slot::kSymmetric) == 1; }
bool frmShapeWi::isRock() const { return model::isRock(session_.store().activeElement); }
int frmShapeWi::sectionChange() const { return integerSlot(session_.store(), slot::kSectionChange); }

std::string frmShapeWi::angleText() const {
  return modValueText::roundedText(modGeneral::toSingle(modStore::readSlot(session_.store(), slot::kCompoundAngle)), 7);
}
std::string frmShapeWi::sizeText() const { return std::to_string(integerSlot(session_.store(), slot::kCompoundSize)); }
std::string frmShapeWi::widthVarText() const {
  return std::to_string(integerSlot(session_.store(), slot::kWidthVariation));
}

std::string frmShapeWi::nodeCountTip(int i) const {
  return tip(pick(i, "Remove a node from the curve.", "Insert a node into the curve."));
}
std::string frmShapeWi::drawTip(int i) const {
  return tip(pick(i, "Generate random width based on variable width.", "View the original width."));
}
std::string frmShapeWi::equalTip(int i) const {
  static constexpr std::array<const char*, 5> kTips = {
      "Set all widths to the same value of the active width.",
      "Align all widths to a straight line between top and bottom.",
      "Set the width of the selected node to the value of the node above it.",
      "Set the width of the selected node to the value of the other side.",
      "Set the width of the selected node to the value of the node below it."};
  return tip(kTips[static_cast<std::size_t>(i)]);
}
std::string frmShapeWi::compoundTip(int i) const {
  return tip(pick(i, "Reduce the number of branches in a compound leaf.",
                  "Increase the number of branches in a compound leaf."));
}
std::string frmShapeWi::jointTip(int i) const {
  return tip(pick(i, "Lower the joining (blue) node in a compound leaf.", "Raise the joining (blue) node in a compound leaf."));
}
std::string frmShapeWi::splitTip(int i) const {
  return tip(pick(i, "Lower the spliting (magenta) node in a compound leaf.",
                  "Raise the spliting (magenta) node in a compound leaf."));
}
std::string frmShapeWi::secondColourTip(int i) const {
  return tip(pick(i, "Lower the node of 2nd color set.", "Raise the node of 2nd color set."));
}

frmShapeWi::clsView frmShapeWi::view() const {
  clsView v;
  const float zoom = 1;
  v.length = static_cast<float>(width_);
  v.cx = v.length / 2;
  v.footY = (static_cast<float>(height_) - v.length) / 2 + v.length;
  v.scale = v.length / zoom;
  for (float d : modWidthProfile::sectionPositions(v.length, nodeCount(), static_cast<float>(sectionChange())))
    v.y.push_back(v.footY - d);
  return v;
}

geometry::clsPixel frmShapeWi::handle(const clsView& v, int side, int node) const {
  const model::clsStore& store = session_.store();
  const float w = modWidthProfile::width(store, session_.project().widths, side, node);
  const float y = v.y[static_cast<std::size_t>(node - 1)];
  return {side == 0 ? v.cx - w * v.scale : v.cx + w * v.scale, y, 0};
}

clsDrawing frmShapeWi::drawing() const {
  const clsView v = view();
  clsDrawing d;
  modDrawing::line(d, v.cx, 0, v.cx, static_cast<float>(height_), kCentreLine, 1);
  const int n = nodeCount();
  std::array<std::vector<geometry::clsPixel>, 2> handles;
  for (int side = 0; side < 2; ++side) {
    for (int j = 1; j <= n; ++j) {
      geometry::clsPixel h = handle(v, side, j);
      if (preview_) {
        const float w = (*preview_)[static_cast<std::size_t>(side)][static_cast<std::size_t>(j - 1)] * v.scale;
        h.x = side == 0 ? v.cx - w : v.cx + w;
      }
      handles[static_cast<std::size_t>(side)].push_back(h);
    }
  }
  const auto at = [&](int side, int j) { return handles[static_cast<std::size_t>(side)][static_cast<std::size_t>(j - 1)]; };
  const int second = secondColourNode(), joint = jointNode(), split = splitNode();
  for (int j = 1; j <= n; ++j) {
    std::int32_t colour = kOutline;
    float width = 1;
    if (j == second) colour = kSecondColour, width = 3;
    else if (j == joint) colour = kJoint, width = 3;
    else if (j == split) colour = kSplit, width = 3;
    modDrawing::line(d, at(0, j).x, at(0, j).y, at(1, j).x, at(1, j).y, colour, width);
  }
  for (int j = 1; j < n; ++j) {
    const bool upper = j >= second;
    for (int side = 0; side < 2; ++side)
      modDrawing::line(d, at(side, j).x, at(side, j).y, at(side, j + 1).x, at(side, j + 1).y,
                       upper ? kSecondColour : kOutline, upper ? 3 : 1);
  }
  for (int j = 1; j <= n; ++j) {
    const std::int32_t colour = j == joint ? kJoint : j == split ? kSplit : rgb(0, 0, 0);
    for (int side = 0; side < 2; ++side) modDrawing::dot(d, at(side, j).x, at(side, j).y, kDotSize, colour);
  }
  const int active = std::clamp(activeNode(), 1, n);
  modDrawing::dot(d, at(activeSide(), active).x, at(activeSide(), active).y, kDotSize, kActive);
  return d;
}

void frmShapeWi::setActiveElement(int element) {
  modStore::setActiveElement(session_.store(), element);
  preview_.reset();
}

void frmShapeWi::setWidthAt(float x, bool onActiveSide, float cx, float scale) {
  const float w = onActiveSide ? std::fabs(x - cx) / scale : 0;
  modWidthProfile::setWidth(session_.store(), session_.project().widths, activeSide(), activeNode(), w, false);
}

void frmShapeWi::click(float x, float y) {
  preview_.reset();
  const clsView v = view();
  const int side = x >= v.cx ? 1 : 0;
  const auto tolerance = static_cast<float>(kHitTolerance);
  for (int j = 1; j <= nodeCount(); ++j) {
    if (side == activeSide() && j == activeNode()) continue;
    const geometry::clsPixel h = handle(v, side, j);
    if (h.x - tolerance < x && x < h.x + tolerance && h.y - tolerance < y && y < h.y + tolerance) {
      session_.edit([&] {
        modWidthProfile::setActiveNode(session_.store(), j, true);
        modWidthProfile::setActiveSide(session_.store(), side, true);
      });
      return;
    }
  }
  session_.edit([&] { setWidthAt(x, side == activeSide(), v.cx, v.scale); });
}

void frmShapeWi::drag(float x, float y) {
  (void)y;
  preview_.reset();
  const clsView v = view();
  session_.edit([&] { setWidthAt(x, (x >= v.cx ? 1 : 0) == activeSide(), v.cx, v.scale); });
}

void frmShapeWi::nudge(int direction) {
  const clsView v = view();
  const geometry::clsPixel h = handle(v, activeSide(), std::clamp(activeNode(), 1, nodeCount()));
  if (direction > 0 && h.x < static_cast<float>(width_ - 2)) click(h.x + 1, h.y);
  if (direction < 0 && h.x > 1) click(h.x - 1, h.y);
}

void frmShapeWi::changeNodeCount(int delta) {
  preview_.reset();
  session_.edit([&] { modWidthProfile::setNodeCount(session_.store(), nodeCount() + delta, true); });
}

void frmShapeWi::changeSecondColourNode(int delta) {
  session_.edit([&] { modWidthProfile::setSecondColourNode(session_.store(), secondColourNode() + delta, true); });
}

void frmShapeWi::changeCompoundCount(int delta) {
  session_.edit([&] { modWidthProfile::setCompoundCount(session_.store(), compoundCount() + delta, true); });
}

void frmShapeWi::changeJointNode(int delta) {
  session_.edit([&] { modWidthProfile::setJointNode(session_.store(), jointNode() + delta, true); });
}

void frmShapeWi::changeSplitNode(int delta) {
  session_.edit([&] { modWidthProfile::setSplitNode(session_.store(), splitNode() + delta, true); });
}

void frmShapeWi::applyAngle(const std::string& text) {
  session_.edit([&] { modWidthProfile::setCompoundAngle(session_.store(), text, true); });
}

void frmShapeWi::applySize(const std::string& text) {
  session_.edit([&] { modWidthProfile::setCompoundSize(session_.store(), text, true); });
}

void frmShapeWi::applyWidthVar(const std::string& text) {
  session_.edit([&] { modWidthProfile::setWidthVariation(session_.store(), text, true); });
}

void frmShapeWi::setSectionChange(int value) {
  preview_.reset();
  session_.edit([&] { modWidthProfile::setSectionChange(session_.store(), value, true); });
}

void frmShapeWi::setSymmetric(bool on) {
  session_.edit([&] { modWidthProfile::setSymmetric(session_.store(), on ? 1 : 0, true); });
}

void frmShapeWi::setSmooth(bool on) {
  session_.edit([&] { modWidthProfile::setCompoundCount(session_.store(), on ? 1 : 0, true); });
}

void frmShapeWi::drawRandom() {
  preview_ = modWidthProfile::previewWidths(session_.store(), session_.project().widths, session_.random);
}

void frmShapeWi::equal(int index) {
  preview_.reset();
  session_.edit([&] {
    model::clsStore& store = session_.store();
    blade::clsWidthProfile& widths = session_.project().widths;
    switch (index) {
      case 0: modWidthProfile::sameAll(store, widths); break;
      case 1: modWidthProfile::alignAll(store, widths); break;
      case 2: modWidthProfile::equalAbove(store, widths); break;
      case 3: modWidthProfile::equalSide(store, widths); break;
      case 4: modWidthProfile::equalBelow(store, widths); break;
      default: break;
    }
  });
}

void frmShapeWi::paste() {
  preview_.reset();
  session_.edit([&] {
    model::clsStore& store = session_.store();
    const int from = copySource_, to = store.activeElement;
    if (from == to) return;
    const auto value = [&](int s) { return modStore::readElementSlot(store, from, s); };
    modWidthProfile::setSymmetric(store, value(slot::kSymmetric), true);
    modWidthProfile::setNodeCount(store, value(slot::kNodeCount), true);
    modWidthProfile::setCompoundCount(store, value(slot::kCompoundCount), true);
    modWidthProfile::setCompoundAngle(store, value(slot::kCompoundAngle), true);
    modWidthProfile::setCompoundSize(store, value(slot::kCompoundSize), true);
    modWidthProfile::setJointNode(store, value(slot::kJointNode), true);
    modWidthProfile::setSplitNode(store, value(slot::kSplitNode), true);
    modWidthProfile::setSectionChange(store, value(slot::kSectionChange), true);
    modWidthProfile::setWidthVariation(store, value(slot::kWidthVariation), true);
    modWidthProfile::setSecondColourNode(store, value(slot::kSecondColourNode), true);
    auto& elements = session_.project().widths.elements;
    elements[static_cast<std::size_t>(to - 1)] = elements[static_cast<std::size_t>(from - 1)];
  });
}

}  // namespace editors
