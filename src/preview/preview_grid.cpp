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

namespace {

struct clsCover {
  float x1, z1, x2, z2;
};

std::vector<clsCover> coversOf(const preview::clsPreviewScene& scene) {
  std::vector<clsCover> covers;
  for (const preview::clsPreviewElement& element : scene.elements) {
    if (!element.inUse) continue;
    const float x = withinReach(element.coverX), z = withinReach(element.coverZ);
    covers.push_back({std::min(0.0f, x), std::min(0.0f, z), std::max(0.0f, x), std::max(0.0f, z)});
  }
  return covers;
}

}  // namespace

std::vector<clsGridLine> coverageOutlines(const preview::clsPreviewScene& scene) {
  std::vector<clsGridLine> lines;
  for (const clsCover& c : coversOf(scene)) {
    lines.push_back({c.x1, c.z1, c.x2, c.z1});
    lines.push_back({c.x2, c.z1, c.x2, c.z2});
    lines.push_back({c.x2, c.z2, c.x1, c.z2});
    lines.push_back({c.x1, c.z2, c.x1, c.z1});
  }
  return lines;
}

std::vector<clsGroundRect> coverageBands(const preview::clsPreviewScene& scene) {
  const float span = std::max(withinReach(scene.maxX) - withinReach(scene.minX), withinReach(scene.maxZ) - withinReach(scene.minZ));
  const float w = std::isfinite(span) && span > 0 ? span * 0.006f : 0.01f;
  std::vector<clsGroundRect> bands;
  for (const clsCover& c : coversOf(scene)) {
    bands.push_back({c.x1 - w, c.z1 - w, c.x2 + w, c.z1});  // the near side, with both corners
    bands.push_back({c.x1 - w, c.z2, c.x2 + w, c.z2 + w});
    bands.push_back({c.x1 - w, c.z1, c.x1, c.z2});
    bands.push_back({c.x2, c.z1, c.x2 + w, c.z2});
  }
  return bands;
}

}  // namespace modPreview
