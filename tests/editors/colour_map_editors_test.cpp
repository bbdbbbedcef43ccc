// The colour, coverage and altitude editors as their models see them.

#include <gtest/gtest.h>

#include "document/save_buttons.h"
#include "document/settings_files.h"
#include "editors/frm_alpha.h"
#include "editors/frm_color.h"
#include "editors/frm_create.h"
#include "fakes/fake_platform.h"
#include "materials/mtl_file.h"
#include "model/value_functions.h"

using namespace editors;

namespace {

class ColourAndMaps : public ::testing::Test {
 protected:
  ColourAndMaps() {
    fake.pictures.pictures.emplace("wide.png", fakes::FakePicture(400, 150, 16777215));
    fake.pictures.pictures.emplace("small.png", fakes::FakePicture(50, 40, 255));
  }
  std::string settings() { return modSettingsFiles::settingsText(session.document); }

  fakes::FakePlatform fake;
  fakes::FakeDialogs dialogs;
  clsSession session{fake.platform, dialogs.dialogs, 1};
  frmCreate create{session};
  frmColor colour{session, create};
  frmAlpha alpha{session};
  frmBump bump{session};
};

}  // namespace

TEST_F(ColourAndMaps, ChoosingColoursFollowsTheRealColourRules) {
  const std::string before = settings();
  dialogs.colour = -1;
  EXPECT_FALSE(colour.choose(Swatch::Diffuse, 1));
  EXPECT_EQ(settings(), before);
  EXPECT_TRUE(session.history.undo.empty());
  // Real (0, 50, 0) is darker than ambient (0, 60, 0): it turns white, diffuse stays.
  const std::int32_t diffuse = colour.swatch(Swatch::Diffuse, 1), real = colour.swatch(Swatch::Real, 1);
  dialogs.colour = editors::rgb(0, 50, 0);
  EXPECT_TRUE(colour.choose(Swatch::Real, 1));
  EXPECT_EQ(dialogs.colourPrompts.back(),
            "Current ambient: R = 0,  G = 60,  B = 0.   Choose a brighter color for real.");
  EXPECT_EQ(dialogs.colourStarts.back(), real);  // the chooser starts from the swatch's colour
  EXPECT_EQ(colour.swatch(Swatch::Real, 1), 16777215);
  EXPECT_EQ(colour.swatch(Swatch::Diffuse, 1), diffuse);
}

TEST_F(ColourAndMaps, SetAllAndThePool) {
  colour.setAll(5);  // R=A: real is ambient, diffuse black, in every pool column
  const materials::clsColourPool pool = modPalette::buildPool(session.store(), 0);
  for (std::size_t j = 0; j < pool.size(); ++j) {
    EXPECT_EQ(pool.diffuse[j], 0) << j;
    EXPECT_EQ(pool.real[j], pool.ambient[j]) << j;
  }
  colour.resetColours();
  colour.setTransition(6, 3);  // something to copy over
  const auto firstOf = [&](Swatch s) { return colour.swatch(s, 1); };
  const std::array<std::int32_t, 4> first = {firstOf(Swatch::Real), firstOf(Swatch::Ambient), firstOf(Swatch::Diffuse),
                                             firstOf(Swatch::Specular)};
  for (int index = 0; index <= 4; ++index) colour.setAll(index);
  for (int k = 1; k <= 6; ++k) {
    EXPECT_EQ(colour.swatch(Swatch::Diffuse, k), first[2]) << k;
    EXPECT_EQ(colour.swatch(Swatch::Ambient, k), first[1]) << k;
    EXPECT_EQ(colour.transition(k), 2) << k;
  }
  EXPECT_EQ(colour.swatch(Swatch::Real, 1), first[0]);

  colour.resetColours();
  EXPECT_EQ(colour.poolTip().rfind("Pool of 10 colors--top to bottom: approximately real color", 0), 0u);
  colour.setTransition(1, 5);
  EXPECT_EQ(colour.poolTip().rfind("Pool of 13 colors", 0), 0u);
  const clsDrawing strip = colour.pool(130, 100);
  ASSERT_EQ(strip.items.size(), 13u * 4);
  EXPECT_FLOAT_EQ(strip.items[4].x1, 10);  // the second column
  EXPECT_FLOAT_EQ(strip.items[2].y1, 60);  // the diffuse band under real 30 and ambient 30
}

