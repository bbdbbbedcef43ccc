#include "generation/map_pictures.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>

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

// The file's ending (which decides how it is decoded) with two independent hashes of its bytes.
std::optional<std::string> contentKey(const std::string& path, platform::IFileSystem& files) {
  std::string bytes;
  if (files.readFile(path, bytes) != platform::FileStatus::Ok) return std::nullopt;
  std::uint64_t fnv = 1469598103934665603ULL;
  for (unsigned char c : bytes) fnv = (fnv ^ c) * 1099511628211ULL;
  const std::size_t dot = path.find_last_of("./");
  std::string ending = dot != std::string::npos && path[dot] == '.' ? path.substr(dot) : std::string();
  for (char& c : ending) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ending + ':' + std::to_string(bytes.size()) + ':' + std::to_string(fnv) + ':' +
         std::to_string(std::hash<std::string>{}(bytes));
}

}  // namespace

generation::clsLoadedPicture loadPicture(std::string_view path, platform::IPictureLoader& loader,
                                         platform::IMessageBox& messages, platform::IFileSystem* files,
                                         generation::clsPictureShelf* shelf) {
  if (path.empty()) return {};
  const std::string fileName = modObjectPath::splitObjectPath(path).fileName;
  std::string reason;  // the reader's, for the path as given
  const std::array<std::string, 4> attempts = {std::string(path), trimmed(path), fileName, trimmed(fileName)};
  for (auto attempt = attempts.begin(); attempt != attempts.end(); ++attempt) {
    // The same file is not read twice: a large picture that failed once would fail again.
    if (attempt->empty() || std::find(attempts.begin(), attempt, *attempt) != attempt) continue;
    std::optional<std::string> key;
    if (files != nullptr && shelf != nullptr && (key = contentKey(*attempt, *files))) {
      if (generation::tPicture held = shelf->byContent[*key].lock()) return {std::move(held), *attempt};
    }
    std::string error;
    if (auto picture = loader.load(*attempt, error)) {
      generation::tPicture loaded(std::move(picture));
      if (key) {
        std::erase_if(shelf->byContent, [](const auto& entry) { return entry.second.expired(); });
        shelf->byContent[*key] = loaded;
      }
      return {std::move(loaded), *attempt};
    }
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
