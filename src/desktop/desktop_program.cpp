#include "desktop/desktop_program.h"

namespace desktop {

DesktopProgram::DesktopProgram(platform::clsPlatform& platform, platform::clsDialogs& dialogs, std::uint64_t seed)
    : session_(platform, dialogs, seed) {
  main_ = std::make_unique<editors::frmMain>(
      session_,
      std::array<editors::clsEditorModel*, editors::kTabCount>{&pending_[0], &pending_[1], &pending_[2], &pending_[3],
                                                               &pending_[4], &pending_[5], &create_},
      elementList_);
  elementList_.attach(*main_);
  create_.attach(*main_);
  std::array<EditorPage*, 6> pages{};
  for (EditorPage*& page : pages) page = new EditorPage;
  window_ = std::make_unique<MainWindow>(session_, *main_, create_, new ElementListWidget(elementList_), pages,
                                         new CreatePage(create_));
}

}  // namespace desktop