TEST_F(ColourAndMaps, ResetPasteMoreInfoAndSave) {
  colour.setActiveElement(3);
  colour.applyMoreInfo(1, "d 0.5\nNs 10");
  EXPECT_EQ(modPalette::moreInfo(session.store(), 3, 1), "d 0.5\r\nNs 10");
  colour.setTransition(2, 9);
  colour.paste();  // no Copy yet: from element 1
  EXPECT_EQ(colour.transition(2), 2);
  EXPECT_EQ(colour.moreInfo(1), "");
  colour.setActiveElement(9);
  colour.setTransition(1, 0);
  colour.setActiveElement(3);
  colour.resetColours();
  EXPECT_EQ(modPalette::buildPool(session.store(), 9).size(), 12u);
  EXPECT_EQ(colour.moreInfo(1), "");

  modCreateDialog::setFileName(session.project().dialog, "out/field");
  EXPECT_TRUE(colour.save());
  EXPECT_EQ(fake.files.files.at("out/field.mtl"),
            modMaterialFile::toText(session.store(), 1, modMaterialFile::prefixesFor("field")));
}

TEST_F(ColourAndMaps, CoverageBoxesPicksAndScrolling) {
  alpha.applyItemCount("1000001");
  EXPECT_EQ(alpha.itemCountText(), "1000000");
  alpha.applyItemCount("abc");
  EXPECT_EQ(alpha.itemCountText(), "1");
  alpha.setFrameSize(300, 200);
  alpha.loadFile("wide.png");
  EXPECT_EQ(alpha.fileNameText(), "wide.png");
  clsPictureArea area = alpha.area();
  EXPECT_TRUE(area.horizontal.enabled);
  EXPECT_EQ(area.horizontal.maximum, 100);
  EXPECT_EQ(area.horizontal.smallChange, 5);
  EXPECT_EQ(area.horizontal.largeChange, 20);
  EXPECT_FALSE(area.vertical.enabled);
  EXPECT_EQ(area.tip, "400x150 - fennets grow on areas of light color or picked color.");
  alpha.pickAt(10, 10);
  EXPECT_EQ(alpha.pickColour(), 16777215);
  EXPECT_EQ(alpha.pickCaption(), "");
  alpha.clearPick();
  EXPECT_EQ(alpha.pickCaption(), "No pick");
  alpha.scrollTo(true, 60);
  alpha.setActiveElement(2);
  alpha.loadFile("small.png");
  EXPECT_FALSE(alpha.area().horizontal.enabled);
  EXPECT_FALSE(alpha.area().vertical.enabled);
  EXPECT_EQ(alpha.scrollX(), 0);
  alpha.setActiveElement(1);
  EXPECT_EQ(alpha.scrollX(), 60);

  alpha.circle();
  EXPECT_EQ(modGeneral::toInteger(modStore::readSlot(session.store(), 35)), 1);
  alpha.loadFile("wide.png");
  EXPECT_EQ(modGeneral::toInteger(modStore::readSlot(session.store(), 35)), 0);
  // Paste reads the copy source's file again: gone, it is told.
  alpha.copy();
  fake.pictures.pictures.erase("wide.png");
  alpha.setActiveElement(4);
  alpha.paste();
  EXPECT_EQ(fake.messages.shown.back(),
            "Cannot read the file \"wide.png\".\nPerhaps due to its format, missing location, or other reasons.\n"
            "cannot read wide.png");
  EXPECT_EQ(alpha.fileNameText(), "wide.png");
}

