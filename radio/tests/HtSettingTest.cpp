#include <gtest/gtest.h>

#include "radio/RadioRequests.h"
#include "radio/ht/HtRateTable.h"
#include "radio/ht/HtSetting.h"
#include "radio/tests/RadioFakes.h"

namespace kavo9::radio {
namespace {

struct RateCase {
  const char* name;
  bool width40;
  bool shortGuard;
  int mcs;
  bool found;
  double rate;
};

TEST(HtRateTable, LookupCases) {
  const RateCase cases[] = {
      {"40 short mcs7", true, true, 7, true, 150.0},
      {"20 long mcs0", false, false, 0, true, 6.5},
      {"20 short mcs15 keeps 3 decimals", false, true, 15, true, 144.444},
      {"20 short mcs4 one decimal", false, true, 4, true, 43.3},
      {"40 long mcs32", true, false, 32, true, 6.0},
      {"40 short mcs32", true, true, 32, true, 6.7},
      {"20 long mcs32 not found", false, false, 32, false, 0},
      {"20 short mcs33 not found", false, true, 33, false, 0},
      {"40 long auto", true, false, 33, true, 39.0},
      {"40 short auto", true, true, 33, true, 43.3},
      {"mcs16 not found", true, true, 16, false, 0},
      {"negative mcs not found", true, true, -1, false, 0},
  };
  for (const RateCase& c : cases) {
    double rate = -5;
    EXPECT_EQ(LookupHtRate(c.width40, c.shortGuard, c.mcs, &rate), c.found) << c.name;
    EXPECT_DOUBLE_EQ(rate, c.found ? c.rate : -5) << c.name << ": a miss leaves the rate alone";
  }
  EXPECT_EQ(HtTable().size(), 68u);
  EXPECT_EQ(HtRateKey(true, true, 7), "40,400,7");
}

TEST(HtSettingWord, PacksAndUnpacks) {
  HtSetting s{.wirelessMode = 9,
              .mcs = 7,
              .width40 = 1,
              .shortGuard = 1,
              .stbc = 0,
              .greenfield = 0,
              .extChannel = 0};
  EXPECT_EQ(PackHtSetting(s), 0x00009879u);
  EXPECT_EQ(UnpackHtSetting(0x00009879u), s);

  // Automatic MCS changes only the MCS field.
  HtSetting automatic = s;
  automatic.mcs = kMcsAuto;
  EXPECT_EQ(PackHtSetting(automatic) ^ PackHtSetting(s), uint32_t((7 ^ 33) << 4));

  // Every field masked to its width; PHY mode always 2; nothing above bit 18.
  HtSetting wide{.wirelessMode = 0x1F,
                 .mcs = 0xFF,
                 .width40 = 3,
                 .shortGuard = 3,
                 .stbc = 3,
                 .greenfield = 3,
                 .extChannel = 7};
  EXPECT_EQ(PackHtSetting(wide), 0x0007BFFFu);
  // Stray high bits and a different PHY mode are ignored on reading.
  EXPECT_EQ(UnpackHtSetting(0xFFF80000u | 0x4000u | 0x9879u), s);
  // Extension-channel bits survive a round trip.
  EXPECT_EQ(UnpackHtSetting(0x00029879u).extChannel, 1u);
}

TEST(HtPhyRecord, BuildAndOverlay) {
  const uint32_t word = 0x00039879u | (1u << 13) | (1u << 16);  // ext 1, STBC, greenfield
  EXPECT_EQ(BuildHtPhyRecord(word), (HtPhyRecord{9, 0, 0, 0, 2, 1, 1, 7, 1, 1, 1, 0}));

  // The station keeps the driver's extension channel and last byte.
  HtPhyRecord queried{0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 2, 0xAA, 0xAA, 0xAA, 0xAA, 0x55};
  OverlayHtPhyRecord(word, &queried);
  EXPECT_EQ(queried, (HtPhyRecord{9, 0, 0, 0, 2, 1, 2, 7, 1, 1, 1, 0x55}));

  HtPhyRecord built = BuildHtPhyRecord(word);
  EXPECT_EQ(HtSettingFromRecord(built), UnpackHtSetting(word));
}

TEST(McsChoice, ListAndTexts) {
  auto choices = McsChoices();
  ASSERT_EQ(choices.size(), 18u);
  EXPECT_EQ(choices.front(), kMcsAuto);
  EXPECT_EQ(choices[1], 0);
  EXPECT_EQ(choices[16], 15);
  EXPECT_EQ(choices.back(), 32);
  EXPECT_EQ(McsText(33, "Auto"), "Auto");
  EXPECT_EQ(McsText(32, "Auto"), "32");
  EXPECT_EQ(McsFromText("Auto", "Auto"), 33);
  EXPECT_EQ(McsFromText("15", "Auto"), 15);
  EXPECT_EQ(McsFromText("", "Auto"), 33);
  EXPECT_EQ(McsFromText("7x", "Auto"), 33);
}

TEST(Bw40, PermissionsAndWidthRules) {
  Bw40Permissions p;
  EXPECT_FALSE(p.allowed24G);
  TakeBw40Eeprom24G(0x0200, &p);  // bit 8 clear
  TakeBw40Eeprom5G(0x0200, &p);   // bit 9 set
  EXPECT_TRUE(p.allowed24G);
  EXPECT_FALSE(p.allowed5G);
  TakeBw40Eeprom24G(kEepromBlank, &p);
  EXPECT_TRUE(p.allowed24G) << "a blank EEPROM leaves the flag";

  const Bw40Permissions none;
  const Bw40Permissions both{true, true};
  struct {
    int mode;
    bool withNone;
  } modes[] = {{9, false}, {7, false}, {8, false}, {5, true}, {6, true}, {0, true}};
  for (auto m : modes) {
    EXPECT_EQ(Bw40Permitted(m.mode, none), m.withNone) << m.mode;
    EXPECT_TRUE(Bw40Permitted(m.mode, both)) << m.mode;
  }

  struct {
    const char* text;
    int span;
  } spans[] = {{"0: FCC, CH1-11", 10},
               {"3: CH10-13", 3},
               {"5: MKK, CH14", 0},
               {"7: ISRAEL, CH3-9", 6},
               {"6: MKK1(TELEC), CH1-14", 13},
               {"", 0},
               {"CH", 0}};
  for (auto s : spans) EXPECT_EQ(RegionTextSpan(s.text), s.span) << s.text;

  EXPECT_FALSE(WidthForRegionChoice(9, both, "3: CH10-13"));
  EXPECT_TRUE(WidthForRegionChoice(9, both, "0: CH1-11"));
  EXPECT_FALSE(WidthForRegionChoice(9, none, "0: CH1-11"));
}

}  // namespace
}  // namespace kavo9::radio

namespace kavo9::radio {
namespace {

TEST(HtSettingSend, OverlaysTheDriversRecordAndNarrowsOnChannel14) {
  ScriptedDriver driver;
  driver.answers[OID_VND_HT_PHY_MODE] = {0, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0x11};
  struct {
    const char* name;
    bool channel14;
    uint32_t sentWord;
    std::vector<uint8_t> record;
  } cases[] = {
      {"channel 6", false, 0x00029879, {9, 0, 0, 0, 2, 0, 3, 7, 1, 0, 1, 0x11}},
      {"channel 14", true, 0x00029079, {9, 0, 0, 0, 2, 0, 3, 7, 0, 0, 1, 0x11}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SendHtSettingWord(driver, 0x00029879, c.channel14), c.sentWord) << c.name;
    ASSERT_NE(driver.LastSet(OID_VND_HT_PHY_MODE), nullptr);
    EXPECT_EQ(driver.LastSet(OID_VND_HT_PHY_MODE)->value, c.record) << c.name;
    EXPECT_EQ(driver.LastSet(OID_VND_HT_PHY_MODE)->attempts, 3);
  }
}

}  // namespace
}  // namespace kavo9::radio
