#pragma once
// The blade curve: a rational uniform B-spline of degree 3 over three or four weighted control
// points, measured by sampling and cut into nodes by arc length with the geometric section rule.

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "geometry/mesh.h"
#include "model/random.h"
#include "model/tagged_value.h"

namespace blade {

struct clsCurve final : model::clsObject {
  std::int16_t degree = 3;
  std::int16_t intervals = 10;    // samples per unit of curve parameter
  std::int16_t sideNum = 5;       // sections between nodes: node count minus 1
  float sectionLength = 0;        // kept and copied only: every curve has a section count
  std::int16_t changeLenPercent = 0;
  std::int16_t measureAxis = 0;   // 0: true 3-D distance
  geometry::clsPolygon cp;        // the control points

  std::unique_ptr<model::clsObject> clone() const override { return std::make_unique<clsCurve>(*this); }
  bool equals(const model::clsObject& other) const override {
    const auto* curve = dynamic_cast<const clsCurve*>(&other);
    return curve != nullptr && *this == *curve;
  }
  bool operator==(const clsCurve& other) const {
    return degree == other.degree && intervals == other.intervals && sideNum == other.sideNum &&
           sectionLength == other.sectionLength && changeLenPercent == other.changeLenPercent &&
           measureAxis == other.measureAxis && cp == other.cp;
  }
};

inline constexpr std::string_view kCurvePointFailure =
    "An error occured, because a given subdivision is not small enough to fit the curve's shape.\n"
    "You can fix the problem by reducing the number of intervals the curve has.";

}  // namespace blade

namespace modCurve {

using blade::clsCurve;
using geometry::clsPixel;
using geometry::clsVertex;

clsCurve newCurve(std::int16_t degree, std::int16_t intervals, std::int16_t sideNum, float sectionLength,
                  float changeLenPercent, std::int16_t measureAxis, bool closed);
clsCurve copyCurve(const clsCurve& curve);

// N(i, k, t) over the uniform knots j - 1, by the Cox-de Boor recursion in single precision.
float basisValue(int i, int k, float t);
// The rational curve point at t, or no point when it cannot be computed (a zero weight sum).
std::optional<clsPixel> curvePoint(const std::vector<clsVertex>& points, int n, int degree, float t);

// Lengths of the S sample segments followed by their total; no value when a point failed.
std::optional<std::vector<float>> segmentLengths(const std::vector<clsVertex>& points, int degree, int intervals);
std::optional<float> curveLength(const clsCurve& curve);
// One parameter per node (sideNum + 1), by arc length with the section rule.
std::optional<std::vector<float>> nodeParameters(const std::vector<clsVertex>& points, const clsCurve& curve);
// The nodes as a polygon; with vary set, of a randomly moved copy of the control points.
std::optional<geometry::clsPolygon> nodePolyline(const clsCurve& curve, bool vary, model::clsRandom& random);

void fitIntervals(clsCurve& curve);

}  // namespace modCurve
