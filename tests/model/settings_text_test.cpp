#include "model/settings_text.h"

#include <gtest/gtest.h>

#include <cmath>

#include "fakes/fake_platform.h"
#include "model/text_encoding.h"
#include "model/text_fields.h"
#include "model/usage_records.h"

namespace {

// Stands in for an owner whose record needs many fields, as the curve record does.
class clsCurveLikeOwner final : public model::IRecordOwner {
 public:
  std::string toTextSettings() const override { return "Curve 1 10 10 0 3 3 0 0 1 0 .5 1 .2 .8 1 0 0 0\r\n"; }
  model::RecordStatus fromTextSettings(std::string_view keyword, const model::tFields& fields) override {
    if (keyword != "curve") return model::RecordStatus::NotMine;
    if (fields.size() < 18) return model::RecordStatus::Failed;
    ++applied;
    return model::RecordStatus::Applied;
  }
  void formChange() override { ++refreshed; }
  int applied = 0;
  int refreshed = 0;
};

class SettingsText : public ::testing::Test {
 protected:
  SettingsText() {
    modUsage::loadElementList(store);
    modSettings::addOwner(registry, model::Section::ElementList, usage);
    modSettings::addOwner(registry, model::Section::Curve, curve);
  }
  bool apply(std::string_view text) { return modSettings::applySettingsText(registry, text, messages, note); }

  model::clsStore store = modStore::newStore();
  model::clsUsageRecords usage{store};
  clsCurveLikeOwner curve;
  model::clsSettingsRegistry registry;
  fakes::FakeMessages messages;
  std::string note = "old note";
};

}  // namespace

TEST_F(SettingsText, KeywordsIgnoreLetterCase) {
  ASSERT_TRUE(apply("USAGE 3 1 BIG<sp>ONE\r\nUsAgE_iNfO 2.5\r\n"));
  EXPECT_TRUE(modUsage::inUse(store, 3));
  EXPECT_EQ(modUsage::name(store, 3), "BIG ONE");
  EXPECT_FLOAT_EQ(store.grassLength, 2.5f);
}

TEST_F(SettingsText, TwoBlanksMakeAnEmptyFieldThatReadsAsZero) {
  // The empty field becomes the use flag (0), and the flag's "1" is taken as the name.
  ASSERT_TRUE(apply("Usage 1  1 grass<sp>1"));
  EXPECT_FALSE(modUsage::inUse(store, 1));
  EXPECT_EQ(modUsage::name(store, 1), "1");
}

TEST_F(SettingsText, FieldValuesAreClamped) {
  ASSERT_TRUE(apply("Usage 14 7 far\r\nUsage -99999999999 -3 near\r\nUsage_Info 0\r\n"));
  EXPECT_TRUE(modUsage::inUse(store, 11) && modUsage::name(store, 11) == "far");
  EXPECT_FALSE(modUsage::inUse(store, 1));
  EXPECT_EQ(modUsage::name(store, 1), "near");
  EXPECT_FLOAT_EQ(store.grassLength, 0.0000001f);
}

TEST_F(SettingsText, FreeTextBecomesTheNoteAndComesBackFirst) {
  ASSERT_TRUE(apply("my tall meadow\r\nUsage 2 1 x\r\nsecond note line\r\nword\r\n"));
  EXPECT_EQ(note, "my tall meadow\r\nsecond note line\r\nword ");
  const std::string text = modSettings::buildSettingsText(registry, note);
  EXPECT_EQ(text.rfind("my tall meadow\r\nsecond note line\r\nword \r\n\r\nUsage 1 ", 0), 0u);
  ASSERT_TRUE(apply(text));
  EXPECT_EQ(note, "my tall meadow\r\nsecond note line\r\nword ");
  EXPECT_EQ(curve.refreshed, 2);
}

// Whatever breaks a note's lines, each line is marked when it would read back as a record, and the
// text holds CR LF only; a lone CR in a line read from a file breaks that note line too.
TEST_F(SettingsText, NoteLinesOfEveryLineBreakReadBackAsTheNote) {
  for (const char* lineBreak : {"\n", "\r", "\r\n"}) {
    const std::string given = modText::replaceAll("my field|Usage 3 1 hijacked|Curve 1||word", "|", lineBreak);
    const std::string text = modSettings::buildSettingsText(registry, given);
    EXPECT_EQ(text, modText::withLineBreaks(text)) << "a lone CR or LF for " << given;
    ASSERT_TRUE(apply(text)) << text;
    EXPECT_FALSE(modUsage::inUse(store, 3));
    EXPECT_EQ(note, "my field\r\nUsage 3 1 hijacked\r\nCurve 1\r\n\r\nword");
  }
  ASSERT_TRUE(apply("a\rCurve 1\r\nUsage 2 1 two\r\n"));
  EXPECT_EQ(note, "a\r\nCurve 1");
  EXPECT_EQ(modSettings::buildSettingsText(registry, note).rfind("<note> a\r\n<note> Curve 1\r\n\r\n", 0), 0u);
}

