#pragma once
// The editor windows with "Copy" and "Paste": Copy remembers the active element, and each
// window's Paste reads that element's values into the active one.

#include "editors/editor_model.h"
#include "editors/session.h"

namespace editors {

class clsCopyingEditor : public clsEditorModel {
 public:
  void copy() { copySource_ = session_.store().activeElement; }
  virtual void paste() = 0;

 protected:
  explicit clsCopyingEditor(clsSession& session) : session_(session) {}

  clsSession& session_;
  int copySource_ = 1;
};

}  // namespace editors
