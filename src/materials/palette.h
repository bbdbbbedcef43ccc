#pragma once
// Every element's palette: two colour sets of three main colours (diffuse, ambient, specular,
// transition number, real), rainbow flags and more-info texts (slots 40 to 44); the colour
// pool with its transit colours, and the global numbering of materials.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "materials/colour_math.h"
#include "model/slots.h"
#include "model/store.h"
#include "platform/platform.h"

namespace materials {

struct clsMainColour {
  modColour::tColour diffuse = 0;
  modColour::tColour ambient = 0;
  modColour::tColour specular = 0;
  std::int16_t transition = 0;  // transit colours before the next main colour of the set
  modColour::tColour real = 0;  // normally diffuse + ambient
  bool operator==(const clsMainColour&) const = default;
};

// Main colours 1..3 form the first set, 4..6 the second (index k at k - 1).
struct clsColourSet final : model::clsObject {
  std::array<clsMainColour, 6> colours{};
  std::unique_ptr<model::clsObject> clone() const override { return std::make_unique<clsColourSet>(*this); }
  bool equals(const model::clsObject& other) const override {
    const auto* set = dynamic_cast<const clsColourSet*>(&other);
    return set != nullptr && colours == set->colours;
  }
};

// Four parallel lists: each main colour followed by its transit colours, colours 1 to 6.
struct clsColourPool {
  std::vector<modColour::tColour> real, ambient, diffuse, specular;
  std::size_t size() const { return real.size(); }
};

// (element, main colour, end): material number of the main colour (end 1) and of its last
// transit colour (end 2); numbers count every pool entry of elements 1..11.
struct clsMaterialTable {
  std::array<std::array<std::array<std::int16_t, 2>, 6>, model::kElementCount> entries{};
  std::int16_t at(int element, int colour, int end) const {
    return entries[static_cast<std::size_t>(element - 1)][static_cast<std::size_t>(colour - 1)][static_cast<std::size_t>(end - 1)];
  }
};

inline constexpr std::string_view kStoredColoursKey = "colorsettings";

}  // namespace materials

namespace modPalette {

using materials::clsColourSet;
using model::clsStore;

// Fresh colour sets, rainbow flags 0 and empty more-info texts for every element.
void loadPalettes(clsStore& store);
clsColourSet& colourSetOf(clsStore& store, int element);
const clsColourSet& colourSetOf(const clsStore& store, int element);

// One element's whole palette as a record gives it: real colours are diffuse + ambient, and
// more-info texts are unescaped ("<sp>", "<p>", "<empty>").
void setMaterial(clsStore& store, const model::tValue& element, const model::tValue& rainbow1,
                 const model::tValue& rainbow2, const std::array<std::array<model::tValue, 4>, 6>& colours,
                 std::string_view moreInfo1, std::string_view moreInfo2);

// The colour editor's setters on main colour k (1..6) of the active element; they keep
// real = diffuse + ambient unless noFollow is set, and a real colour darker than its ambient
// becomes white.
void setDiffuse(clsStore& store, int k, const model::tValue& colour, bool noFollow);
void setAmbient(clsStore& store, int k, const model::tValue& colour, bool noFollow);
void setSpecular(clsStore& store, int k, const model::tValue& colour);
void setReal(clsStore& store, int k, const model::tValue& colour, bool noFollow);
void setTransition(clsStore& store, int k, const model::tValue& transition);
void setRainbow(clsStore& store, int set, const model::tValue& flag);
void setMoreInfo(clsStore& store, int set, std::string_view text);

// Element 0 means the active element.
materials::clsColourPool buildPool(const clsStore& store, int element);
materials::clsMaterialTable reportStartEnd(const clsStore& store);

bool rainbow(const clsStore& store, int element, int set);
std::string moreInfo(const clsStore& store, int element, int set);

// The built-in palettes, one "Material" line per element.
std::string defaultColourText();
// Offers every line of at least two fields to the Material reader; returns how many applied.
int readColorText(clsStore& store, std::string_view text);
// The colour editor's Reset: clears the active element's more-info texts, then every palette
// takes the default colour text.
void resetColours(clsStore& store);

// The stored copy of all palettes. A missing copy, or one without a Material line, gives the
// default palettes rather than black ones.
void restoreStoredColours(clsStore& store, platform::IUserStore& userStore);
void storeColours(const clsStore& store, platform::IUserStore& userStore);

}  // namespace modPalette
