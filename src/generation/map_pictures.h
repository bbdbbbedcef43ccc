#pragma once
// The coverage and altitude pictures of every element, and how a picture file is read for
// them: the path as given, trimmed, then the file name alone, then that trimmed.

#include <array>
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

struct clsLoadedPicture {
  tPicture picture;      // null when nothing could be read (or the path was empty)
  std::string pathUsed;  // the form of the path that was read, or the path as given
};

}  // namespace generation

namespace modMapPictures {

// An empty path gives no picture and no message; a file that cannot be read shows the
// "Cannot read the file" message naming it.
generation::clsLoadedPicture loadPicture(std::string_view path, platform::IPictureLoader& loader,
                                         platform::IMessageBox& messages);

// The built-in coverage picture: a white disc on black filling 200 x 200 pixels.
generation::tPicture circlePicture();

}  // namespace modMapPictures