TEST_F(SettingsText, AMalformedLineStopsWithItsNumberAndKeyword) {
  ASSERT_FALSE(apply("Usage 2 1 two\r\n\r\nCURVE 1\r\nUsage 3 1 three\r\n"));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0], "An error occurred in the settings file:\n\nLine 3 at \"curve\".");
  EXPECT_TRUE(modUsage::inUse(store, 2));   // before the line: applied
  EXPECT_FALSE(modUsage::inUse(store, 3));  // after it: ignored
  EXPECT_EQ(note, "old note");
  EXPECT_EQ(curve.refreshed, 0);

  messages.shown.clear();
  ASSERT_FALSE(apply("Usage 1"));
  EXPECT_EQ(messages.shown.at(0), "An error occurred in the settings file:\n\nLine 1 at \"usage\".");
}

TEST_F(SettingsText, LineEndsOfOtherSystemsAreRead) {
  ASSERT_TRUE(apply("Usage 5 1 five\nUsage 6 1 six\r\nUsage 7 1 a\rb"));
  EXPECT_TRUE(modUsage::inUse(store, 5));
  EXPECT_TRUE(modUsage::inUse(store, 6));
  EXPECT_EQ(modUsage::name(store, 7), "a\rb");  // a lone carriage return is no line end
}

TEST_F(SettingsText, ATextHoldsARecordWhenALineStartsWithAKeyword) {
  for (const char* text : {"Usage_Info 1", "note\r\nCURVE -.5", "x\nseed 4", "Application_Name x"})
    EXPECT_TRUE(modSettings::holdsRecord(text)) << text;
  for (const char* text : {"", "root:x:0:0:root:/root:/bin/bash\n", "<note> Usage 1 1 x\r\n", " Usage 1 1 x", "Usages 1",
                           "Curve", "seed of the field's random draws", "Usage notes"})
    EXPECT_FALSE(modSettings::holdsRecord(text)) << text;
}

TEST_F(SettingsText, HostileInputNeverCrashes) {
  const std::string hundredMegabytes(100'000'000, 'x');
  ASSERT_TRUE(apply(hundredMegabytes));
  EXPECT_EQ(note.size(), hundredMegabytes.size() + 1);

  EXPECT_TRUE(apply("Usage 1e999 1 x") == false);
  EXPECT_TRUE(apply("Usage nan nan nan\r\nUsage_Info nan\r\n"));
  EXPECT_FLOAT_EQ(store.grassLength, 0.0000001f);
  EXPECT_TRUE(apply("Usage_Info 1e38\r\n"));
  EXPECT_TRUE(apply("Usage_Info 1e300\r\n"));
  EXPECT_TRUE(std::isfinite(store.grassLength));
  EXPECT_TRUE(apply(std::string("\r\r\r\0\0\n\n \n  \r\n", 14)));

  // Random bytes are left to the settings-text fuzzer (tests/fuzz).
}

TEST(TextEncoding, FilesInEitherFormOpenWithTheirLettersAndWhatIsWrittenOpensTheSame) {
  struct clsCase {
    const char* text;   // inside the program (UTF-8)
    const char* bytes;  // in the file as written
  };
  for (const clsCase& c : {clsCase{"Usage 1 1 grass", "Usage 1 1 grass"},
                           clsCase{"Wiese \xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F", "Wiese \xE4\xF6\xFC\xDF"},
                           clsCase{"\xE2\x82\xAC \xC5\x92", "\x80 \x8C"},                       // euro, OE
                           clsCase{"\xE6\x97\xA5 \xC3\xA4", "\xE6\x97\xA5 \xC3\xA4"},           // a CJK letter: UTF-8
                           clsCase{"\xC3\x83\xC2\xA4", "\xC3\x83\xC2\xA4"}}) {                  // one-byte form would read as UTF-8
    EXPECT_EQ(modTextEncoding::toFileBytes(c.text), c.bytes) << c.text;
    EXPECT_EQ(modTextEncoding::fromFileBytes(c.bytes), c.text) << c.text;
  }
  // Bytes that are no UTF-8 (overlong, cut short) are one byte per character.
  EXPECT_EQ(modTextEncoding::fromFileBytes("\xC0\xAF \xE4"), "\xC3\x80\xC2\xAF \xC3\xA4");
}
