// Normals and OBJ text of one blade (5 rings of 2 vertices) beside the floor that the text
// cannot beat: formatting the same 60 numbers alone into one buffer.

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "geometry/item_normals.h"
#include "model/number_format.h"
#include "support/obj_text.h"

namespace {

geometry::clsTube bladeTube() {
  geometry::clsTube tube = modTube::newTube("", 0, 0);
  for (int r = 0; r < 5; ++r) {
    geometry::clsPolygon ring = modTube::newPolygon("", false, false, false, false, true, true, 0, 0);
    const float t = static_cast<float>(r) / 4.0f;
    const float half = 0.0415385f * (1 - t) + 0.001f;
    const float x = 0.1234567f * t * t + 3.217f, y = 0.987654f * t, z = -2.55f;
    modTube::addVertex(ring, x, y, z + half);
    modTube::addVertex(ring, x + 0.0031f * t, y, z - half);
    modTube::addRing(tube, ring);
  }
  tube.matFrom = 1;
  tube.matTo = 3;
  return tube;
}

void BM_BladeNormalsAndText(benchmark::State& state) {
  geometry::clsTube tube = bladeTube();
  model::clsRandom random(1);
  std::string text;
  text.reserve(4096);
  for (auto _ : state) {
    text.clear();
    modTube::appendObjText(text, tube, true, random, "meadow");
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
  state.counters["bytes_per_blade"] = static_cast<double>(text.size());
}
BENCHMARK(BM_BladeNormalsAndText);

// The blade as an item with its normals.
geometry::clsItemList bladeItem() {
  geometry::clsItemList list;
  model::clsRandom random(1);
  modItemList::addTube(list, bladeTube(), true, random);
  modItemNormals::computeNormals(list, 0, 1);
  return list;
}

// The floor: the item's 60 numbers (positions and normals) formatted into one buffer.
char* numbersAlone(const geometry::clsItemList& item, char* out) {
  for (const geometry::clsPixel& p : item.points)
    for (float c : {p.x, p.y, p.z}) out = modNumber::formatObjSingle(c, out);
  return out;
}

void BM_BladeNumbersAlone(benchmark::State& state) {
  const geometry::clsItemList item = bladeItem();
  char buffer[60 * modNumber::kMaxNumberChars];
  for (auto _ : state) {
    numbersAlone(item, buffer);
    benchmark::DoNotOptimize(buffer);
  }
}
BENCHMARK(BM_BladeNumbersAlone);

// Both in alternating batches, so that the ratio is not moved by a busy machine.
void BM_BladeTextToNumbersRatio(benchmark::State& state) {
  using clock = std::chrono::steady_clock;
  geometry::clsTube tube = bladeTube();
  const geometry::clsItemList item = bladeItem();
  model::clsRandom random(1);
  std::string text;
  text.reserve(4096);
  char buffer[60 * modNumber::kMaxNumberChars];
  clock::duration textTime{}, numbersTime{};
  constexpr int kBatch = 200;
  for (auto _ : state) {
    const auto start = clock::now();
    for (int i = 0; i < kBatch; ++i) {
      text.clear();
      modTube::appendObjText(text, tube, true, random, "meadow");
      benchmark::DoNotOptimize(text.data());
    }
    const auto middle = clock::now();
    for (int i = 0; i < kBatch; ++i) {
      numbersAlone(item, buffer);
      benchmark::DoNotOptimize(buffer);
    }
    const auto end = clock::now();
    textTime += middle - start;
    numbersTime += end - middle;
  }
  const double blades = static_cast<double>(state.iterations()) * kBatch;
  state.counters["text_ns"] = std::chrono::duration<double, std::nano>(textTime).count() / blades;
  state.counters["numbers_ns"] = std::chrono::duration<double, std::nano>(numbersTime).count() / blades;
  state.counters["ratio"] = static_cast<double>(textTime.count()) / static_cast<double>(numbersTime.count());
}
BENCHMARK(BM_BladeTextToNumbersRatio);

}  // namespace

namespace {

void BM_BladeNormalsOnly(benchmark::State& state) {
  geometry::clsItemList item = bladeItem();
  for (auto _ : state) {
    item.items[0].normalsDone = false;
    modItemNormals::computeNormals(item, 0, 1);
    benchmark::DoNotOptimize(item.points[1]);
  }
}
BENCHMARK(BM_BladeNormalsOnly);

}  // namespace
