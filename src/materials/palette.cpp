#include "materials/palette.h"

#include <cmath>

#include "materials/material_records.h"
#include "model/text_fields.h"
#include "model/value_functions.h"

namespace modPalette {

using materials::clsMainColour;
namespace slot = model::slot;

namespace {

bool validColour(int k) { return k >= 1 && k <= 6; }

clsMainColour& mainColour(clsStore& store, int k) {
  return colourSetOf(store, store.activeElement).colours[static_cast<std::size_t>(k - 1)];
}

// 1 to 2, 2 to 3, 3 to 1; 4 to 5, 5 to 6, 6 to 4: transits stay inside their set.
int successor(int k) { return k == 3 ? 1 : (k == 6 ? 4 : k + 1); }

std::int16_t flagOf(const model::tValue& value) {
  return modGeneral::toClampedInteger(value, 0, 1);
}

}  // namespace

void loadPalettes(clsStore& store) {
  for (int e = 1; e <= model::kElementCount; ++e) {
    modStore::writeElementSlot(store, e, slot::kColourSet, model::clsObjectRef(std::make_unique<clsColourSet>()));
    for (int set = 0; set < 2; ++set) {
      modStore::writeElementSlot(store, e, slot::kRainbow1 + set, std::int16_t{0});
      modStore::writeElementSlot(store, e, slot::kMoreInfo1 + set, std::string());
    }
  }
}

clsColourSet& colourSetOf(clsStore& store, int element) {
  return *std::get<model::clsObjectRef>(modStore::readElementSlot(store, element, slot::kColourSet)).as<clsColourSet>();
}

const clsColourSet& colourSetOf(const clsStore& store, int element) {
  return *std::get<model::clsObjectRef>(modStore::readElementSlot(store, element, slot::kColourSet)).as<clsColourSet>();
}

void setMaterial(clsStore& store, const model::tValue& element, const model::tValue& rainbow1,
                 const model::tValue& rainbow2, const std::array<std::array<model::tValue, 4>, 6>& colours,
                 std::string_view moreInfo1, std::string_view moreInfo2) {
  const int e = modStore::clampElement(modGeneral::toDouble(element));
  modStore::writeElementSlot(store, e, slot::kRainbow1, flagOf(rainbow1));
  modStore::writeElementSlot(store, e, slot::kRainbow1 + 1, flagOf(rainbow2));
  modStore::writeElementSlot(store, e, slot::kMoreInfo1, modText::decodeParagraphs(moreInfo1));
  modStore::writeElementSlot(store, e, slot::kMoreInfo1 + 1, modText::decodeParagraphs(moreInfo2));
  clsColourSet& set = colourSetOf(store, e);
  for (std::size_t k = 0; k < 6; ++k) {
    clsMainColour& colour = set.colours[k];
    colour.diffuse = modGeneral::toColour(colours[k][0]);
    colour.ambient = modGeneral::toColour(colours[k][1]);
    colour.specular = modGeneral::toColour(colours[k][2]);
    colour.transition = modGeneral::toClampedInteger(colours[k][3], 0, 20);
    colour.real = modColour::addColors(colour.diffuse, colour.ambient);
  }
}

void setDiffuse(clsStore& store, int k, const model::tValue& colour, bool noFollow) {
  if (!validColour(k)) return;
  clsMainColour& main = mainColour(store, k);
  main.diffuse = modGeneral::toColour(colour);
  if (!noFollow) setReal(store, k, modColour::addColors(main.ambient, main.diffuse), true);
}

void setAmbient(clsStore& store, int k, const model::tValue& colour, bool noFollow) {
  if (!validColour(k)) return;
  clsMainColour& main = mainColour(store, k);
  main.ambient = modGeneral::toColour(colour);
  if (!noFollow) setReal(store, k, main.real, false);
}

void setSpecular(clsStore& store, int k, const model::tValue& colour) {
  if (!validColour(k)) return;
  mainColour(store, k).specular = modGeneral::toColour(colour);
}

void setReal(clsStore& store, int k, const model::tValue& colour, bool noFollow) {
  if (!validColour(k)) return;
  clsMainColour& main = mainColour(store, k);
  modColour::tColour real = modGeneral::toColour(colour);
  const auto r = modColour::getRGB(real), a = modColour::getRGB(main.ambient);
  std::array<float, 3> difference{};
  for (std::size_t c = 0; c < 3; ++c) difference[c] = static_cast<float>(r[c]) - static_cast<float>(a[c]);
  if (difference[0] < 0 || difference[1] < 0 || difference[2] < 0) {
    real = modColour::kWhite;  // darker than its ambient: no diffuse can make it
  } else if (!noFollow) {
    const auto rounded = [&](std::size_t c) { return static_cast<int>(std::nearbyint(difference[c])); };
    setDiffuse(store, k, modColour::packColour(rounded(0), rounded(1), rounded(2)), true);
  }
  main.real = real;
}

void setTransition(clsStore& store, int k, const model::tValue& transition) {
  if (!validColour(k)) return;
  mainColour(store, k).transition =
      modGeneral::toClampedInteger(transition, 0, 20);
}

void setRainbow(clsStore& store, int set, const model::tValue& flag) {
  if (set < 1 || set > 2) return;
  modStore::writeSlot(store, slot::kRainbow1 + set - 1, flagOf(flag));
}

void setMoreInfo(clsStore& store, int set, std::string_view text) {
  if (set < 1 || set > 2) return;
  modStore::writeSlot(store, slot::kMoreInfo1 + set - 1, std::string(text));
}

materials::clsColourPool buildPool(const clsStore& store, int element) {
  if (element == 0) element = store.activeElement;
  const clsColourSet& set = colourSetOf(store, element);
  materials::clsColourPool pool;
  for (int k = 1; k <= 6; ++k) {
    const clsMainColour& from = set.colours[static_cast<std::size_t>(k - 1)];
    const clsMainColour& to = set.colours[static_cast<std::size_t>(successor(k) - 1)];
    const auto n = static_cast<std::int16_t>(from.transition + 1);
    for (std::int16_t i = 0; i < n; ++i) {
      pool.real.push_back(modColour::getTransitColor(from.real, to.real, i, n));
      pool.ambient.push_back(modColour::getTransitColor(from.ambient, to.ambient, i, n));
      pool.diffuse.push_back(modColour::getTransitColor(from.diffuse, to.diffuse, i, n));
      pool.specular.push_back(modColour::getTransitColor(from.specular, to.specular, i, n));
    }
  }
  return pool;
}

materials::clsMaterialTable reportStartEnd(const clsStore& store) {
  materials::clsMaterialTable table;
  std::int16_t counter = 0;
  for (int e = 1; e <= model::kElementCount; ++e) {
    const clsColourSet& set = colourSetOf(store, e);
    for (std::size_t k = 0; k < 6; ++k) {
      auto& entry = table.entries[static_cast<std::size_t>(e - 1)][k];
      entry[0] = ++counter;
      counter = static_cast<std::int16_t>(counter + set.colours[k].transition);
      entry[1] = counter;
    }
  }
  return table;
}

bool rainbow(const clsStore& store, int element, int set) {
  return modGeneral::toInteger(modStore::readElementSlot(store, element, slot::kRainbow1 + set - 1)) != 0;
}

std::string moreInfo(const clsStore& store, int element, int set) {
  return modGeneral::toText(modStore::readElementSlot(store, element, slot::kMoreInfo1 + set - 1));
}

std::string defaultColourText() {
  static constexpr std::string_view kGrass =
      " 0 0 17408 15360 17920 2 24320 15360 17920 2 17408 15360 17920 0 17408 15360 17920 0 17408 15360 17920 0 "
      "17408 15360 17920 0 <empty> <empty>\r\n";
  static constexpr std::string_view kRock =
      " 0 0 6583098 3932160 16777215 4 8700096 3932160 16777215 2 3687821 3932160 16777215 0 "
      "8683520 3932160 16777215 0 8683520 3932160 16777215 0 8683520 3932160 16777215 0 <empty> <empty>\r\n";
  std::string text;
  for (int e = 1; e <= model::kElementCount; ++e)
    text += "Material " + std::to_string(e) + std::string(model::isRock(e) ? kRock : kGrass);
  return text;
}

int readColorText(clsStore& store, std::string_view text) {
  materials::clsMaterialRecords records(store);
  int applied = 0;
  for (std::string_view line : modText::splitLines(text)) {
    const model::tFields fields = modText::splitFields(line);
    if (fields.size() < 2) continue;
    if (records.fromTextSettings(modText::lowerAscii(fields[0]), fields) == model::RecordStatus::Applied) ++applied;
  }
  return applied;
}

void resetColours(clsStore& store) {
  setMoreInfo(store, 1, "");
  setMoreInfo(store, 2, "");
  readColorText(store, defaultColourText());
}

void restoreStoredColours(clsStore& store, platform::IUserStore& userStore) {
  // The built-in palettes first: an element the stored copy lacks (a first start, a damaged copy)
  // keeps them rather than black ones.
  readColorText(store, defaultColourText());
  const std::optional<std::string> stored = userStore.value(std::string(materials::kStoredColoursKey));
  if (!stored) return;
  materials::clsMaterialRecords records(store);
  for (std::string_view line : modText::splitLines(*stored)) {
    const model::tFields fields = modText::splitFields(line);
    if (fields.size() < 2 || modText::lowerAscii(fields[0]) != "material") continue;
    // A record for an element that does not exist (0, -3, 99) belongs to no palette: it is
    // ignored here, where settings text would clamp it onto element 1 or 11.
    const model::tValue index = std::string(fields[1]);
    const double element = modGeneral::toSingle(index);
    if (!modGeneral::isNumeric(index) || element != std::floor(element) || element < 1 ||
        element > model::kElementCount)
      continue;
    records.fromTextSettings("material", fields);
  }
}

void storeColours(const clsStore& store, platform::IUserStore& userStore) {
  userStore.setValue(std::string(materials::kStoredColoursKey), materials::materialLines(store));
}

}  // namespace modPalette
