#include "materials/palette.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"

using namespace modPalette;
using modColour::getRGB;

namespace {

class Palette : public ::testing::Test {
 protected:
  // With nothing stored the built-in palettes, as at the program's first start.
  Palette() { restored(store_); }
  void restored(model::clsStore& into) {
    loadPalettes(into);
    restoreStoredColours(into, userStore);
  }
  model::clsStore& store() { return store_; }
  const materials::clsMainColour& colour(int element, int k) {
    return colourSetOf(store(), element).colours[static_cast<std::size_t>(k - 1)];
  }

  fakes::FakeUserStore userStore;
  model::clsStore store_ = modStore::newStore();
};

}  // namespace

TEST(ColourMath, PackingAndTransits) {
  EXPECT_EQ(modColour::getTransitColor1(0, 5, 1, 2), 2);  // 2.5 rounds to even
  EXPECT_EQ(modColour::getTransitColor1(0, 7, 1, 2), 4);
  EXPECT_EQ(modColour::getTransitColor1(10, 0, 1, 3), 7);
  EXPECT_EQ(modColour::getTransitColor1(33, 200, 0, 1), 33);
  EXPECT_EQ(getRGB(modColour::addColors(modColour::packColour(200, 100, 0), modColour::packColour(100, 100, 100))),
            (std::array<std::int16_t, 3>{255, 200, 100}));
  EXPECT_EQ(getRGB(16777216), (std::array<std::int16_t, 3>{0, 0, 256}));
  EXPECT_EQ(getRGB(0x123456), (std::array<std::int16_t, 3>{0x56, 0x34, 0x12}));
  EXPECT_FLOAT_EQ(modColour::getRGB1(16777216)[2], 256.0f / 255);
}

TEST_F(Palette, TransitionsMakeThePool) {
  // The default pools' colours are pinned by tests/golden/field.mtl.
  modStore::setActiveElement(store(), 3);
  for (int k = 1; k <= 6; ++k) setTransition(store(), k, 0);
  EXPECT_EQ(buildPool(store(), 0).size(), 6u);
  setTransition(store(), 1, 25);
  EXPECT_EQ(colour(3, 1).transition, 20);
}

TEST_F(Palette, RealColourRules) {
  modStore::setActiveElement(store(), 2);
  const modColour::tColour ambient = colour(2, 1).ambient;  // (0, 60, 0)
  const modColour::tColour diffuse = colour(2, 1).diffuse;
  setReal(store(), 1, modColour::packColour(0, 50, 0), false);
  EXPECT_EQ(colour(2, 1).real, modColour::kWhite);
  EXPECT_EQ(colour(2, 1).diffuse, diffuse);

  setReal(store(), 1, modColour::packColour(10, 100, 20), false);
  EXPECT_EQ(colour(2, 1).diffuse, modColour::packColour(10, 40, 20));
  setDiffuse(store(), 1, modColour::packColour(0, 10, 0), false);
  EXPECT_EQ(colour(2, 1).real, modColour::packColour(0, 70, 0));
  setAmbient(store(), 1, modColour::packColour(0, 90, 0), false);  // brighter than the real colour
  EXPECT_EQ(colour(2, 1).real, modColour::kWhite);
  EXPECT_EQ(colour(2, 1).diffuse, modColour::packColour(0, 10, 0));
  setAmbient(store(), 1, ambient, false);
  setSpecular(store(), 7, 5);  // no main colour 7: nothing
}

TEST_F(Palette, ResetRestoresEveryElement) {
  modStore::setActiveElement(store(), 4);
  setMoreInfo(store(), 1, "d 1");
  modStore::setActiveElement(store(), 9);
  setDiffuse(store(), 2, 123, false);
  setRainbow(store(), 2, 1);
  setMoreInfo(store(), 2, "Ns 10");
  resetColours(store());
  EXPECT_EQ(colour(9, 2).diffuse, 8700096);
  EXPECT_FALSE(rainbow(store(), 9, 2));
  EXPECT_EQ(moreInfo(store(), 9, 2), "");
  EXPECT_EQ(moreInfo(store(), 4, 1), "");
}

TEST_F(Palette, StoredCopyComesBackAndAFirstStartIsNotBlack) {
  EXPECT_EQ(colour(1, 1).diffuse, 17408);  // nothing stored: the built-in palettes
  modStore::setActiveElement(store(), 5);
  setDiffuse(store(), 3, modColour::packColour(1, 2, 3), false);
  setMoreInfo(store(), 2, "d 0.5\r\nNs 10");
  storeColours(store(), userStore);
  model::clsStore next = modStore::newStore();
  restored(next);
  EXPECT_EQ(colourSetOf(next, 5).colours[2].diffuse, modColour::packColour(1, 2, 3));
  EXPECT_EQ(moreInfo(next, 5, 2), "d 0.5\r\nNs 10");

  userStore.values["colorsettings"] = "nothing of use";
  model::clsStore damaged = modStore::newStore();
  restored(damaged);
  EXPECT_EQ(colourSetOf(damaged, 8).colours[0].diffuse, 6583098);

  // A copy with a record for element 2 only, and records for elements that do not exist: the
  // others keep their defaults, elements 1 and 11 are not overwritten, and that is what is saved.
  const std::string tail = " 0 0 1 2 3 0 1 2 3 0 1 2 3 0 1 2 3 0 1 2 3 0 1 2 3 0 <empty> <empty>\r\n";
  userStore.values["colorsettings"] = "Material 2" + tail + "Material 99" + tail + "Material -3" + tail +
                                      "Material 0" + tail + "Material 1.5" + tail;
  model::clsStore partial = modStore::newStore();
  restored(partial);
  EXPECT_EQ(colourSetOf(partial, 2).colours[0].diffuse, 1);
  EXPECT_EQ(colourSetOf(partial, 1).colours[0].diffuse, 17408);
  EXPECT_EQ(colourSetOf(partial, 11).colours[0].diffuse, 6583098);
  storeColours(partial, userStore);
  EXPECT_NE(userStore.values.at("colorsettings").find("Material 7 0 0 17408 15360 17920 2"), std::string::npos);
}
