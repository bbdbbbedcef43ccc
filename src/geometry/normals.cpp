#include "geometry/normals.h"

#include <array>
#include <cassert>
#include <span>
#include <vector>

#include "geometry/vector_matrix.h"

namespace modTube {
namespace {

using geometry::clsPixel;

// The face normals of one run: for segment s (ring s to ring s + 1) and quad position j (1-based)
// T1(j) = faceNormal(cur_j, prev_j+1, prev_j) and T2(j) = faceNormal(cur_j, cur_j+1, prev_j+1).
class clsRunFaces {
 public:
  clsRunFaces(const clsTube& tube, std::size_t first, std::size_t last, std::size_t n, bool closed)
      : n_(n), closed_(closed), positions_(closed ? n : (n > 0 ? n - 1 : 0)) {
    const std::size_t count = (last - first) * 2 * positions_;
    // Blades and small rocks fit on the stack; only large runs allocate.
    if (count > kLocalFaces) heap_.resize(count);
    faces_ = count > kLocalFaces ? std::span<clsPixel>(heap_) : std::span<clsPixel>(local_.faces, count);
    std::size_t at = 0;
    for (std::size_t r = first; r < last; ++r) {
      const auto& prev = tube.rings[r].v;
      const auto& cur = tube.rings[r + 1].v;
      for (std::size_t j = 0; j < positions_; ++j) {
        const std::size_t next = j + 1 == n ? 0 : j + 1;
        faces_[at++] = modVectorMatrix::faceNormal(cur[j].p, prev[next].p, prev[j].p);
        faces_[at++] = modVectorMatrix::faceNormal(cur[j].p, cur[next].p, prev[next].p);
      }
    }
  }

  // Adds T1 (kind 0) or T2 (kind 1) at 1-based position j of segment s, where it exists.
  clsRunFaces(const clsRunFaces&) = delete;
  clsRunFaces& operator=(const clsRunFaces&) = delete;

  template <std::size_t N>
  void take(std::array<const clsPixel*, N>& into, std::size_t& count, std::ptrdiff_t segment, std::ptrdiff_t j,
            int kind) const {
    if (segment < 0 || static_cast<std::size_t>(segment) * 2 * positions_ >= faces_.size()) return;
    if (closed_) j = j < 1 ? j + static_cast<std::ptrdiff_t>(n_) : (j > static_cast<std::ptrdiff_t>(n_) ? j - static_cast<std::ptrdiff_t>(n_) : j);
    if (j < 1 || j > static_cast<std::ptrdiff_t>(positions_)) return;
    into[count++] = &faces_[static_cast<std::size_t>(segment) * 2 * positions_ + static_cast<std::size_t>(j - 1) * 2 +
                            static_cast<std::size_t>(kind)];
  }

 private:
  std::size_t n_;
  bool closed_;
  std::size_t positions_;
  static constexpr std::size_t kLocalFaces = 32;
  // Left uninitialised: every entry in use is written before it is read.
  union clsLocal {
    clsLocal() {}
    clsPixel faces[kLocalFaces];
  } local_;
  std::vector<clsPixel> heap_;
  std::span<clsPixel> faces_;
};

template <std::size_t N>
clsPixel combine(const std::array<const clsPixel*, N>& normals, std::size_t count) {
  if (count == 0) return {};
  if (count == 1) return *normals[0];  // one triangle: its normal as it is
  return modVectorMatrix::averageNormals(std::span<const clsPixel* const>(normals.data(), count));
}

// A zero normal takes the first later non-zero one of the ring, else the first from the start.
void fillGaps(std::vector<geometry::clsVertex>& vertices, clsPixel geometry::clsVertex::*slot) {
  const std::size_t n = vertices.size();
  for (std::size_t k = 0; k < n; ++k) {
    if (!geometry::isZero(vertices[k].*slot)) continue;
    for (std::size_t step = 1; step < n; ++step) {
      const clsPixel& other = vertices[(k + step) % n].*slot;
      if (!geometry::isZero(other)) {
        vertices[k].*slot = other;
        break;
      }
    }
  }
}

void runNormals(clsTube& tube, std::size_t first, std::size_t last) {
  const clsPolygon& head = tube.rings[first];
  const bool along = head.smoothAlong;
  const bool around = head.smoothAround;
  const std::size_t n = head.v.size();
  if ((!along && !around) || last == first || n == 0) return;
  for (std::size_t r = first; r <= last; ++r) assert(tube.rings[r].v.size() >= n);

  const clsRunFaces faces(tube, first, last, n, head.isClosed);
  for (std::size_t r = first; r <= last; ++r) {
    const auto above = static_cast<std::ptrdiff_t>(r - first);  // segment from this ring up
    const std::ptrdiff_t below = above - 1;
    auto& vertices = tube.rings[r].v;
    for (std::size_t index = 0; index < n; ++index) {
      const auto k = static_cast<std::ptrdiff_t>(index + 1);
      std::array<const clsPixel*, 6> one, two;
      std::size_t ones = 0, twos = 0;
      if (along && around) {
        faces.take(one, ones, above, k - 1, 0), faces.take(one, ones, above, k - 1, 1), faces.take(one, ones, above, k, 0);
        faces.take(one, ones, below, k - 1, 1), faces.take(one, ones, below, k, 0), faces.take(one, ones, below, k, 1);
      } else if (along) {  // vn1 serves the quads at k - 1, vn2 those at k
        faces.take(one, ones, above, k - 1, 0), faces.take(one, ones, above, k - 1, 1), faces.take(one, ones, below, k - 1, 1);
        faces.take(two, twos, above, k, 0), faces.take(two, twos, below, k, 0), faces.take(two, twos, below, k, 1);
      } else {  // vn1 serves the segment below, vn2 the segment above
        faces.take(one, ones, below, k - 1, 1), faces.take(one, ones, below, k, 0), faces.take(one, ones, below, k, 1);
        faces.take(two, twos, above, k - 1, 0), faces.take(two, twos, above, k - 1, 1), faces.take(two, twos, above, k, 0);
      }
      vertices[index].vn1 = combine(one, ones);
      vertices[index].vn2 = combine(two, twos);
    }
    fillGaps(vertices, &geometry::clsVertex::vn1);
    if (!(along && around)) fillGaps(vertices, &geometry::clsVertex::vn2);
  }
}

}  // namespace

void computeNormals(clsTube& tube) {
  std::size_t first = 0;
  for (std::size_t r = 0; r < tube.rings.size(); ++r) {
    if (tube.rings[r].isEnd || r + 1 == tube.rings.size()) {
      runNormals(tube, first, r);
      first = r + 1;
    }
  }
}

}  // namespace modTube
