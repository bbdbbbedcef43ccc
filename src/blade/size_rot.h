#pragma once
// Size and rotation of every item: random size, spin (partly confined to a range), lean about
// X and Z, twist chance and items per clump, in slots 21 to 30 and the "Size_Rot" record.

#include <cstdint>

#include "geometry/pixel.h"
#include "model/random.h"
#include "model/settings_text.h"
#include "model/slots.h"
#include "model/snapshot.h"
#include "model/store.h"

namespace blade {

// One item's draws of size, leans and spin.
struct clsItemDraws {
  float size = 0, leanX = 0;
  double lean = 0, spin = 0;
  bool leansX = false, leansSide = false;
};

// The values as the generator reads them: shares divided by 100, angles in radians.
struct clsSizeRot {
  float sizeVar = 0;
  float spinStart = 0;
  float spinRange = 0;
  float spinShare = 0;
  float leanX = 0;
  float leanLeft = 0;   // +Z
  float leanRight = 0;  // -Z
  std::int16_t minPerClump = 1;
  std::int16_t maxPerClump = 1;
  float twistChance = 0;
};

class clsSizeRotRecords final : public model::IRecordOwner {
 public:
  explicit clsSizeRotRecords(model::clsStore& store) : store_(store) {}
  std::string toTextSettings() const override;
  model::RecordStatus fromTextSettings(std::string_view keyword, const model::tFields& fields) override;

 private:
  model::clsStore& store_;
};

}  // namespace blade

namespace modSizeRot {

// The values every element gets when the editor loads, before the default text replaces them.
void loadSizeRot(model::clsStore& store);

// Setters on the active element. With the editor flag (the user changed the value) the
// minimum and maximum per clump are kept in order; a settings record stores them as they come.
void setSizeVar(model::clsStore& store, const model::tValue& value, bool editor);
void setSpinStart(model::clsStore& store, const model::tValue& value, bool editor);
void setSpinRange(model::clsStore& store, const model::tValue& value, bool editor);
void setSpinShare(model::clsStore& store, const model::tValue& value, bool editor);
// index 1 lean X, 2 lean +Z, 3 lean -Z; any other index stores nothing.
void setLean(model::clsStore& store, int index, const model::tValue& value, bool editor);
void setMinPerClump(model::clsStore& store, const model::tValue& value, bool editor);
void setMaxPerClump(model::clsStore& store, const model::tValue& value, bool editor);
void setTwistChance(model::clsStore& store, const model::tValue& value, bool editor);

blade::clsSizeRot readSizeRot(const model::clsSnapshot& snapshot, int element);

// Draws size, lean X, lean Z and spin, in that order, and returns
// Ry(spin) x Rz(lean) x Rx(leanX) x S(1 + size); the caller multiplies the placement on.
geometry::tMatrix drawItemTransform(model::clsRandom& random, const blade::clsSizeRot& values);
// The same in two halves: the draws, and the matrix they give.
blade::clsItemDraws drawItemValues(model::clsRandom& random, const blade::clsSizeRot& values);
geometry::tMatrix itemTransform(const blade::clsItemDraws& draws);

// Items in the next clump: minimum to maximum with equal chances when the maximum is above 1.
std::int32_t drawClumpSize(model::clsRandom& random, const blade::clsSizeRot& values);

}  // namespace modSizeRot
