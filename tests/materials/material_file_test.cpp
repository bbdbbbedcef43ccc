#include "materials/mtl_file.h"

#include <gtest/gtest.h>
#include <tiny_obj_loader.h>

#include <sstream>

#include "fakes/fake_platform.h"
#include "document/creation_run.h"
#include "document/save_buttons.h"
#include "document/settings_files.h"
#include "document/startup.h"
#include "materials/palette.h"

namespace {

class MaterialFile : public ::testing::Test {
 protected:
  MaterialFile() { modStartup::startDocument(document, fake.platform); }
  model::clsStore& store() { return document.project.store; }
  std::string text() { return modMaterialFile::toText(store(), 1, modMaterialFile::prefixesFor("meadow")); }
  bool apply(const std::string& settings) { return modSettingsFiles::applyUserText(document, settings, fake.platform); }

  fakes::FakePlatform fake;
  document::clsDocument document{fake.platform};
};

std::vector<tinyobj::material_t> readMaterials(const std::string& text, std::string& warning, std::string& error) {
  std::map<std::string, int> names;
  std::vector<tinyobj::material_t> materials;
  std::istringstream in(text);
  tinyobj::LoadMtl(&names, &materials, &in, &warning, &error);
  return materials;
}

}  // namespace

TEST_F(MaterialFile, DefaultPalettesGiveOneHundredEighteenMaterials) {
  const std::string mtl = text();
  EXPECT_EQ(mtl.rfind("newmtl meadow1\r\nKd 0 0.2666667 0\r\nKa 0 0.2352941 0\r\nKs 0 0.2745098 0\r\n\r\n\r\n"
                      "newmtl meadow2\r\nKd 0 0.3019608 0\r\n",
                      0),
            0u);
  std::string warning, error;
  const auto materials = readMaterials(mtl, warning, error);
  ASSERT_EQ(materials.size(), 118u);
  EXPECT_EQ(error, "");
  EXPECT_EQ(materials[69].name, "meadow70");
  EXPECT_EQ(materials[70].name, "meadow_rock71");
  EXPECT_EQ(materials[117].name, "meadow_rock118");

  const materials::clsMaterialTable table = modPalette::reportStartEnd(store());
  std::size_t m = 0;
  for (int e = 1; e <= 11; ++e) {
    const materials::clsColourPool pool = modPalette::buildPool(store(), e);
    ASSERT_EQ(table.at(e, 1, 1), static_cast<int>(m) + 1);  // the table and the file count alike
    for (std::size_t j = 0; j < pool.size(); ++j, ++m) {
      const auto kd = modColour::getRGB(pool.diffuse[j]), ka = modColour::getRGB(pool.ambient[j]),
                 ks = modColour::getRGB(pool.specular[j]);
      for (std::size_t c = 0; c < 3; ++c) {
        EXPECT_NEAR(materials[m].diffuse[c], kd[c] / 255.0, 1e-6);
        EXPECT_NEAR(materials[m].ambient[c], ka[c] / 255.0, 1e-6);
        EXPECT_NEAR(materials[m].specular[c], ks[c] / 255.0, 1e-6);
      }
    }
  }
}

TEST_F(MaterialFile, MoreInfoFollowsTheMaterialsOfItsSetOnly) {
  ASSERT_TRUE(apply("Material 1 0 1 17408 15360 17920 2 24320 15360 17920 2 17408 15360 17920 0 17408 15360 17920 0 "
                    "17408 15360 17920 0 17408 15360 16777216 0 d<sp>1<p>Ns<sp>10 <empty>\r\n"));
  EXPECT_TRUE(modPalette::rainbow(store(), 1, 2));
  EXPECT_EQ(modPalette::moreInfo(store(), 1, 1), "d 1\r\nNs 10");
  const std::string mtl = text();
  for (int m = 1; m <= 7; ++m) {
    const std::size_t at = mtl.find("newmtl meadow" + std::to_string(m) + "\r\n");
    const std::size_t ks = mtl.find("Ks ", at);
    EXPECT_EQ(mtl.substr(mtl.find("\r\n", ks) + 2, 17), "d 1\r\nNs 10\r\n\r\nnew") << m;
  }
  const std::size_t eighth = mtl.find("newmtl meadow8\r\n");
  EXPECT_EQ(mtl.substr(mtl.find("\r\n", mtl.find("Ks ", eighth)) + 2, 7), "\r\n\r\nnew");
  EXPECT_NE(mtl.find("newmtl meadow10\r\nKd 0 0.2666667 0\r\nKa 0 0.2352941 0\r\nKs 0 0 1.003922\r\n"), std::string::npos);
}

