#include "preview/preview_grid.h"

#include <algorithm>
#include <cmath>

namespace modPreview {

float withinReach(float v) { return std::isfinite(v) ? std::clamp(v, -kViewReach, kViewReach) : 0.0f; }

std::vector<clsGridLine> groundGrid(const preview::clsPreviewScene& s) {
  const double minX = withinReach(s.minX), maxX = std::max<double>(minX, withinReach(s.maxX));
  const double minZ = withinReach(s.minZ), maxZ = std::max<double>(minZ, withinReach(s.maxZ));
  const double span = std::max(maxX - minX, maxZ - minZ);
  const double step = span > 200 ? std::pow(10.0, std::floor(std::log10(span / 20))) : (span > 40 ? 5.0 : 1.0);
  const double x0 = std::floor(minX / step) * step - step, x1 = std::ceil(maxX / step) * step + step;
  const double z0 = std::floor(minZ / step) * step - step, z1 = std::ceil(maxZ / step) * step + step;
  std::vector<clsGridLine> lines;
  const auto f = [](double v) { return static_cast<float>(v); };
  for (int i = 0; i < kMaxGridLines && x0 + i * step <= x1 + step / 2; ++i)
    lines.push_back({f(x0 + i * step), f(z0), f(x0 + i * step), f(z1)});
  for (int i = 0; i < kMaxGridLines && z0 + i * step <= z1 + step / 2; ++i)
    lines.push_back({f(x0), f(z0 + i * step), f(x1), f(z0 + i * step)});
  return lines;
}

}  // namespace modPreview
