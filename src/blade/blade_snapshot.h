#pragma once
// The blade part of the creation snapshot: one scale factor that gives element 1's curve the
// grass-1 length, and every element's widths in output units.

#include "blade/width_profile.h"
#include "model/snapshot.h"

namespace blade {

struct clsScaledWidths {
  float scaledLength = 0;  // the curve's length (grass) or foot-to-end distance (rock), scaled
  std::array<tWidthTable, 2> side{};
};

}  // namespace blade

namespace modBladeSnapshot {

// grass-1 length / length of element 1's curve, or 1 when that length is 0 (or cannot be had).
float curveScaleFactor(const model::clsSnapshot& snapshot, float grassLength);
blade::clsScaledWidths scaledWidths(const model::clsSnapshot& snapshot, const blade::clsWidthProfile& widths,
                                    int element, float factor);

}  // namespace modBladeSnapshot
