#pragma once
// What the coverage and altitude editors share: one picture per element shown in a frame, its
// scroll positions per element, and loading a picture through the file dialog.

#include <array>
#include <string>
#include <vector>

#include "editors/copying_editor.h"
#include "editors/drop_rules.h"
#include "editors/editor_model.h"
#include "editors/picture_frame.h"

namespace editors {

class clsPictureEditor : public clsCopyingEditor {
 public:
  clsPictureEditor(clsSession& session, int pathSlot) : clsCopyingEditor(session), pathSlot_(pathSlot) {}

  // The picture formats the program reads, the classic ones first, then "All formats (*.*)".
  static std::vector<platform::clsFileFilter> pictureFilters(const std::vector<std::string>& extensions);

  void setFrameSize(int width, int height) { frameWidth_ = width, frameHeight_ = height; }
  // The active element's picture, or nothing.
  virtual generation::tPicture picture() const = 0;
  clsPictureArea area() const;
  std::string fileNameText() const;
  // Where the active element's picture is scrolled to.
  int scrollX() const { return scrollX_[index()]; }
  int scrollY() const { return scrollY_[index()]; }
  void scrollTo(bool horizontal, int position);

  // "Load image...": the open dialog; true when a file was chosen (read or not).
  bool load();
  // A file dropped on the frame, or chosen in the dialog.
  virtual void loadFile(const std::string& path) = 0;
  // What files dropped on the frame do; a settings file is the window's to open.
  clsDrop dropOf(const std::vector<std::string>& paths) const {
    return modDropRules::whatDropDoes(paths, true, session_.platform.files);
  }

 protected:
  virtual bool showsBlank() const = 0;
  virtual std::string tipEnding() const = 0;
  std::size_t index() const { return static_cast<std::size_t>(session_.store().activeElement - 1); }
  void resetScroll() { scrollX_[index()] = scrollY_[index()] = 0; }
  generation::clsMapContext context() {
    return {session_.store(),           session_.project().pictures, session_.platform.pictures,
            session_.platform.messages, session_.platform.files,     session_.document.pictureShelf};
  }

  int pathSlot_;

 private:
  int frameWidth_ = 300;
  int frameHeight_ = 200;
  std::array<int, model::kElementCount> scrollX_{}, scrollY_{};
};

}  // namespace editors
