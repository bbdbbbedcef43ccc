#pragma once
// The coverage and altitude pictures of every element, and how a picture file is read for
// them: the path as given, trimmed, then the file name alone, then that trimmed.

#include <array>
#include <map>
#include <memory>
#include <string>

#include "model/store.h"
#include "platform/platform.h"

namespace generation {

using tPicture = std::shared_ptr<const platform::IPicture>;

struct clsMapPictures {
  std::array<tPicture, model::kElementCount> coverage{};
  std::array<tPicture, model::kElementCount> altitude{};
  // The same pictures, not merely equal ones: a picture loaded again is a change.
  bool operator==(const clsMapPictures&) const = default;
};

// The pictures read so far, by the bytes of their files: a file read again, unchanged, gives the
// picture already in memory, so that Undo steps, elements and pastes share one copy. It holds
// none of them: a picture goes when nothing else refers to it.
struct clsPictureShelf {
  std::map<std::string, std::weak_ptr<const platform::IPicture>> byContent;
};

struct clsLoadedPicture {
  tPicture picture;      // null when nothing could be read (or the path was empty)
  std::string pathUsed;  // the form of the path that was read, or the path as given
};

}  // namespace generation

namespace modMapPictures {

// An empty path gives no picture and no message; a file that cannot be read shows the
// "Cannot read the file" message naming it. With a shelf (and the files to read its bytes), a
// file whose bytes are those of a picture still in memory is not decoded again: that picture is
// given.
generation::clsLoadedPicture loadPicture(std::string_view path, platform::IPictureLoader& loader,
                                         platform::IMessageBox& messages, platform::IFileSystem* files = nullptr,
                                         generation::clsPictureShelf* shelf = nullptr);

// The built-in coverage picture: a white disc on black filling 200 x 200 pixels.
generation::tPicture circlePicture();

}  // namespace modMapPictures
