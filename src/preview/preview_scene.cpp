#include "preview/preview_scene.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>

#include "generation/create_object.h"
#include "generation/item_placement.h"
#include "generation/map_records.h"
#include "generation/obj_writer.h"
#include "generation/object_path.h"
#include "geometry/item_faces.h"
#include "geometry/item_normals.h"
#include "geometry/vector_matrix.h"
#include "materials/colour_math.h"
#include "materials/mtl_file.h"
#include "materials/palette.h"
#include "model/usage_records.h"
#include "model/value_functions.h"
#include "preview/capture_sink.h"
#include "preview/preview_grid.h"

namespace modPreview {

using preview::clsPreviewScene;
using preview::clsPreviewVertex;
using geometry::clsPixel;

namespace {

// The preview has no one to tell: messages of the generator (a curve that cannot be computed)
// are the creation run's to show.
struct clsSilent final : platform::IMessageBox {
  void showMessage(const std::string&) override {}
  bool askYesNo(const std::string&) override { return false; }
};

// The colour as the MTL file writes it (components of 0..1), packed for the view.
std::uint32_t viewColour(std::int32_t colour) {
  std::uint32_t packed = 0;
  int shift = 0;
  for (float component : modColour::getRGB1(colour)) {
    packed |= static_cast<std::uint32_t>(std::lround(std::clamp(component, 0.0f, 1.0f) * 255)) << shift;
    shift += 8;
  }
  return packed;
}

// The items' faces as the object file draws them, corner for corner. Each vertex takes the real
// colour of its face's material; material carries the one in force from item to item, as in the file.
// Items with a point beyond the view's reach (or not a number) are left out and counted.
void addTriangles(const geometry::clsItemList& list, const std::vector<std::uint32_t>& colours, std::int32_t& material,
                  preview::clsPreviewElement& out, std::int64_t& outOfReach) {
  const auto colourOf = [&](std::int32_t m) {
    return m >= 1 && static_cast<std::size_t>(m) <= colours.size() ? colours[static_cast<std::size_t>(m - 1)] : 0x808080u;
  };
  // Where each point of an item stands among the vertices, in the colour it was made with: the
  // faces of a smoothed item share vertices, except where the colour changes, so bands stay bands.
  struct clsSlot {
    std::uint32_t colour = 0, index = 0;
    bool made = false;
  };
  std::vector<clsSlot> slots;
  const clsPixel* points = list.points.data();
  for (std::size_t item = 0; item < list.items.size(); ++item) {
    const std::uint32_t first = list.items[item].firstPoint;
    const std::size_t end = item + 1 < list.items.size() ? list.items[item + 1].firstPoint : list.points.size();
    const bool inReach = std::all_of(points + first, points + end, [](const clsPixel& p) {
      const auto near = [](float c) { return std::abs(c) <= modPreview::kViewReach; };  // false for NaN
      return near(p.x) && near(p.y) && near(p.z);
    });
    if (!inReach) {
      ++outOfReach;
      modItemFaces::walkTriangles(list, item, material, [](auto&&...) {});  // the material it leaves in force
      continue;
    }
    slots.assign(end - first, clsSlot{});
    modItemFaces::walkTriangles(list, item, material, [&](std::int32_t m, geometry::clsFaceCorner a,
                                                          geometry::clsFaceCorner b, geometry::clsFaceCorner c) {
      const std::uint32_t colour = colourOf(m);
      const auto vertex = [&](const clsPixel& p, const clsPixel& n) {
        out.vertices.push_back(preview::previewVertex(p.x, p.y, p.z, n.x, n.y, n.z, colour));
        return static_cast<std::uint32_t>(out.vertices.size() - 1);
      };
      if (a.normal == 0) {
        // Faces without normals (caps, faceted rocks) are lit by the face, with vertices of their own.
        const clsPixel flat = modVectorMatrix::faceNormal(points[a.position], points[b.position], points[c.position]);
        for (const geometry::clsFaceCorner& corner : {a, b, c}) out.triangles.push_back(vertex(points[corner.position], flat));
        return;
      }
      for (const geometry::clsFaceCorner& corner : {a, b, c}) {
        clsSlot& slot = slots[corner.position + corner.normal - first];
        if (!slot.made || slot.colour != colour)
          slot = {colour, vertex(points[corner.position], points[corner.position + corner.normal]), true};
        out.triangles.push_back(slot.index);
      }
    });
  }
}

std::uint64_t fingerprintOf(const preview::clsPreviewElement& element) {
  // FNV-1a over the mesh four bytes at a time: equal meshes give equal numbers, so an
  // unchanged element's buffer stays.
  std::uint64_t hash = 1469598103934665603ULL;
  static_assert(sizeof(clsPreviewVertex) % 4 == 0);
  const std::size_t words = element.vertices.size() * sizeof(clsPreviewVertex) / 4;
  const auto* bytes = reinterpret_cast<const unsigned char*>(element.vertices.data());
  for (std::size_t i = 0; i < words; ++i) {
    std::uint32_t word;
    std::memcpy(&word, bytes + 4 * i, 4);
    hash = (hash ^ word) * 1099511628211ULL;
  }
  for (std::uint32_t index : element.triangles) hash = (hash ^ index) * 1099511628211ULL;
  return hash ^ element.vertices.size();
}

// Follows the object file as the writer grows it: the items' text in its two buffers, the file
// tested against the disk-space limit after each append. Measuring only bounds the text (cheap);
// exact, it formats every item and stops the run where the writer would.
class clsFieldSink final : public preview::clsCaptureSink {
 public:
  clsFieldSink(const std::atomic<bool>& cancel, std::int64_t step, std::int64_t keepAtMost,
               const document::clsProject& project, std::int32_t diskLimitMB, bool exact,
               preview::clsBuildProgress* progress, std::int64_t total)
      : clsCaptureSink(&cancel, step), keepAtMost_(keepAtMost), step_(std::max<std::int64_t>(step, 1)), exact_(exact),
        progress_(progress), total_(total) {
    if (progress_ != nullptr) progress_->made.store(0, std::memory_order_relaxed);
    std::string base = modObjectPath::baseName(modObjectPath::splitObjectPath(project.dialog.objectPath).fileName);
    if (base.empty()) base = "field";
    prefixes_ = modMaterialFile::prefixesFor(base);
    fileBytes_ = static_cast<std::int64_t>(modCreateObject::objectHeader(project.dialog.note, base).size());
    limitBytes_ = static_cast<std::int64_t>(diskLimitMB) * generation::kBytesPerMB;
  }
  // Following the file exactly, every item is made in full: its text counts.
  bool keeps(std::int32_t itemNumber) const override { return exact_ || clsCaptureSink::keeps(itemNumber); }
  void beginElement(int element, std::int32_t count) override {
    clsCaptureSink::beginElement(element, count);
    prefix_ = model::isRock(element) ? &prefixes_.rock : &prefixes_.grass;
    before_ = keptBefore_ = items().items.size();
    lastBound_ = 0;
  }
  generation::RunStatus itemDone(bool report, std::int32_t itemNumber) override {
    ++made_;
    if (progress_ != nullptr) progress_->made.store(made_, std::memory_order_relaxed);
    geometry::clsItemList& list = items();
    if (!keeps(itemNumber)) bound_ += lastBound_;  // only drawn: its text is bound as the last made one's
    if (list.items.size() > before_) {
      const std::size_t last = list.items.size() - 1;
      // Formatted below in full or as a sample; the capture computes the rest it keeps.
      if (exact_ || (itemNumber - 1) % step_ == 0) modItemNormals::computeNormals(list, last, last + 1);
      if (!exact_) {
        // An element's items share their build (rings and points), and so their bound.
        lastBound_ = static_cast<std::int64_t>(modItemList::maxItemText(list, last, *prefix_));
        bound_ += lastBound_;
        // The items shown are a fair sample of the field: their text, step times, estimates it.
        if ((itemNumber - 1) % step_ == 0) {
          text_.clear();
          modItemList::appendItemText(text_, list, last, *prefix_);
          sampled_ += static_cast<std::int64_t>(text_.size());
        }
      } else {
        text_.clear();
        modItemList::appendItemText(text_, list, last, *prefix_);
        if (appended(static_cast<std::int64_t>(text_.size()))) stopped_ = true;
      }
    }
    const bool full = keptCount_ >= keepAtMost_;
    generation::RunStatus code = generation::RunStatus::GoOn;
    if (full) dropLastItem(keptBefore_);
    else code = clsCaptureSink::itemDone(report, itemNumber);
    before_ = items().items.size();
    if (!full && before_ > keptBefore_) ++keptCount_;
    keptBefore_ = before_;
    if (stopped_ && code == generation::RunStatus::GoOn) code = generation::RunStatus::LimitReached;
    if (code == generation::RunStatus::GoOn && made_ % 64 == 0 && tooSlow()) code = generation::RunStatus::Cancelled;
    return code;
  }
  // The seconds the whole pass would take, when that is too long for the view; else 0.
  double slowSeconds() const { return slowSeconds_; }
  // The whole field's text at most, header included.
  std::int64_t boundBytes() const { return fileBytes_ + bound_; }
  std::int64_t estimatedBytes() const { return fileBytes_ + sampled_ * step_; }
  std::int64_t limitBytes() const { return limitBytes_; }
  bool stopped() const { return stopped_; }
  std::int64_t made() const { return made_; }