TEST_F(MaterialFile, RecordsRoundTripAndClamp) {
  ASSERT_TRUE(apply("MATERIAL 0 5 -1 1 2 3 25 1 2 3 0 1 2 3 0 1 2 3 0 1 2 3 0 1 2 3 0 d<sp>0.5 <empty>\r\n"));
  const std::string settings = modSettingsFiles::settingsText(document);
  EXPECT_NE(settings.find("Material 1 1 0 1 2 3 20 1 2 3 0 1 2 3 0 1 2 3 0 1 2 3 0 1 2 3 0 d<sp>0.5 <empty>\r\n"),
            std::string::npos);
  EXPECT_NE(settings.find("Material 2 0 0 17408 15360 17920 2 24320 "), std::string::npos);
  ASSERT_TRUE(apply(settings));
  EXPECT_EQ(modSettingsFiles::settingsText(document), settings);
  EXPECT_FALSE(apply("Material 1 0 0 1 2 3\r\n"));
  EXPECT_EQ(fake.messages.shown.back(), "An error occurred in the settings file:\n\nLine 1 at \"material\".");
}

TEST_F(MaterialFile, SavingColorsAndTheRunStopOnAFailure) {
  modCreateDialog::setFileName(document.project.dialog, "out/Meadow.OBJ");
  ASSERT_EQ(modSaveButtons::saveColors(document, fake.platform), modSaveButtons::SaveOutcome::Saved);
  EXPECT_EQ(fake.files.files.at("out/Meadow.mtl").rfind("newmtl Meadow1\r\n", 0), 0u);
  EXPECT_EQ(fake.status.last(), "Quenmoor Grass - Save materials done");
  fake.messages.answer = false;
  EXPECT_EQ(modSaveButtons::saveColors(document, fake.platform), modSaveButtons::SaveOutcome::NameRefused);
  EXPECT_EQ(fake.messages.asked.back(),
            "A file with the same name (Meadow.mtl) already exists.\nDo you want to overwrite the existing file?");

  fake.files.files.clear();
  fake.files.refuseOpen.insert("locked/field.mtl");
  modCreateDialog::setFileName(document.project.dialog, "locked/field");
  model::clsRandom random(1);
  generation::clsCreation creation{fake.platform, random};
  EXPECT_EQ(modCreationRun::runCreation(document, creation).outcome, document::RunOutcome::FilesRefused);
  EXPECT_EQ(fake.messages.shown.back(),
            "Creating the file locked/field.mtl has failed.\nPermission denied\nNothing was written.");
  EXPECT_EQ(fake.status.last(), "Quenmoor Grass - Creating grass object failed.");
  EXPECT_TRUE(fake.files.files.empty());

  // A disk that fills up half-way leaves the old file as it was, and no fragment beside it.
  fake.files.refuseOpen.clear();
  fake.files.files["full/field.mtl"] = "old materials";
  fake.files.capacity = 4000;
  modCreateDialog::setFileName(document.project.dialog, "full/field");
  fake.messages.answer = true;
  EXPECT_EQ(modSaveButtons::saveColors(document, fake.platform), modSaveButtons::SaveOutcome::Failed);
  EXPECT_EQ(fake.files.files, (std::map<std::string, std::string>{{"full/field.mtl", "old materials"}}));
  EXPECT_EQ(fake.messages.shown.back(),
            "An error occurred while writing the material file.\nfull/field.mtl: No space left on device");
}
