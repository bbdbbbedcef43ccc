#pragma once
// The colours and width variation that every item builder shares: the material of a new item
// (one number, or a window of consecutive numbers for a rainbow set), its change along the
// item, and the random width of a node.

#include <cstdint>
#include <string>
#include <string_view>

#include "blade/blade_builder.h"
#include "model/random.h"

namespace modItemColours {

struct clsColours {
  std::int16_t bladeMat = 0;  // one material for the whole item, written before its text
  std::int16_t ringMat = 0;   // the running material of the rings
};

// With single set, a non-rainbow choice goes to ringMat (repeated on every ring) instead of
// bladeMat.
clsColours chooseColours(const blade::clsItemInputs& in, model::clsRandom& random, bool single);
// After ring i: a rainbow steps on, and at the second colour node the second set takes over.
void updateColours(const blade::clsItemInputs& in, model::clsRandom& random, clsColours& colours, int i);
// w varied by up to widthVar of itself either way (two draws), or w when widthVar is 0.
float variedWidth(model::clsRandom& random, float w, float widthVar);

}  // namespace modItemColours
