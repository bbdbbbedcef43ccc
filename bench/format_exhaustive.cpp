// Checks the seven-digit formatter against the one it replaced for every one of the 2^32
// single-precision bit patterns, in both forms (settings ".5" and OBJ "0.5"). Takes minutes:
//   build/bin/quenmoor-format-exhaustive [threads]

#include <atomic>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

#include "format_reference.h"
#include "model/number_format.h"

namespace {

std::atomic<std::uint64_t> mismatches{0};

void check(std::uint64_t first, std::uint64_t last) {
  char a[modNumber::kMaxNumberChars], b[modNumber::kMaxNumberChars];
  for (std::uint64_t bits = first; bits < last; ++bits) {
    const float v = std::bit_cast<float>(static_cast<std::uint32_t>(bits));
    for (bool obj : {false, true}) {
      char* endA = obj ? modNumber::formatObjSingle(v, a) : modNumber::formatSingle(v, a);
      char* endB = obj ? referenceFormat::formatObjSingle(v, b) : referenceFormat::formatSingle(v, b);
      if (endA - a != endB - b || std::memcmp(a, b, static_cast<std::size_t>(endA - a)) != 0) {
        if (mismatches.fetch_add(1) < 20)
          std::printf("0x%08x: %.*s against %.*s\n", static_cast<unsigned>(bits), static_cast<int>(endA - a), a,
                      static_cast<int>(endB - b), b);
      }
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  const unsigned threads = argc > 1 ? static_cast<unsigned>(std::atoi(argv[1])) : std::thread::hardware_concurrency();
  const std::uint64_t total = 1ULL << 32, share = total / (threads == 0 ? 1 : threads);
  std::vector<std::thread> workers;
  for (unsigned t = 0; t < threads; ++t)
    workers.emplace_back(check, t * share, t + 1 == threads ? total : (t + 1) * share);
  for (std::thread& worker : workers) worker.join();
  std::printf("%llu bit patterns, %llu texts differ\n", static_cast<unsigned long long>(total),
              static_cast<unsigned long long>(mismatches.load()));
  return mismatches.load() == 0 ? 0 : 1;
}
