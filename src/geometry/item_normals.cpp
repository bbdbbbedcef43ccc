#include "geometry/item_normals.h"

#include <array>
#include <span>
#include <vector>

#include "geometry/vector_matrix.h"

namespace modItemNormals {
namespace {

using geometry::clsPixel;
namespace ringFlag = geometry::ringFlag;

// One run of an item in the list: rings of n vertices each, one after the other from start,
// each vertex its position and then the normals the run writes.
struct clsRun {
  clsPixel* start = nullptr;
  std::size_t rings = 0;
  std::size_t n = 0;
  std::size_t stride = 1;
  bool closed = false, along = false, around = false;
  const clsPixel& position(std::size_t r, std::size_t j) const { return start[(r * n + j) * stride]; }
  // which: 1 for vn1, 2 for vn2.
  clsPixel& normal(std::size_t r, std::size_t j, std::size_t which) const { return start[(r * n + j) * stride + which]; }
};

// The face normals of one run: for segment s (ring s to ring s + 1) and quad position j (1-based)
// T1(j) = faceNormal(cur_j, prev_j+1, prev_j) and T2(j) = faceNormal(cur_j, cur_j+1, prev_j+1).
class clsRunFaces {
 public:
  explicit clsRunFaces(const clsRun& run)
      : n_(run.n), closed_(run.closed), positions_(run.closed ? run.n : (run.n > 0 ? run.n - 1 : 0)) {
    const std::size_t count = (run.rings - 1) * 2 * positions_;
    // Blades and small rocks fit on the stack; only large runs allocate.
    if (count > kLocalFaces) heap_.resize(count);
    faces_ = count > kLocalFaces ? std::span<clsPixel>(heap_) : std::span<clsPixel>(local_.faces, count);
    std::size_t at = 0;
    for (std::size_t r = 0; r + 1 < run.rings; ++r) {
      for (std::size_t j = 0; j < positions_; ++j) {
        const std::size_t next = j + 1 == n_ ? 0 : j + 1;
        const clsPixel& cur = run.position(r + 1, j);
        faces_[at++] = modVectorMatrix::faceNormal(cur, run.position(r, next), run.position(r, j));
        faces_[at++] = modVectorMatrix::faceNormal(cur, run.position(r + 1, next), run.position(r, next));
      }
    }
  }
  clsRunFaces(const clsRunFaces&) = delete;
  clsRunFaces& operator=(const clsRunFaces&) = delete;

  // Adds T1 (kind 0) or T2 (kind 1) at 1-based position j of segment s, where it exists.
  template <std::size_t N>
  void take(std::array<const clsPixel*, N>& into, std::size_t& count, std::ptrdiff_t segment, std::ptrdiff_t j,
            int kind) const {
    if (segment < 0 || static_cast<std::size_t>(segment) * 2 * positions_ >= faces_.size()) return;
    const auto n = static_cast<std::ptrdiff_t>(n_);
    if (closed_) j = j < 1 ? j + n : (j > n ? j - n : j);
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
void fillGaps(const clsRun& run, std::size_t r, std::size_t which) {
  for (std::size_t k = 0; k < run.n; ++k) {
    clsPixel& normal = run.normal(r, k, which);
    if (!geometry::isZero(normal)) continue;
    for (std::size_t step = 1; step < run.n; ++step) {
      const clsPixel& other = run.normal(r, (k + step) % run.n, which);
      if (!geometry::isZero(other)) {
        normal = other;
        break;
      }
    }
  }
}

void runNormals(const clsRun& run) {
  const bool along = run.along, around = run.around;
  if ((!along && !around) || run.rings < 2 || run.n == 0) return;
  const clsRunFaces faces(run);
  for (std::size_t r = 0; r < run.rings; ++r) {
    const auto above = static_cast<std::ptrdiff_t>(r);  // segment from this ring up
    const std::ptrdiff_t below = above - 1;
    for (std::size_t index = 0; index < run.n; ++index) {
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
      run.normal(r, index, 1) = combine(one, ones);
      if (run.stride == 3) run.normal(r, index, 2) = combine(two, twos);
    }
    fillGaps(run, r, 1);
    if (run.stride == 3) fillGaps(run, r, 2);
  }
}

}  // namespace

void computeNormals(geometry::clsItemList& list, std::size_t first, std::size_t end) {
  for (std::size_t item = first; item < end; ++item) {
    geometry::clsItemEntry& entry = list.items[item];
    if (entry.normalsDone) continue;
    entry.normalsDone = true;
    const std::uint32_t ringsEnd = entry.firstRing + entry.ringCount;
    std::size_t point = entry.firstPoint;
    for (std::uint32_t r = entry.firstRing; r < ringsEnd;) {
      const geometry::clsItemRing& head = list.rings[r];
      clsRun run;
      run.start = list.points.data() + point;
      run.n = head.n;
      run.stride = 1 + static_cast<std::size_t>(geometry::normalsPerVertex(head.flags));
      run.closed = (head.flags & ringFlag::kClosed) != 0;
      run.along = (head.flags & ringFlag::kAlong) != 0;
      run.around = (head.flags & ringFlag::kAround) != 0;
      // A run whose rings are shorter than its first has no quads to take normals from.
      bool whole = true;
      do {
        whole = whole && list.rings[r].count == run.n;
        point += list.rings[r].count * run.stride;
        ++run.rings, ++r;
      } while (r < ringsEnd && (list.rings[r].flags & ringFlag::kFirstOfRun) == 0);
      if (whole) runNormals(run);
    }
  }
}

}  // namespace modItemNormals
