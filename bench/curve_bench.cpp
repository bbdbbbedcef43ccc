// A varied node polyline at the largest counts: 100 nodes on a four-point curve, as every
// curve variant of an element needs once per creation run.

#include <benchmark/benchmark.h>

#include "blade/curve.h"

namespace {

void BM_NodePolyline100Nodes4Points(benchmark::State& state) {
  blade::clsCurve curve = modCurve::newCurve(3, 10, 99, 0, 10, 0, false);
  for (const auto& p : {std::array<float, 3>{0, 0, 1}, {0.1f, 0.3f, 2}, {-0.1f, 0.6f, 0.5f}, {0.2f, 1, 1}}) {
    modTube::addVertex(curve.cp, p[0], p[1], 0, p[2], 0.05f, 100, 0.05f, 100, 0, 0);
  }
  modCurve::fitIntervals(curve);
  model::clsRandom random(1);
  for (auto _ : state) {
    auto nodes = modCurve::nodePolyline(curve, true, random);
    benchmark::DoNotOptimize(nodes);
  }
}
BENCHMARK(BM_NodePolyline100Nodes4Points)->Unit(benchmark::kMicrosecond);

}  // namespace
