#include "blade/item_colours.h"

#include <cmath>

namespace modItemColours {
namespace {

std::int16_t wholeBetween(model::clsRandom& random, int first, int last) {
  return static_cast<std::int16_t>(std::nearbyint(modRandom::randomBetween(random, first, last, true, false)));
}

std::int16_t windowStart(model::clsRandom& random, int first, int last, int width) {
  return static_cast<std::int16_t>(modRandom::randomWindow(random, first, last, width).first);
}

}  // namespace

clsColours chooseColours(const blade::clsItemInputs& in, model::clsRandom& random, bool single) {
  clsColours colours;
  std::int16_t& chosen = single ? colours.ringMat : colours.bladeMat;
  if (in.secondUsed && in.secondNode < 2) {
    if (in.rainbow2) colours.ringMat = windowStart(random, in.first2, in.last2, in.nodes - in.secondNode);
    else chosen = wholeBetween(random, in.first2, in.last2);
  } else {
    if (in.rainbow1) colours.ringMat = windowStart(random, in.first1, in.last1, in.secondNode - 1);
    else chosen = wholeBetween(random, in.first1, in.last1);
  }
  return colours;
}

void updateColours(const blade::clsItemInputs& in, model::clsRandom& random, clsColours& colours, int i) {
  if (!in.rainbow1 && !in.rainbow2 && !in.secondUsed) return;
  const int k = in.secondNode;
  if (i < k) {
    if (in.rainbow1 && colours.ringMat < in.last1 && i >= 2) ++colours.ringMat;
  } else if (i > k) {
    if (in.rainbow2 && colours.ringMat < in.last2) ++colours.ringMat;
  } else if (in.rainbow2) {
    colours.ringMat = windowStart(random, in.first2, in.last2, in.nodes - k);
  } else if (k > 1) {
    colours.ringMat = wholeBetween(random, in.first2, in.last2);
  }
}

float variedWidth(model::clsRandom& random, float w, float widthVar) {
  if (widthVar <= 0) return w;
  return static_cast<float>(w + modRandom::randomBetween(random, 0, static_cast<double>(w) * widthVar, false, true));
}

}  // namespace modItemColours
