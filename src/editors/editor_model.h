#pragma once
// What every editor window's model offers the main window: refresh from the store, the help
// balloons on or off, and the element to show.

namespace editors {

class clsEditorModel {
 public:
  virtual ~clsEditorModel() = default;
  // Back to the window's own start values, where it has any.
  virtual void reset() {}
  // The store changed: what the window shows is computed again.
  virtual void formChange() {}
  virtual void setToolTip(bool on) { tips_ = on; }
  virtual void setActiveElement(int element) { (void)element; }
  bool tipsOn() const { return tips_; }

 protected:
  // A tooltip text when the help balloons are on, "" when they are off.
  const char* tip(const char* text) const { return tips_ ? text : ""; }

 private:
  bool tips_ = false;
};

}  // namespace editors
