#include "editors/picture_editor.h"

#include <algorithm>

#include "model/value_functions.h"

namespace editors {

// PNG is what artists use today; it stands beside the formats the caption names.
const std::vector<platform::clsFileFilter> clsPictureEditor::kPictureFilters = {
    {"Pictures (*.jpg, *.jpe, *.gif, *.bmp, *.wmf, *.emf)", "*.jpg;*.jpe;*.gif;*.bmp;*.wmf;*.emf;*.png"},
    {"All formats (*.*)", "*.*"}};

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
  const auto path = session_.dialogs.files.openFile("Select a File", kPictureFilters, session_.dialogFolder());
  session_.noteDialogResult(path);
  if (!path) return false;
  loadFile(*path);
  return true;
}

}  // namespace editors
