#pragma once
// What every box the user types values or texts into shares: only typed text is applied, and
// only once (on leaving the box, or as the box says); a box the user is not typing in shows the
// stored value; Undo and Redo are the program's, not the box's own typing history; the whole
// text is selected when the box gains focus.

#include <QEvent>
#include <QKeyEvent>
#include <QTimer>

#include "desktop/typed_text.h"

namespace desktop {

template <class Base>
class TypedBox : public Base {
 public:
  using Base::Base;
  bool typing() const { return typing_; }
  // Applies the typed text, if there is any.
  void applyTyped() {
    if (!typing_) return;
    typing_ = false;
    emitApplied();
  }

 protected:
  virtual void emitApplied() = 0;

  bool event(QEvent* event) override {
    if (event->type() == QEvent::ShortcutOverride && isUndoOrRedo(static_cast<QKeyEvent*>(event))) {
      event->ignore();
      return true;
    }
    return Base::event(event);
  }
  void focusInEvent(QFocusEvent* event) override {
    Base::focusInEvent(event);
    // After the mouse press has placed the cursor, so that the selection stays.
    if (selectsAllOnFocus_) QTimer::singleShot(0, this, [this] { this->selectAll(); });
  }
  void focusOutEvent(QFocusEvent* event) override {
    Base::focusOutEvent(event);
    applyTyped();
  }

  bool typing_ = false;
  bool selectsAllOnFocus_ = true;
};

}  // namespace desktop
