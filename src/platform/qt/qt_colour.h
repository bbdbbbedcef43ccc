#pragma once
// The program's colours (red in the low byte, then green, then blue) as Qt's.

#include <QColor>
#include <algorithm>
#include <cstdint>

namespace platform {

// A blue past 255 (a sum past white) shows as full blue rather than wrapping round.
inline QRgb qtRgb(std::int32_t colour) {
  return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, std::min(255, (colour >> 16) & 0x1FF));
}
inline QColor qtColour(std::int32_t colour) { return QColor(qtRgb(colour)); }

}  // namespace platform
