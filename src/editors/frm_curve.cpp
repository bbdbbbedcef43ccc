#include "editors/frm_curve.h"

#include <cmath>

#include "blade/curve_records.h"
#include "editors/value_text.h"
#include "geometry/polygon_ops.h"
#include "model/value_functions.h"

namespace editors {

namespace slot = model::slot;

namespace {

constexpr int kPointMarker = 5;
constexpr int kActiveMarker = 3;
constexpr int kNodeMarker = 2;
constexpr float kVisibleMargin = 50;

int integerSlot(const model::clsStore& store, int slotNumber) {
  return modGeneral::toInteger(modStore::readSlot(store, slotNumber));
}

}  // namespace

const blade::clsCurve& frmCurve::curve() const {
  return modCurveRecords::curveOf(session_.store(), session_.store().activeElement);
}

frmCurve::clsView frmCurve::view() const {
  clsView v;
  const float zoom = 1;
  v.ox = static_cast<float>(width_ / 2);
  v.oy = static_cast<float>(height_ * 70 / 100);
  v.scale = v.oy / zoom;
  return v;
}

geometry::clsPixel frmCurve::pointOnScreen(int point) const {
  const clsView v = view();
  const geometry::clsPixel& p = curve().cp.v[static_cast<std::size_t>(point - 1)].p;
  return {v.ox + p.x * v.scale, v.oy - p.y * v.scale, 0};
}

clsDrawing frmCurve::drawing() const {
  const clsView v = view();
  clsDrawing d;
  const auto visible = [&](float x, float y) {
    return x >= -kVisibleMargin && x <= static_cast<float>(width_) + kVisibleMargin && y >= -kVisibleMargin &&
           y <= static_cast<float>(height_) + kVisibleMargin;
  };
  const auto screen = [&](const geometry::clsPixel& p) { return geometry::clsPixel{v.ox + p.x * v.scale, v.oy - p.y * v.scale, 0}; };
  modDrawing::line(d, 0, v.oy, 2 * v.ox, v.oy, kAxis, 1);
  modDrawing::line(d, v.ox, 0, v.ox, 2 * v.oy, kAxis, 1);

  const blade::clsCurve& shown = variant_ ? *variant_ : curve();
  const auto& points = shown.cp.v;
  for (std::size_t i = 0; i + 1 < points.size(); ++i) {
    const auto a = screen(points[i].p), b = screen(points[i + 1].p);
    modDrawing::line(d, a.x, a.y, b.x, b.y, kPolygon, 1);
  }
  for (const auto& point : points) {
    const auto a = screen(point.p);
    if (visible(a.x, a.y)) modDrawing::marker(d, a.x, a.y, kPointMarker, rgb(0, 0, 0));
  }
  // No polyline for a curve that cannot be computed (weights are at least 0.1, so it can be
  // only a hand-damaged record).
  model::clsRandom unused(0);
  if (const auto nodes = modCurve::nodePolyline(shown, false, unused)) {
    for (std::size_t i = 0; i + 1 < nodes->v.size(); ++i) {
      const auto a = screen(nodes->v[i].p), b = screen(nodes->v[i + 1].p);
      modDrawing::line(d, a.x, a.y, b.x, b.y, kNodeLine, 1);
    }
    for (const auto& node : nodes->v) {
      const auto a = screen(node.p);
      if (visible(a.x, a.y)) modDrawing::marker(d, a.x, a.y, kNodeMarker, rgb(0, 0, 0));
    }
  }
  // The stored points in their colours, whatever variant is shown.
  const int active = activePoint();
  for (int i = 1; i <= static_cast<int>(curve().cp.v.size()) && i <= 4; ++i) {
    const auto a = pointOnScreen(i);
    if (!visible(a.x, a.y)) continue;
    modDrawing::marker(d, a.x, a.y, kPointMarker, kPointColours[static_cast<std::size_t>(i - 1)]);
    if (i == active) modDrawing::marker(d, a.x, a.y, kActiveMarker, rgb(255, 255, 255));
  }
  return d;
}

bool frmCurve::useFourPoints() const { return pointCount() == 4; }
int frmCurve::pointCount() const { return integerSlot(session_.store(), slot::kPointCount); }
int frmCurve::activePoint() const { return integerSlot(session_.store(), slot::kActivePoint); }

std::string frmCurve::weightText(int point) const {
  if (point < 1 || point > pointCount() || point > static_cast<int>(curve().cp.v.size())) return "";
  return modValueText::roundedText(curve().cp.v[static_cast<std::size_t>(point - 1)].w, 7);
}

std::string frmCurve::variationText(int axis) const {
  return std::to_string(integerSlot(session_.store(), slot::kVariationX + axis));
}

bool frmCurve::zVariationEnabled() const { return !model::isRock(session_.store().activeElement); }

std::string frmCurve::originTip(int index) const {
  static constexpr std::array<const char*, 3> kTips = {"Place the control point into the origin.",
                                                       "Set X of the control point to 0.",
                                                       "Set Y of the control point to 0."};
  return tip(kTips[static_cast<std::size_t>(index)]);
}

std::string frmCurve::drawTip(int index) const {
  return tip(index == 0 ? "Generate a random curve based on the parent curve and variable XYZ." : "View the parent curve.");
}

std::string frmCurve::variationTip(int axis) const {
  static constexpr std::array<const char*, 3> kTips = {
      "Maximum amount the tip can vibrate around its original X value. In percent of Y length from O.",
      "Maximum amount the tip can vibrate around its original Y value. In percent of Y length from O.",
      "Maximum amount the tip can vibrate around its original Z value. In percent of Y length from O."};
  return tip(kTips[static_cast<std::size_t>(axis)]);
}

std::string frmCurve::weightTip(int point) const {
  static constexpr std::array<const char*, 4> kTips = {
      "The weight black exerts on the curve.", "The weight red exerts on the curve.",
      "The weight green exerts on the curve.", "The weight blue exerts on the curve."};
  return tip(kTips[static_cast<std::size_t>(point - 1)]);
}

void frmCurve::setActiveElement(int element) {
  modStore::setActiveElement(session_.store(), element);
  variant_.reset();
}

void frmCurve::click(float x, float y) {
  variant_.reset();
  const int active = activePoint();
  const auto tolerance = static_cast<float>(kHitTolerance);
  for (int i = 1; i <= pointCount(); ++i) {
    if (i == active) continue;  // the active point is never hit: a click on it moves it
    const auto p = pointOnScreen(i);
    if (p.x - tolerance <= x && x <= p.x + tolerance && p.y - tolerance <= y && y <= p.y + tolerance) {
      session_.edit([&] { modCurveRecords::setActivePoint(session_.store(), i); });
      return;
    }
  }
  drag(x, y);
}

void frmCurve::drag(float x, float y) {
  variant_.reset();
  const clsView v = view();
  session_.edit([&] {
    modCurveRecords::setPointPosition(session_.store(), activePoint(), (x - v.ox) / v.scale, (v.oy - y) / v.scale);
  });
}

void frmCurve::arrow(Arrow key) {
  const auto p = pointOnScreen(activePoint());
  switch (key) {
    case Arrow::Left:
      if (p.x > 1) click(p.x - 1, p.y);
      break;
    case Arrow::Up:
      if (p.y > 1) click(p.x, p.y - 1);
      break;
    case Arrow::Right:
      if (p.x < static_cast<float>(width_ - 2)) click(p.x + 1, p.y);
      break;
    case Arrow::Down:
      if (p.y < static_cast<float>(height_ - 2)) click(p.x, p.y + 1);
      break;
  }
}

void frmCurve::setUseFourPoints(bool on) {
  variant_.reset();
  session_.edit([&] { modCurveRecords::setPointCount(session_.store(), on ? 4 : 3); });
}

void frmCurve::applyWeight(int point, const std::string& text) {
  variant_.reset();
  session_.edit([&] { modCurveRecords::setPointWeight(session_.store(), point, text); });
}

void frmCurve::applyVariation(const std::string& x, const std::string& y, const std::string& z) {
  session_.edit([&] { modCurveRecords::setCurveVariation(session_.store(), x, y, z); });
}

void frmCurve::sameVariationToAll(const std::string& x, const std::string& y, const std::string& z) {
  session_.edit([&] {
    model::clsStore& store = session_.store();
    const std::int16_t active = store.activeElement;
    for (int e = 1; e <= model::kElementCount; ++e) {
      modStore::setActiveElement(store, e);
      modCurveRecords::setCurveVariation(store, x, y, z);
    }
    modStore::setActiveElement(store, active);
  });
}

void frmCurve::toOrigin(int index) {
  variant_.reset();
  const geometry::clsPixel p = curve().cp.v[static_cast<std::size_t>(activePoint() - 1)].p;
  session_.edit([&] {
    modCurveRecords::setPointPosition(session_.store(), activePoint(), index == 2 ? p.x : 0, index == 1 ? p.y : 0);
  });
}

void frmCurve::drawRandom() {
  blade::clsCurve varied = curve();
  varied.cp = modPolygon::cloneAndJitter(curve().cp, "", session_.random);
  variant_ = std::move(varied);
}

}  // namespace editors