TEST_F(ColourAndMaps, AltitudeValuesAndRecordsThatPickTheElement) {
  bump.applyMaxHeight("-5");
  EXPECT_EQ(bump.maxHeightText(), "-5");
  bump.setFrameSize(300, 200);
  bump.clear();
  const clsPictureArea area = bump.area();
  EXPECT_TRUE(area.blank);
  EXPECT_EQ(area.width, 300);
  EXPECT_FALSE(area.horizontal.enabled || area.vertical.enabled);
  bump.loadFile("small.png");
  bump.setUseSpace(true);
  bump.copy();
  bump.setActiveElement(6);
  bump.paste();
  EXPECT_EQ(bump.fileNameText(), "small.png");
  EXPECT_EQ(bump.maxHeightText(), "-5");
  EXPECT_TRUE(bump.useSpace());
  EXPECT_TRUE(session.project().pictures.altitude[5]);

  std::string note;
  ASSERT_TRUE(modSettings::applySettingsText(session.document.registry(), "Alpha 4 10 10 50 <empty> 0 -1\r\n",
                                             fake.messages, note));
  EXPECT_EQ(session.store().activeElement, 4);
  ASSERT_TRUE(modSettings::applySettingsText(session.document.registry(), "Bump 9 10 0 <empty>\r\n", fake.messages, note));
  EXPECT_EQ(session.store().activeElement, 9);
}

TEST_F(ColourAndMaps, WhatADropDoes) {
  fake.files.folders = {"maps", "odd.grass"};
  struct clsCase { std::vector<std::string> paths; bool onFrame; DropAction action; std::string path; };
  for (const clsCase& c : std::vector<clsCase>{
           {{"a.grass"}, false, DropAction::OpenSettings, "a.grass"},
           {{"wide.png", "B.GRASS"}, true, DropAction::OpenSettings, "B.GRASS"},  // a frame too: the design opens
           {{"wide.png"}, true, DropAction::LoadPicture, "wide.png"},
           {{"wide.png"}, false, DropAction::Refuse, ""},
           {{"maps"}, true, DropAction::Refuse, ""},  // a folder: the picture stays
           {{"odd.grass"}, false, DropAction::Refuse, ""},
           {{}, true, DropAction::Refuse, ""},
       }) {
    const clsDrop drop = modDropRules::whatDropDoes(c.paths, c.onFrame, fake.files);
    EXPECT_EQ(drop.action, c.action) << c.paths.size() << c.onFrame;
    EXPECT_EQ(drop.path, c.path);
  }
  EXPECT_EQ(alpha.dropOf({"wide.png"}).action, DropAction::LoadPicture);
}

// A large picture read again (Paste, a pasted settings text naming it) is the one already held:
// the history keeps every step, and a picture changed on disk is read anew.
TEST_F(ColourAndMaps, APictureReadAgainIsHeldOnce) {
  fake.pictures.pictures.emplace("big.png", fakes::FakePicture(10000, 10000, 8421504));
  fake.files.files["big.png"] = "big picture";
  alpha.applyCover(0, "12");
  bump.loadFile("big.png");
  const generation::tPicture big = session.project().pictures.altitude[0];
  bump.paste();
  EXPECT_EQ(session.project().pictures.altitude[0], big);
  EXPECT_EQ(session.history.undo.size(), 2u);  // the X edit and the load
  std::string note;
  for (int e = 1; e <= model::kElementCount; ++e)
    session.edit([&] {
      modSettings::applySettingsText(session.document.registry(), "Bump " + std::to_string(e) + " 10 0 big.png\r\n",
                                     fake.messages, note);
    });
  for (const auto& picture : session.project().pictures.altitude) EXPECT_EQ(picture, big);
  EXPECT_EQ(modUndo::historyPictureBytes(session.history, session.project()), 0u);
  ASSERT_TRUE(session.undo());
  ASSERT_TRUE(session.redo());

  // Changed on disk: read anew.
  fake.files.files["big.png"] = "another picture";
  bump.setActiveElement(1);
  const std::size_t steps = session.history.undo.size();
  bump.loadFile("big.png");
  EXPECT_NE(session.project().pictures.altitude[0], big);
  EXPECT_EQ(session.history.undo.size(), steps + 1);
  // Its last users cleared in one edit: that step is the newest and stays, though its picture
  // alone is over the limit; the older ones go.
  session.edit([&] {
    for (int e = 2; e <= model::kElementCount; ++e)
      modSettings::applySettingsText(session.document.registry(), "Bump " + std::to_string(e) + " 10 0 <empty>\r\n",
                                     fake.messages, note);
  });
  EXPECT_EQ(session.history.undo.size(), 1u);
  ASSERT_TRUE(session.undo());
  EXPECT_EQ(session.project().pictures.altitude[1], big);
}
