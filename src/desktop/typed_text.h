#pragma once
// Text the user is typing counts before anything else happens: a click elsewhere, a shortcut,
// a dropped file or closing the window first applies it, once, exactly as leaving the box would.

#include <QObject>

class QKeyEvent;

namespace desktop {

// Applies the typed text of every box except the one that target is (or lies in).
void applyTypedText(const QObject* target = nullptr);

bool isUndoOrRedo(const QKeyEvent* event);

// Watches the whole application for the events that must see the typed text applied.
class TypedTextGuard final : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace desktop
