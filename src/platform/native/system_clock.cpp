#include "platform/native/system_clock.h"

#include <chrono>

namespace platform {

std::int64_t SystemClock::nowSeconds() {
  using namespace std::chrono;
  return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

std::uint64_t SystemClock::seedValue() {
  using namespace std::chrono;
  return static_cast<std::uint64_t>(
      duration_cast<nanoseconds>(high_resolution_clock::now().time_since_epoch()).count());
}

}  // namespace platform
