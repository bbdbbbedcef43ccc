#pragma once
// The element list's model: the eleven elements with their names and use flags, the active
// element, renaming by a small prompt, and the grass-1 length.

#include <string>

#include "editors/editor_model.h"
#include "editors/session.h"

namespace editors {

class frmMain;

class frmElement final : public clsEditorModel {
 public:
  explicit frmElement(clsSession& session) : session_(session) {}
  // The main window hears of picked elements; set once both exist.
  void attach(frmMain& main) { main_ = &main; }

  std::string name(int element) const;
  bool inUse(int element) const;
  int activeElement() const { return session_.store().activeElement; }
  std::string lengthText() const;

  std::string useTip(int element) const;
  std::string nameTip(int element) const;
  std::string lengthTip() const;
  static constexpr const char* kUseCaption = "Use";
  static constexpr const char* kLengthCaption = "Grass 1 length";
  static constexpr const char* kPromptCaption = "Enter grass name";
  static constexpr const char* kPromptButton = "Enter";

  // A click on an element's option button.
  void pick(int element);
  // A click on a check box.
  void setUse(int element, bool checked);
  // A right click: the name prompt; an empty answer changes nothing.
  void rename(int element);
  // The length box is left or Enter pressed in it.
  void applyLength(const std::string& text);

 private:
  clsSession& session_;
  frmMain* main_ = nullptr;
};

}  // namespace editors