 private:
  // The writer's buffers: true when this item's append takes the file past the limit.
  bool appended(std::int64_t length) {
    small_ += length;
    if (small_ <= generation::kSmallBufferChars) return false;
    large_ += small_;
    small_ = 0;
    if (large_ <= generation::kLargeBufferChars) return false;
    fileBytes_ += large_;
    large_ = 0;
    return fileBytes_ > limitBytes_;
  }

  // After a second, the time so far spread over every item tells whether the field is too slow.
  bool tooSlow() {
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    if (seconds < 1) return false;
    const double whole = seconds * static_cast<double>(std::max(total_, made_)) / static_cast<double>(made_);
    if (whole <= preview::kLongestBuildSeconds) return false;
    slowSeconds_ = whole;
    return true;
  }

  materials::clsMaterialPrefixes prefixes_;
  const std::string* prefix_ = nullptr;
  std::string text_;
  std::int64_t keepAtMost_, fileBytes_ = 0, limitBytes_ = 0, bound_ = 0, lastBound_ = 0, small_ = 0, large_ = 0, made_ = 0,
      keptCount_ = 0, step_, sampled_ = 0;
  std::size_t before_ = 0, keptBefore_ = 0;
  bool exact_, stopped_ = false;
  preview::clsBuildProgress* progress_;
  std::int64_t total_;
  double slowSeconds_ = 0;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace

namespace {

std::array<std::int64_t, model::kElementCount> itemCounts(const document::clsProject& project) {
  std::array<std::int64_t, model::kElementCount> counts{};
  for (int e = 1; e <= model::kElementCount; ++e)
    if (modUsage::inUse(project.store, e))
      counts[static_cast<std::size_t>(e - 1)] = std::max<std::int64_t>(
          0, modGeneral::toLong(modStore::readElementSlot(project.store, e, model::slot::kItemCount)));
  return counts;
}

std::int64_t shownWith(const std::array<std::int64_t, model::kElementCount>& counts, std::int64_t step) {
  std::int64_t shown = 0;
  for (std::int64_t count : counts) shown += (count + step - 1) / step;
  return shown;
}

}  // namespace

std::int64_t keepEvery(const document::clsProject& project, std::int64_t cap, std::int64_t& total) {
  const auto counts = itemCounts(project);
  total = 0;
  for (std::int64_t count : counts) total += count;
  // The smallest step that keeps within cap (each element shows at least its first item).
  std::int64_t low = 1, high = std::max<std::int64_t>(1, *std::max_element(counts.begin(), counts.end()));
  while (low < high) {
    const std::int64_t mid = low + (high - low) / 2;
    if (shownWith(counts, mid) <= cap) high = mid;
    else low = mid + 1;
  }
  return low;
}

std::optional<clsPreviewScene> buildScene(const document::clsProject& source, std::uint64_t seed, std::int64_t cap,
                                          const std::atomic<bool>& cancel, std::int32_t diskLimitMB,
                                          preview::clsBuildProgress* progress) {
  const document::clsProject& project = source;
  clsPreviewScene scene;
  const std::int64_t step = keepEvery(project, cap, scene.itemsTotal);
  scene.itemsShown = shownWith(itemCounts(project), step);
  // Material number m is pool entry m counted over elements 1..11, as the MTL file numbers them;
  // each shows its diffuse colour, the MTL's Kd, as a renderer does.
  std::vector<std::uint32_t> colours;
  for (int e = 1; e <= model::kElementCount; ++e)
    for (std::int32_t diffuse : modPalette::buildPool(project.store, e).diffuse) colours.push_back(viewColour(diffuse));

  clsSilent silent;
  const generation::clsRunSettings settings{project.store, project.widths, project.pictures, project.dialog.note,
                                            diskLimitMB, generation::ObjectFormat::Obj};
  if (progress != nullptr) progress->total.store(scene.itemsTotal, std::memory_order_relaxed);
  std::optional<clsFieldSink> sink;
  sink.emplace(cancel, step, std::max<std::int64_t>(cap, 1), project, diskLimitMB, false, progress, scene.itemsTotal);
  model::clsRandom random(seed);
  // Too slow to wait for: the coverage areas alone, and why. False when the build was cancelled.
  const auto settled = [&](generation::RunStatus code) {
    if (cancel.load()) return false;
    if (sink->slowSeconds() > 0) {
      scene.tooSlowSeconds = sink->slowSeconds();
      scene.itemsShown = 0;
      sink.emplace(cancel, step, 0, project, diskLimitMB, false, nullptr, 0);
      return true;
    }
    return code != generation::RunStatus::Cancelled;
  };
  generation::RunStatus code = modItemPlacement::generateAll(settings, *sink, random, silent);
  if (!settled(code)) return std::nullopt;
  // Far below the limit (by the bound, or by the sample with room to spare) the run goes to the end.
  if (scene.tooSlowSeconds == 0 && sink->boundBytes() > sink->limitBytes() &&
      sink->estimatedBytes() > sink->limitBytes() / 10 * 8) {
    // The limit may stop the run: again, following the file exactly, as many items as it holds
    // at least (the bound is above the real text) spread over the cap.
    const double share = static_cast<double>(sink->limitBytes()) / static_cast<double>(sink->boundBytes());
    const auto least = static_cast<std::int64_t>(static_cast<double>(scene.itemsTotal) * share);
    const std::int64_t exactStep = std::max<std::int64_t>(1, (least + cap - 1) / std::max<std::int64_t>(cap, 1));
    sink.emplace(cancel, exactStep, std::max<std::int64_t>(cap, 1), project, diskLimitMB, true, progress, scene.itemsTotal);
    model::clsRandom again(seed);
    code = modItemPlacement::generateAll(settings, *sink, again, silent);
    if (!settled(code)) return std::nullopt;
    if (scene.tooSlowSeconds == 0 && sink->stopped()) {
      scene.itemsWritten = sink->made();
      scene.itemsShown = 0;
      for (const auto& list : sink->items_) scene.itemsShown += static_cast<std::int64_t>(list.items.size());
    }
  }

  bool any = false;
  std::int32_t material = 0;
  for (int e = 1; e <= model::kElementCount; ++e) {
    preview::clsPreviewElement& element = scene.elements[static_cast<std::size_t>(e - 1)];
    element.inUse = modUsage::inUse(project.store, e);
    element.coverX = modGeneral::toSingle(modStore::readElementSlot(project.store, e, model::slot::kCoverX));
    element.coverZ = modGeneral::toSingle(modStore::readElementSlot(project.store, e, model::slot::kCoverZ));
    addTriangles(sink->items_[static_cast<std::size_t>(e - 1)], colours, material, element, scene.itemsOutOfReach);
    element.fingerprint = fingerprintOf(element);
    if (cancel.load()) return std::nullopt;
    const auto widen = [&](float x, float y, float z) {
      if (!any) {
        scene.minX = scene.maxX = x, scene.minY = scene.maxY = y, scene.minZ = scene.maxZ = z;
        any = true;
        return;
      }
      scene.minX = std::min(scene.minX, x), scene.maxX = std::max(scene.maxX, x);
      scene.minY = std::min(scene.minY, y), scene.maxY = std::max(scene.maxY, y);
      scene.minZ = std::min(scene.minZ, z), scene.maxZ = std::max(scene.maxZ, z);
    };
    if (element.inUse) {
      widen(0, 0, 0);
      widen(withinReach(element.coverX), 0, withinReach(element.coverZ));
    }
    for (const clsPreviewVertex& v : element.vertices) widen(v.x, v.y, v.z);
  }
  if (!any) scene.minX = scene.minY = scene.minZ = 0, scene.maxX = scene.maxZ = 10, scene.maxY = 1;
  return scene;
}

std::string previewLine(const clsPreviewScene& scene) {
  const auto grouped = [](std::int64_t n) {
    std::string digits = std::to_string(n), text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
      if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
      text += digits[i];
    }
    return text;
  };
  const auto items = [&](std::int64_t n) { return grouped(n) + (n == 1 ? " item" : " items"); };
  if (scene.tooSlowSeconds > 0)
    return "The field of " + items(scene.itemsTotal) + " is too slow to show: it would take about " +
           (scene.tooSlowSeconds < 5940 ? grouped(std::llround(scene.tooSlowSeconds / 60)) + " minutes."
                                        : grouped(std::llround(scene.tooSlowSeconds / 3600)) + " hours.");
  if (scene.itemsOutOfReach > 0) {
    preview::clsPreviewScene inReach = scene;
    inReach.itemsOutOfReach = 0;
    return previewLine(inReach) + (scene.itemsOutOfReach == scene.itemsShown ? "; all" : "; " + grouped(scene.itemsOutOfReach)) +
           " too far out to show";
  }
  if (scene.itemsWritten >= 0)
    return "The disk-space limit stops the run at about " + grouped(scene.itemsWritten) + " of " +
           items(scene.itemsTotal) + ".";
  if (scene.itemsShown < scene.itemsTotal)
    return "Preview: " + grouped(scene.itemsShown) + " of " + items(scene.itemsTotal);
  if (scene.itemsTotal == 0) return "Preview: no items";
  return "Preview: " + std::string(scene.itemsTotal == 1 ? "" : "all ") + items(scene.itemsTotal);
}

}  // namespace modPreview
