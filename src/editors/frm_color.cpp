#include "editors/frm_color.h"

#include "editors/frm_create.h"
#include "materials/colour_math.h"
#include "model/text_fields.h"
#include "model/value_functions.h"

namespace editors {

const materials::clsMainColour& frmColor::colour(int k) const {
  return modPalette::colourSetOf(session_.store(), session_.store().activeElement).colours[static_cast<std::size_t>(k - 1)];
}

std::int32_t frmColor::swatch(Swatch which, int k) const {
  const materials::clsMainColour& c = colour(k);
  switch (which) {
    case Swatch::Real: return c.real;
    case Swatch::Ambient: return c.ambient;
    case Swatch::Diffuse: return c.diffuse;
    case Swatch::Specular: return c.specular;
  }
  return 0;
}

int frmColor::transition(int k) const { return colour(k).transition; }

bool frmColor::rainbow(int set) const { return modPalette::rainbow(session_.store(), session_.store().activeElement, set); }

std::string frmColor::moreInfo(int set) const {
  return modText::replaceAll(modPalette::moreInfo(session_.store(), session_.store().activeElement, set), modText::kLineBreak, "\n");
}

std::string frmColor::swatchTip(Swatch which) const {
  switch (which) {
    case Swatch::Real: return tip("The approximate real color in white-light rendering. Must be greater than ambient.");
    case Swatch::Ambient: return tip("Ambient color, which is a minimum color an object glows in total darkness.");
    case Swatch::Diffuse: return tip("Diffuse color");
    case Swatch::Specular: return tip("Specular color");
  }
  return "";
}

std::string frmColor::setAllTip(int index) const {
  static constexpr std::array<const char*, 8> kTips = {
      "Set all diffuse colors to the first diffuse.",         "Set all ambient colors to the first ambient.",
      "Set all specular colors to the first specular.",       "Set all real colors to the first real.",
      "Set all transition numbers to the first transition number.", "Set all real colors to respective ambient colors.",
      "Set all ambient colors to respective real colors.",    "Set all specular colors to respective real colors."};
  return tip(kTips[static_cast<std::size_t>(index)]);
}

std::string frmColor::moreInfoTip(int set) const {
  return tip(set == 1 ? "Add other information, such as transparency value. (This info applies to all 1st colors)."
                      : "Add other information, such as transparency value. (This info applies to all 2nd colors).");
}

clsDrawing frmColor::pool(int width, int height) const {
  const materials::clsColourPool entries = modPalette::buildPool(session_.store(), 0);
  clsDrawing d;
  const auto h = static_cast<float>(height);
  const float real = h / 100 * 30, ambient = h / 100 * 30, diffuse = h / 100 * 20, specular = h / 100 * 20;
  const float w = static_cast<float>(width) / static_cast<float>(entries.size());
  for (std::size_t j = 0; j < entries.size(); ++j) {
    const float x = static_cast<float>(j) * w;
    modDrawing::rect(d, x, 0, w, real, entries.real[j]);
    modDrawing::rect(d, x, real, w, ambient, entries.ambient[j]);
    modDrawing::rect(d, x, real + ambient, w, diffuse, entries.diffuse[j]);
    modDrawing::rect(d, x, real + ambient + diffuse, w, specular, entries.specular[j]);
  }
  return d;
}

std::string frmColor::poolTip() const {
  return "Pool of " + std::to_string(modPalette::buildPool(session_.store(), 0).size()) +
         " colors--top to bottom: approximately real color, ambient, diffuse, and specular.";
}

void frmColor::reset() {
  session_.edit([&] {
    modPalette::setMoreInfo(session_.store(), 1, "");
    modPalette::setMoreInfo(session_.store(), 2, "");
  });
}

bool frmColor::choose(Swatch which, int k) {
  std::string prompt;
  const auto components = [](std::int32_t c) {
    const auto rgb = modColour::getRGB(c);
    return "R = " + std::to_string(rgb[0]) + ",  G = " + std::to_string(rgb[1]) + ",  B = " + std::to_string(rgb[2]);
  };
  switch (which) {
    case Swatch::Real:
      prompt = "Current ambient: " + components(colour(k).ambient) + ".   Choose a brighter color for real.";
      break;
    case Swatch::Ambient:
      prompt = "Current real: " + components(colour(k).real) + ".   Choose a darker color for ambient.";
      break;
    case Swatch::Diffuse: prompt = "Choose diffuse color"; break;
    case Swatch::Specular: prompt = "Choose specular color"; break;
  }
  if (session_.running()) return false;
  const std::int32_t chosen = session_.dialogs.colours.chooseColour(swatch(which, k), prompt);
  if (chosen < 0) return false;
  session_.edit([&] {
    model::clsStore& store = session_.store();
    switch (which) {
      case Swatch::Real: modPalette::setReal(store, k, chosen, false); break;
      case Swatch::Ambient: modPalette::setAmbient(store, k, chosen, false); break;
      case Swatch::Diffuse: modPalette::setDiffuse(store, k, chosen, false); break;
      case Swatch::Specular: modPalette::setSpecular(store, k, chosen); break;
    }
  });
  return true;
}

void frmColor::setTransition(int k, int value) {
  session_.edit([&] { modPalette::setTransition(session_.store(), k, value); });
}

void frmColor::setAll(int index) {
  session_.edit([&] {
    model::clsStore& store = session_.store();
    // The first colour's values, or each colour's own, as they stand before any is changed.
    const materials::clsMainColour first = colour(1);
    std::array<materials::clsMainColour, 6> own{};
    for (int k = 1; k <= 6; ++k) own[static_cast<std::size_t>(k - 1)] = colour(k);
    for (int k = index <= 4 ? 2 : 1; k <= 6; ++k) {
      const materials::clsMainColour& mine = own[static_cast<std::size_t>(k - 1)];
      switch (index) {
        case 0: modPalette::setDiffuse(store, k, first.diffuse, false); break;
        case 1: modPalette::setAmbient(store, k, first.ambient, false); break;
        case 2: modPalette::setSpecular(store, k, first.specular); break;
        case 3: modPalette::setReal(store, k, first.real, false); break;
        case 4: modPalette::setTransition(store, k, first.transition); break;
        case 5: modPalette::setReal(store, k, mine.ambient, false); break;
        case 6: modPalette::setAmbient(store, k, mine.real, false); break;
        case 7: modPalette::setSpecular(store, k, mine.real); break;
        default: break;
      }
    }
  });
}

void frmColor::setRainbow(int set, bool on) {
  session_.edit([&] { modPalette::setRainbow(session_.store(), set, on ? 1 : 0); });
}

void frmColor::applyMoreInfo(int set, const std::string& text) {
  const std::string stored = modText::replaceAll(modText::replaceAll(text, modText::kLineBreak, "\n"), "\n", modText::kLineBreak);
  session_.edit([&] { modPalette::setMoreInfo(session_.store(), set, stored); });
}

void frmColor::showMoreInfoHelp() { session_.platform.messages.showMessage(kMoreInfoHelp); }

void frmColor::resetColours() {
  session_.edit([&] { modPalette::resetColours(session_.store()); });
}

bool frmColor::save() { return create_.saveColors(); }

void frmColor::paste() {
  session_.edit([&] {
    model::clsStore& store = session_.store();
    const int from = copySource_, to = store.activeElement;
    if (from == to) return;
    modPalette::colourSetOf(store, to).colours = modPalette::colourSetOf(store, from).colours;
    for (int s = model::slot::kRainbow1; s <= model::slot::kMoreInfo1 + 1; ++s)
      modStore::writeElementSlot(store, to, s, modStore::readElementSlot(store, from, s));
  });
}

}  // namespace editors
