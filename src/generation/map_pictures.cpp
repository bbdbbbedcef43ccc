#include "generation/map_pictures.h"

#include <algorithm>

#include "generation/object_path.h"
#include "materials/colour_math.h"

namespace modMapPictures {
namespace {

std::string trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

class clsCircle final : public platform::IPicture {
 public:
  int width() const override { return kSize; }
  int height() const override { return kSize; }
  std::int32_t colourAt(int x, int y) const override {
    if (x < 0 || y < 0 || x >= kSize || y >= kSize) return -1;
    const double dx = x + 0.5 - kSize / 2.0, dy = y + 0.5 - kSize / 2.0;
    return dx * dx + dy * dy <= (kSize / 2.0) * (kSize / 2.0) ? modColour::kWhite : 0;
  }

 private:
  static constexpr int kSize = 200;
};

}  // namespace

generation::clsLoadedPicture loadPicture(std::string_view path, platform::IPictureLoader& loader,
                                         platform::IMessageBox& messages) {
  if (path.empty()) return {};
  const std::string fileName = modObjectPath::splitObjectPath(path).fileName;
  std::string reason;  // the reader's, for the path as given
  const std::array<std::string, 4> attempts = {std::string(path), trimmed(path), fileName, trimmed(fileName)};
  for (auto attempt = attempts.begin(); attempt != attempts.end(); ++attempt) {
    // The same file is not read twice: a large picture that failed once would fail again.
    if (attempt->empty() || std::find(attempts.begin(), attempt, *attempt) != attempt) continue;
    std::string error;
    if (auto picture = loader.load(*attempt, error)) return {generation::tPicture(std::move(picture)), *attempt};
    if (reason.empty()) reason = error;
  }
  // The whole path and the reader's reason: a file name alone does not tell which file or why.
  if (reason.starts_with(platform::kPictureTooLarge))
    messages.showMessage("Cannot read the file \"" + std::string(path) + "\".\n" + reason);
  else
    messages.showMessage("Cannot read the file \"" + std::string(path) +
                         "\".\nPerhaps due to its format, missing location, or other reasons.\n" + reason);
  // The path stays as the user gave it: the picture may be back at its place next time.
  return {nullptr, std::string(path)};
}

generation::tPicture circlePicture() {
  static const generation::tPicture circle = std::make_shared<clsCircle>();
  return circle;
}

}  // namespace modMapPictures
