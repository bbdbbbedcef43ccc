#include "materials/mtl_file.h"

#include <gtest/gtest.h>
#include <tiny_obj_loader.h>

#include <sstream>

#include "fakes/fake_platform.h"
#include "materials/material_records.h"
#include "materials/palette.h"
#include "support/record_line.h"

namespace {

class MaterialFile : public ::testing::Test {
 protected:
  MaterialFile() {
    modPalette::loadPalettes(store_);
    modPalette::restoreStoredColours(store_, userStore);  // nothing stored: the built-in palettes
  }
  model::clsStore& store() { return store_; }
  std::string text() { return modMaterialFile::toText(store(), 1, modMaterialFile::prefixesFor("meadow")); }
  model::RecordStatus apply(std::string_view line) { return support::applyLine(records, line); }

  fakes::FakeUserStore userStore;
  model::clsStore store_ = modStore::newStore();
  materials::clsMaterialRecords records{store_};
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
  std::string warning, error;
  const auto materials = readMaterials(mtl, warning, error);
  ASSERT_EQ(materials.size(), 118u);
  EXPECT_EQ(error, "");

  const materials::clsMaterialTable table = modPalette::reportStartEnd(store());
  std::size_t m = 0;
  // The colours themselves are pinned by tests/golden/field.mtl.
  for (int e = 1; e <= 11; ++e) {
    ASSERT_EQ(table.at(e, 1, 1), static_cast<int>(m) + 1);  // the table and the file count alike
    m += modPalette::buildPool(store(), e).size();
  }
}

TEST_F(MaterialFile, MoreInfoFollowsTheMaterialsOfItsSetOnly) {
  ASSERT_EQ(apply("Material 1 0 1 17408 15360 17920 2 24320 15360 17920 2 17408 15360 17920 0 17408 15360 17920 0 "
                  "17408 15360 17920 0 17408 15360 16777216 0 d<sp>1<p>Ns<sp>10 <empty>"),
            model::RecordStatus::Applied);
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
  ASSERT_EQ(apply("MATERIAL 0 5 -1 1 2 3 25 1 2 3 0 1 2 3 0 1 2 3 0 1 2 3 0 1 2 3 0 d<sp>0.5 <empty>"),
            model::RecordStatus::Applied);
  const std::string settings = records.toTextSettings();
  EXPECT_NE(settings.find("Material 1 1 0 1 2 3 20 1 2 3 0 1 2 3 0 1 2 3 0 1 2 3 0 1 2 3 0 d<sp>0.5 <empty>\r\n"),
            std::string::npos);
  EXPECT_NE(settings.find("Material 2 0 0 17408 15360 17920 2 24320 "), std::string::npos);
  modPalette::resetColours(store());
  ASSERT_EQ(modPalette::readColorText(store(), settings), 11);
  EXPECT_EQ(records.toTextSettings(), settings);
  EXPECT_EQ(apply("Material 1 0 0 1 2 3"), model::RecordStatus::Failed);
}
