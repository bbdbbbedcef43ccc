#include "desktop/desktop_program.h"

#include "desktop/curve_page.h"
#include "desktop/shape_page.h"
#include "desktop/size_rot_page.h"

namespace desktop {

DesktopProgram::DesktopProgram(platform::clsPlatform& platform, platform::clsDialogs& dialogs, std::uint64_t seed)
    : session_(platform, dialogs, seed) {
  main_ = std::make_unique<editors::frmMain>(
      session_,
      std::array<editors::clsEditorModel*, editors::kTabCount>{&curve_, &shape_, &sizeRot_, &pending_[0], &pending_[1],
                                                               &pending_[2], &create_},
      elementList_);
  elementList_.attach(*main_);
  create_.attach(*main_);
  std::array<EditorPage*, 6> pages{new CurvePage(curve_, session_), new ShapePage(shape_, session_),
                                   new SizeRotPage(sizeRot_), new EditorPage, new EditorPage, new EditorPage};
  window_ = std::make_unique<MainWindow>(session_, *main_, create_, new ElementListWidget(elementList_), pages,
                                         new CreatePage(create_));
}

}  // namespace desktop
