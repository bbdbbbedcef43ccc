#pragma once
#include "platform/platform.h"

namespace platform {

class SystemClock final : public IClock {
 public:
  std::int64_t nowSeconds() override;
  std::uint64_t seedValue() override;
};

}  // namespace platform
