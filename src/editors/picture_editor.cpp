#include "editors/picture_editor.h"

#include <algorithm>

#include "model/value_functions.h"

namespace editors {

std::vector<platform::clsFileFilter> clsPictureEditor::pictureFilters(const std::vector<std::string>& extensions) {
  const auto reads = [&](std::string_view ending) {
    return std::find(extensions.begin(), extensions.end(), ending) != extensions.end();
  };
  std::vector<std::string> listed;
  for (const char* classic : {"jpg", "jpe", "gif", "bmp", "wmf", "emf", "png"})
    if (reads(classic) || (std::string_view(classic) == "jpe" && reads("jpg"))) listed.emplace_back(classic);
  std::vector<std::string> others;
  for (const std::string& ending : extensions)
    if (std::find(listed.begin(), listed.end(), ending) == listed.end() &&
        std::find(others.begin(), others.end(), ending) == others.end())
      others.push_back(ending);
  std::sort(others.begin(), others.end());
  listed.insert(listed.end(), others.begin(), others.end());
  std::string caption, pattern;
  for (const std::string& ending : listed) {
    caption += (caption.empty() ? "*." : ", *.") + ending;
    pattern += (pattern.empty() ? "*." : ";*.") + ending;
  }
  return {{"Pictures (" + caption + ")", pattern}, {"All formats (*.*)", "*.*"}};
}

clsPictureArea clsPictureEditor::area() const {
  return modPictureFrame::pictureArea(picture(), showsBlank(), frameWidth_, frameHeight_, tipEnding());
}

std::string clsPictureEditor::fileNameText() const {
  return modGeneral::toText(modStore::readSlot(session_.store(), pathSlot_));
}

void clsPictureEditor::scrollTo(bool horizontal, int position) {
  const clsPictureArea shown = area();
  const clsScrollRange& range = horizontal ? shown.horizontal : shown.vertical;
  (horizontal ? scrollX_ : scrollY_)[index()] = std::clamp(position, 0, range.enabled ? range.maximum : 0);
}

bool clsPictureEditor::load() {
  if (session_.running()) return false;
  const auto path = session_.dialogs.files.openFile("Select a File", pictureFilters(session_.platform.pictures.extensions()),
                                                    session_.dialogFolder());
  session_.noteDialogResult(path);
  if (!path) return false;
  loadFile(*path);
  return true;
}

}  // namespace editors
