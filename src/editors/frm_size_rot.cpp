#include "editors/frm_size_rot.h"

#include <cmath>

#include "blade/size_rot.h"
#include "model/value_functions.h"

namespace editors {

namespace slot = model::slot;

namespace {

int integerSlot(const model::clsStore& store, int slotNumber) {
  return modGeneral::toLong(modStore::readSlot(store, slotNumber));
}

struct clsDial {
  float cx, cy, r0, r1, r2;
};

clsDial dialOf(int width, int height) {
  clsDial dial{};
  dial.cx = static_cast<float>(width) / 2;
  dial.cy = static_cast<float>(height) / 2;
  dial.r0 = std::nearbyint(dial.cx - 5);
  dial.r1 = dial.r0 - 10;
  dial.r2 = dial.r0 - 20;
  return dial;
}

float wrapped(int degrees) { return static_cast<float>(modGeneral::wrapAngle(static_cast<float>(degrees))); }

}  // namespace

int frmSizeRot::barValue(int bar) const { return integerSlot(session_.store(), kBars[static_cast<std::size_t>(bar)].slot); }

std::string frmSizeRot::barText(int bar) const { return barText(bar, barValue(bar)); }

std::string frmSizeRot::barText(int bar, int number) {
  const std::string value = std::to_string(number);
  switch (bar) {
    case kSpinStartBar:
    case kSpinRangeBar: return value + " degrees";
    case kLeanXBar: return "Random lean X rotation  " + value + " deg";
    case kLeanLeftBar: return "Random lean +Z rotation  " + value + " deg";
    case kLeanRightBar: return "Random lean -Z rotation  " + value + " deg";
    default: return value + " %";
  }
}

std::string frmSizeRot::minText() const { return std::to_string(integerSlot(session_.store(), slot::kMinPerClump)); }
std::string frmSizeRot::maxText() const { return std::to_string(integerSlot(session_.store(), slot::kMaxPerClump)); }

std::string frmSizeRot::label(int index) const {
  static constexpr std::array<const char*, 8> kLabels = {"Variable size", "Random spin Y rotation", "Frequency",
                                                         "Spin start",    "Twist frequency",        "Min blades/clump",
                                                         "Max blades/clump", "Spin range"};
  const bool rock = model::isRock(session_.store().activeElement);
  if (rock && index == 5) return "Min rocks/clump";
  if (rock && index == 6) return "Max rocks/clump";
  return kLabels[static_cast<std::size_t>(index)];
}

bool frmSizeRot::twistVisible() const { return !model::isRock(session_.store().activeElement); }

std::string frmSizeRot::barTip(int bar) const {
  static constexpr std::array<const char*, kBarCount> kTips = {
      "Let the item change size within this range (both negative and positive).",
      "The start angle a curve's tip faces at its birth.",
      "The range the curve will spin.",
      "The number of blades (in percent) that spin within the given spin range. The rest will spin 360 degrees in random.",
      "The range the curve will lean back and forth (X rotation).",
      "The range the curve will lean to the left (+Z rotation).",
      "The range the curve will lean to the right (-Z rotation).",
      "The chance (in percent) a blade gets twisted."};
  return tip(kTips[static_cast<std::size_t>(bar)]);
}

std::string frmSizeRot::minTip(int index) const {
  return tip(index == 0 ? "Reduce the minimum number of blades per clump." : "Increase the minimum number of blades per clump.");
}

std::string frmSizeRot::maxTip(int index) const {
  return tip(index == 0 ? "Reduce the maximum number of blades per clump." : "Increase the maximum number of blades per clump.");
}

clsDrawing frmSizeRot::spinDial(int width, int height) const {
  const clsDial dial = dialOf(width, height);
  clsDrawing d;
  modDrawing::disc(d, dial.cx, dial.cy, dial.r0, kDisc);
  float a = static_cast<float>(barValue(kSpinStartBar)), b = 0;
  if (barValue(kSpinRangeBar) >= 360) {
    // Wrapped, a full turn would end where it starts and draw nothing: it is a full ring.
    a = wrapped(barValue(kSpinStartBar));
    b = a + 360;
  } else if (barValue(kSpinRangeBar) != 0) {
    b = wrapped(barValue(kSpinStartBar) + barValue(kSpinRangeBar));
  } else {
    b = a + 1;
    if (b > 360) a = 0, b = 1;
  }
  modDrawing::arc(d, dial.cx, dial.cy, dial.r1, 10, a, b, kGreen);
  return d;
}

clsDrawing frmSizeRot::leanDial(int width, int height) const {
  const clsDial dial = dialOf(width, height);
  clsDrawing d;
  modDrawing::disc(d, dial.cx, dial.cy, dial.r0, kDisc);
  const int x = barValue(kLeanXBar), p = barValue(kLeanLeftBar), q = barValue(kLeanRightBar);
  if (x == 0) modDrawing::arc(d, dial.cx, dial.cy, dial.r1, 10, 90, 91, kGreen);
  else if (x >= 180) modDrawing::arc(d, dial.cx, dial.cy, dial.r1, 10, 270, 270 + 360, kGreen);  // both ways: a full ring
  else modDrawing::arc(d, dial.cx, dial.cy, dial.r1, 10, wrapped(90 - x), wrapped(90 + x), kGreen);
  if (p == 0) modDrawing::arc(d, dial.cx, dial.cy, dial.r2, 8, 90, 91, kOrange);
  else modDrawing::arc(d, dial.cx, dial.cy, dial.r2, 8, 90, wrapped(90 + p), kOrange);
  if (q == 0) modDrawing::arc(d, dial.cx, dial.cy, dial.r2, 8, 90, 91, kOrange);
  else modDrawing::arc(d, dial.cx, dial.cy, dial.r2, 8, wrapped(90 - q), 90, kOrange);
  return d;
}

void frmSizeRot::applyBar(int bar, const model::tValue& value) {
  model::clsStore& store = session_.store();
  switch (bar) {
    case kSizeBar: modSizeRot::setSizeVar(store, value, true); break;
    case kSpinStartBar: modSizeRot::setSpinStart(store, value, true); break;
    case kSpinRangeBar: modSizeRot::setSpinRange(store, value, true); break;
    case kSpinShareBar: modSizeRot::setSpinShare(store, value, true); break;
    case kLeanXBar:
    case kLeanLeftBar:
    case kLeanRightBar: modSizeRot::setLean(store, bar - kLeanXBar + 1, value, true); break;
    case kTwistBar: modSizeRot::setTwistChance(store, value, true); break;
    default: break;
  }
}

void frmSizeRot::setBar(int bar, int value) {
  session_.edit([&] { applyBar(bar, value); });
}

void frmSizeRot::changeMinimum(int delta) {
  session_.edit([&] {
    modSizeRot::setMinPerClump(session_.store(), integerSlot(session_.store(), slot::kMinPerClump) + delta, true);
  });
}

void frmSizeRot::changeMaximum(int delta) {
  session_.edit([&] {
    modSizeRot::setMaxPerClump(session_.store(), integerSlot(session_.store(), slot::kMaxPerClump) + delta, true);
  });
}

void frmSizeRot::paste() {
  session_.edit([&] {
    model::clsStore& store = session_.store();
    const int from = copySource_;
    if (from == store.activeElement) return;
    // Slot order: 21 to 27 by the bars, then the clump counts (minimum first), then 30.
    for (int bar = kSizeBar; bar <= kLeanRightBar; ++bar)
      applyBar(bar, modStore::readElementSlot(store, from, kBars[static_cast<std::size_t>(bar)].slot));
    modSizeRot::setMinPerClump(store, modStore::readElementSlot(store, from, slot::kMinPerClump), true);
    modSizeRot::setMaxPerClump(store, modStore::readElementSlot(store, from, slot::kMaxPerClump), true);
    applyBar(kTwistBar, modStore::readElementSlot(store, from, slot::kTwistChance));
  });
}

}  // namespace editors
