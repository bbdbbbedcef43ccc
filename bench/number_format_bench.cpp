// Single-precision number text: the project's formatter beside one built on snprintf("%.7G").

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

#include "format_reference.h"
#include "model/number_format.h"

namespace {

std::vector<float> sampleValues() {
  std::mt19937 engine(1);
  std::uniform_real_distribution<float> coordinate(-12.0f, 12.0f);
  std::vector<float> values(4096);
  for (float& v : values) v = coordinate(engine);
  for (std::size_t i = 0; i < values.size(); i += 7) values[i] *= 0.001f;  // some exponent forms
  return values;
}

// The same text through the C library: "%.7G", then the leading zero and exponent mended.
char* printfSingle(float v, char* out) {
  char text[32];
  std::snprintf(text, sizeof text, "%.7G", static_cast<double>(v));
  const char* p = text;
  if (*p == '-') *out++ = *p++;
  if (p[0] == '0' && p[1] == '.') ++p;
  const std::size_t length = std::strlen(p);
  std::memcpy(out, p, length);
  return out + length;
}

void BM_FormatSingle(benchmark::State& state) {
  const std::vector<float> values = sampleValues();
  char buffer[modNumber::kMaxNumberChars];
  std::size_t bytes = 0;
  for (auto _ : state) {
    for (float v : values) {
      char* end = modNumber::formatSingle(v, buffer);
      bytes += static_cast<std::size_t>(end - buffer);
      benchmark::DoNotOptimize(buffer);
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * values.size()));
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_FormatSingle);

// The OBJ form, beside the formatter it replaced (the same text for every single).
template <char* (*Format)(float, char*)>
void formatObjNumbers(benchmark::State& state) {
  const std::vector<float> values = sampleValues();
  char buffer[modNumber::kMaxNumberChars];
  for (auto _ : state) {
    for (float v : values) {
      benchmark::DoNotOptimize(Format(v, buffer));
      benchmark::ClobberMemory();
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * values.size()));
}
void BM_FormatObjSingle(benchmark::State& state) { formatObjNumbers<modNumber::formatObjSingle>(state); }
void BM_FormatObjSingleBefore(benchmark::State& state) { formatObjNumbers<referenceFormat::formatObjSingle>(state); }
BENCHMARK(BM_FormatObjSingle);
BENCHMARK(BM_FormatObjSingleBefore);

void BM_FormatSingleSnprintf(benchmark::State& state) {
  const std::vector<float> values = sampleValues();
  char buffer[64];
  std::size_t bytes = 0;
  for (auto _ : state) {
    for (float v : values) {
      char* end = printfSingle(v, buffer);
      bytes += static_cast<std::size_t>(end - buffer);
      benchmark::DoNotOptimize(buffer);
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * values.size()));
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_FormatSingleSnprintf);

}  // namespace
