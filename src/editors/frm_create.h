#pragma once
// The create dialog's model: the object path, the disk-space limit and the note, the help
// balloons switch, and the buttons that save, copy, paste, open, reset, create and cancel.

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "document/save_buttons.h"
#include "editors/editor_model.h"
#include "editors/session.h"

namespace editors {

class frmMain;

class frmCreate final : public clsEditorModel {
 public:
  explicit frmCreate(clsSession& session);
  void attach(frmMain& main) { main_ = &main; }

  static constexpr const char* kFileNameCaption = "File name for grass OBJ...";
  static constexpr const char* kDiskSpaceCaption = "Disk space limit";
  static constexpr const char* kCreateCaption = "Create grass and save as OBJ.\nAlso save colors and settings.";
  // The same two captions when the run writes the binary glTF file, which has no material file.
  static constexpr const char* kGlbFileNameCaption = "File name for grass glTF...";
  static constexpr const char* kGlbCreateCaption = "Create grass and save as glTF (.glb).\nAlso save settings.";
  static constexpr const char* kCancelCaption = "Cancel";
  static constexpr const char* kSaveColorsCaption = "Save colors only";
  static constexpr const char* kSaveSettingsCaption = "Save settings";
  static constexpr const char* kCopyCaption = "Copy";
  static constexpr const char* kPasteCaption = "Paste";
  static constexpr const char* kOpenCaption = "Open settings...";
  static constexpr const char* kDefaultsCaption = "Default settings";
  static constexpr const char* kHelpTipCaption = "Turn on the help balloons";
  static constexpr const char* kHelpCaption = "Help and license";
  static constexpr const char* kFormatCaption = "Format";
  // The "Help and license" message, naming Help.txt and License.txt inside helpFolder.
  static std::string helpMessage(const std::string& helpFolder);
  // The folder that holds Help.txt and License.txt; empty names them without a folder.
  void setHelpFolder(std::string folder) { helpFolder_ = std::move(folder); }

  // What the boxes show.
  std::string fileNameText() const;
  const std::string& diskSpaceText() const { return diskText_; }
  // The note with plain line breaks, as a text box holds it.
  std::string noteText() const;
  bool helpTips() const;
  // The chosen format's row in generation::kObjectFormats, which the page lists in order.
  int formatChoice() const;
  // The file-name button's and the create button's captions: they name what the run writes.
  const char* fileNameCaption() const { return format().materialFile ? kFileNameCaption : kGlbFileNameCaption; }
  const char* createCaption() const { return format().materialFile ? kCreateCaption : kGlbCreateCaption; }

  std::string fileNameTip() const {
    return tip(format().materialFile ? "Select or type in a file name for the object (ending with .obj)."
                                     : "Select or type in a file name for the object (ending with .glb).");
  }
  std::string saveColorsTip() const {
    return tip("Save only the colors to a material file (same name as the .obj file, but ending with .mtl).");
  }
  std::string saveSettingsTip() const {
    return tip("Save the current settings to a settings file (same name as the .obj file, but ending with .grass).");
  }
  std::string cancelTip() const {
    return tip(format().materialFile ? "Cancel the writing of .obj file." : "Cancel the writing of .glb file.");
  }
  std::string copyTip() const { return tip("Copy the settings to the computer's clipboard."); }
  std::string pasteTip() const { return tip("Get the settings from the computer's clipboard."); }
  std::string openTip() const { return tip("Open a settings file."); }
  std::string defaultsTip() const { return tip("Reset all settings to their default values."); }
  std::string diskSpaceTip() const { return tip("The maximum size in disk space an object can get."); }

  void formChange() override;

  // "File name for grass OBJ...": the save dialog.
  void chooseFileName();
  // The file-name box is left.
  void applyFileName(const std::string& text);
  // Every change of the limit box; the box then shows the clamped value.
  void typeDiskSpace(const std::string& text);
  // The note box is left.
  void applyNote(const std::string& text);
  void setHelpTips(bool on);
  // A format choice; the file name takes its extension.
  void chooseFormat(int choice);

  bool saveColors();
  bool saveSettings();
  void copySettings();
  bool pasteSettings();
  bool openSettings();
  // "Open settings..." without the dialog: a dropped file or the one named on the command line.
  bool openFile(const std::string& path);
  void defaultSettings();
  document::clsRunResult create();
  void cancel();
  void help();
  // The window is about to close: with changes not saved as settings, asks whether to save them
  // first. True when the window may close (saved, or the user chose not to save).
  bool confirmClose();
  static constexpr const char* kCloseQuestion = "The settings have changes that are not saved.\nSave them before closing?";
  // Called when the file-name check refused the name (none given, a system folder, No to
  // overwriting): the view puts the focus into the file-name box.
  std::function<void()> onFileNameRefused;

 private:
  const generation::clsObjectFormat& format() const {
    return generation::objectFormat(static_cast<generation::ObjectFormat>(formatChoice()));
  }
  bool saved(modSaveButtons::SaveOutcome outcome);
  void fileNameRefused();

  clsSession& session_;
  frmMain* main_ = nullptr;
  std::string diskText_;
  std::string helpFolder_;
};

}  // namespace editors
