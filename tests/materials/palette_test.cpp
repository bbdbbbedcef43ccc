#include "materials/palette.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"
#include "document/settings_files.h"
#include "document/startup.h"

using namespace modPalette;
using modColour::getRGB;

namespace {

class Palette : public ::testing::Test {
 protected:
  Palette() { modStartup::startDocument(document, fake.platform); }
  model::clsStore& store() { return document.project.store; }
  const materials::clsMainColour& colour(int element, int k) {
    return colourSetOf(store(), element).colours[static_cast<std::size_t>(k - 1)];
  }
  std::vector<int> greens(const std::vector<modColour::tColour>& colours, std::size_t from, std::size_t count) {
    std::vector<int> result;
    for (std::size_t i = from; i < from + count; ++i) result.push_back(getRGB(colours[i])[1]);
    return result;
  }

  fakes::FakePlatform fake;
  document::clsDocument document{fake.platform};
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

TEST_F(Palette, DefaultNumbering) {
  const materials::clsMaterialTable table = reportStartEnd(store());
  EXPECT_EQ(table.at(1, 1, 1), 1);
  EXPECT_EQ(table.at(1, 6, 2), 10);
  EXPECT_EQ(table.at(1, 3, 2), 7);
  EXPECT_EQ(table.at(1, 4, 1), 8);
  EXPECT_EQ(table.at(7, 6, 2), 70);
  EXPECT_EQ(table.at(8, 1, 1), 71);
  EXPECT_EQ(table.at(8, 1, 2), 75);
  EXPECT_EQ(table.at(8, 6, 2), 82);
  EXPECT_EQ(table.at(11, 6, 2), 118);
}

TEST_F(Palette, DefaultGrassPoolRunsThroughItsGreens) {
  const materials::clsColourPool pool = buildPool(store(), 1);
  ASSERT_EQ(pool.size(), 10u);
  EXPECT_EQ(greens(pool.diffuse, 0, 7), (std::vector<int>{68, 77, 86, 95, 86, 77, 68}));
  EXPECT_EQ(greens(pool.diffuse, 7, 3), (std::vector<int>{68, 68, 68}));
  EXPECT_EQ(greens(pool.ambient, 0, 10), std::vector<int>(10, 60));
  EXPECT_EQ(greens(pool.real, 0, 7), (std::vector<int>{128, 137, 146, 155, 146, 137, 128}));
  EXPECT_EQ(buildPool(store(), 9).size(), 12u);

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
  modStartup::closeDocument(document, fake.platform);
  ASSERT_EQ(fake.userStore.values.count("colorsettings"), 1u);

  document::clsDocument next{fake.platform};
  modStartup::startDocument(next, fake.platform);
  EXPECT_EQ(colourSetOf(next.project.store, 5).colours[2].diffuse, modColour::packColour(1, 2, 3));
  EXPECT_EQ(moreInfo(next.project.store, 5, 2), "d 0.5\r\nNs 10");

  EXPECT_EQ(fake.userStore.values.at("objectlength"), "1");  // a first start: the lowest limit
  EXPECT_EQ(fake.userStore.values.at("helptip"), "0");
  EXPECT_EQ(fake.userStore.values.at("initdirectory"), "");  // no file chosen this time

  modCreateDialog::setDiskSpace(next.session, 250);
  modStartup::noteChosenFile(next, "/home/me/fields/meadow.grass");
  modStartup::closeDocument(next, fake.platform);
  document::clsDocument third{fake.platform};
  modStartup::startDocument(third, fake.platform);
  EXPECT_EQ(third.session.diskLimitMB, 250);
  EXPECT_EQ(third.session.initialFolder, "/home/me/fields/");

  fake.userStore.values["colorsettings"] = "nothing of use";
  document::clsDocument damaged{fake.platform};
  modStartup::startDocument(damaged, fake.platform);
  EXPECT_EQ(colourSetOf(damaged.project.store, 8).colours[0].diffuse, 6583098);

  // A copy with a record for element 2 only, and records for elements that do not exist: the
  // others keep their defaults, elements 1 and 11 are not overwritten, and that is what is saved.
  const std::string tail = " 0 0 1 2 3 0 1 2 3 0 1 2 3 0 1 2 3 0 1 2 3 0 1 2 3 0 <empty> <empty>\r\n";
  fake.userStore.values["colorsettings"] = "Material 2" + tail + "Material 99" + tail + "Material -3" + tail +
                                           "Material 0" + tail + "Material 1.5" + tail;
  document::clsDocument partial{fake.platform};
  modStartup::startDocument(partial, fake.platform);
  EXPECT_EQ(colourSetOf(partial.project.store, 2).colours[0].diffuse, 1);
  EXPECT_EQ(colourSetOf(partial.project.store, 1).colours[0].diffuse, 17408);
  EXPECT_EQ(colourSetOf(partial.project.store, 11).colours[0].diffuse, 6583098);
  modStartup::closeDocument(partial, fake.platform);
  EXPECT_NE(fake.userStore.values.at("colorsettings").find("Material 7 0 0 17408 15360 17920 2"), std::string::npos);
  EXPECT_TRUE(fake.messages.shown.empty());
  fake.userStore.full = true;
  modStartup::closeDocument(partial, fake.platform);
  EXPECT_EQ(fake.messages.shown, std::vector<std::string>{std::string(modStartup::kStoreFailedMessage)});
}
