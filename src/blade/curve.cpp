#include "blade/curve.h"

#include <cmath>

#include "geometry/polygon_ops.h"

namespace modCurve {
namespace {

// Parameter step and segment count of the sampling.
struct clsSampling {
  float dt;
  int segments;
};

clsSampling samplingOf(int pointCount, int degree, int intervals) {
  const int perUnit = intervals > 0 ? intervals : 1;
  return {1.0f / static_cast<float>(perUnit), (pointCount + degree - 2) * perUnit};
}

float sampleDistance(const clsPixel& a, const clsPixel& b) {
  const double dx = static_cast<double>(b.x) - a.x, dy = static_cast<double>(b.y) - a.y,
               dz = static_cast<double>(b.z) - a.z;
  return static_cast<float>(std::pow(dx * dx + dy * dy + dz * dz, 0.5));
}

}  // namespace

clsCurve newCurve(std::int16_t degree, std::int16_t intervals, std::int16_t sideNum, float sectionLength,
                  float changeLenPercent, std::int16_t measureAxis, bool closed) {
  clsCurve curve;
  curve.degree = degree;
  curve.intervals = intervals;
  curve.sideNum = sideNum;
  curve.sectionLength = sectionLength;
  curve.changeLenPercent = static_cast<std::int16_t>(std::nearbyint(changeLenPercent));
  curve.measureAxis = measureAxis;
  curve.cp = modTube::newPolygon("", true, true, closed, false, false, false, 0, 0);
  return curve;
}

clsCurve copyCurve(const clsCurve& curve) { return curve; }

float basisValue(int i, int k, float t) {
  if (k == 0) return (static_cast<float>(i - 1) <= t && t < static_cast<float>(i)) ? 1.0f : 0.0f;
  const auto fk = static_cast<float>(k);
  return ((t - static_cast<float>(i - 1)) / fk) * basisValue(i, k - 1, t) +
         ((static_cast<float>(i + k) - t) / fk) * basisValue(i + 1, k - 1, t);
}

namespace {

constexpr int kMaxDegree = 3;
constexpr int kMaxPoints = 4;

// N(i, k, t) for i = 1..n, bottom-up: the same products and sums as the recursion of
// basisValue, each worked out once instead of once per path through the recursion.
void basisValues(int n, int k, float t, float* values) {
  float level[kMaxPoints + kMaxDegree + 1];
  const int count = n + k;
  for (int i = 1; i <= count; ++i) level[i - 1] = basisValue(i, 0, t);
  for (int d = 1; d <= k; ++d) {
    const auto fd = static_cast<float>(d);
    for (int i = 1; i <= count - d; ++i)
      level[i - 1] = ((t - static_cast<float>(i - 1)) / fd) * level[i - 1] +
                     ((static_cast<float>(i + d) - t) / fd) * level[i];
  }
  for (int i = 0; i < n; ++i) values[i] = level[i];
}

}  // namespace

std::optional<clsPixel> curvePoint(const std::vector<clsVertex>& points, int n, int degree, float t) {
  if (n > static_cast<int>(points.size())) n = static_cast<int>(points.size());
  const bool small = n <= kMaxPoints && degree >= 0 && degree <= kMaxDegree;
  float basis[kMaxPoints];
  if (small) basisValues(n, degree, t, basis);
  double sx = 0, sy = 0, sz = 0, sw = 0;
  for (int i = 1; i <= n; ++i) {
    const float b = small ? basis[i - 1] : basisValue(i, degree, t);
    const clsVertex& point = points[static_cast<std::size_t>(i - 1)];
    const double weighted = static_cast<double>(b) * point.w;
    sx += weighted * point.p.x;
    sy += weighted * point.p.y;
    sz += weighted * point.p.z;
    sw += weighted;
  }
  if (sw == 0 || !std::isfinite(sw)) return std::nullopt;
  const clsPixel point{static_cast<float>(sx / sw), static_cast<float>(sy / sw), static_cast<float>(sz / sw)};
  if (!std::isfinite(point.x) || !std::isfinite(point.y) || !std::isfinite(point.z)) return std::nullopt;
  return point;
}

std::optional<std::vector<float>> segmentLengths(const std::vector<clsVertex>& points, int degree, int intervals) {
  const int n = static_cast<int>(points.size());
  const clsSampling sampling = samplingOf(n, degree, intervals);
  std::vector<float> lengths;
  lengths.reserve(static_cast<std::size_t>(sampling.segments) + 1);
  float t = 1;
  std::optional<clsPixel> previous = curvePoint(points, n, degree, t);
  if (!previous) return std::nullopt;
  float total = 0;
  for (int m = 1; m <= sampling.segments; ++m) {
    t += sampling.dt;
    const std::optional<clsPixel> next = curvePoint(points, n, degree, t);
    if (!next) return std::nullopt;
    lengths.push_back(sampleDistance(*previous, *next));
    total += lengths.back();
    previous = next;
  }
  lengths.push_back(total);
  return lengths;
}

std::optional<float> curveLength(const clsCurve& curve) {
  const auto lengths = segmentLengths(curve.cp.v, curve.degree, curve.intervals);
  if (!lengths) return std::nullopt;
  return lengths->back();
}

std::optional<std::vector<float>> nodeParameters(const std::vector<clsVertex>& points, const clsCurve& curve) {
  const auto lengths = segmentLengths(points, curve.degree, curve.intervals);
  if (!lengths) return std::nullopt;
  const int sections = curve.sideNum > 0 ? curve.sideNum : 1;
  std::vector<float> nodes(static_cast<std::size_t>(sections) + 1, 1.0f);
  const float total = lengths->back();
  if (!(total > 0)) return nodes;  // all nodes at the foot

  const float r = 1 + static_cast<float>(curve.changeLenPercent) / 100;
  float firstSection = 0;
  if (r == 1) {
    firstSection = total / static_cast<float>(sections);
  } else {
    float series = 0, power = 1;
    for (int i = 0; i < sections; ++i, power *= r) series += power;
    firstSection = total / series;
  }

  const float dt = samplingOf(static_cast<int>(points.size()), curve.degree, curve.intervals).dt;
  float acc = 0, length = firstSection, t = 1;
  std::size_t node = 0;
  const std::size_t segments = lengths->size() - 1;
  for (std::size_t m = 0; m < segments && node + 1 < nodes.size(); ++m) {
    const float segment = (*lengths)[m];
    acc += segment;
    t += dt;
    if (acc >= length) {
      acc -= length;
      ++node;
      length *= r;
      nodes[node] = segment > 0 ? t - (acc / segment) * dt : t;
    }
  }
  for (std::size_t j = node + 1; j < nodes.size(); ++j) nodes[j] = t;  // the samples ran out first
  return nodes;
}

std::optional<geometry::clsPolygon> nodePolyline(const clsCurve& curve, bool vary, model::clsRandom& random) {
  geometry::clsPolygon varied;
  if (vary) varied = modPolygon::cloneAndJitter(curve.cp, "", random);
  const geometry::clsPolygon& source = vary ? varied : curve.cp;

  const auto parameters = nodeParameters(source.v, curve);
  if (!parameters) return std::nullopt;
  geometry::clsPolygon nodes = modTube::newPolygon("", true, true, curve.cp.isClosed, false, false, false, 0, 0);
  nodes.v.reserve(parameters->size());
  const int n = static_cast<int>(source.v.size());
  for (float t : *parameters) {
    const std::optional<clsPixel> point = curvePoint(source.v, n, curve.degree, t);
    if (!point) return std::nullopt;
    modTube::addVertex(nodes, point->x, point->y, point->z);
  }
  return nodes;
}

void fitIntervals(clsCurve& curve) {
  const int n = curve.cp.v.empty() ? 1 : static_cast<int>(curve.cp.v.size());
  const int intervals = (curve.sideNum / n + 1) * 5;
  curve.intervals = static_cast<std::int16_t>(intervals < 5 ? 5 : intervals);
}

}  // namespace modCurve
