// The link panel's numeric rules as tables: colours, quality, noise per chip, rates, throughput,
// the driver's words and the checked formatting of language texts.

#include <gtest/gtest.h>

#include "station/networks/link/LinkRules.h"

namespace kavo9::link {
namespace {

TEST(LinkRulesTest, BandColoursOfSignalAndNoise) {
  struct Case {
    int percent;
    BandColour signal, noise;
  } cases[] = {
      {0, BandColour::Red, BandColour::Green},      {34, BandColour::Red, BandColour::Green},
      {35, BandColour::Yellow, BandColour::Yellow}, {69, BandColour::Yellow, BandColour::Yellow},
      {70, BandColour::Green, BandColour::Red},     {100, BandColour::Green, BandColour::Red},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.percent);
    EXPECT_EQ(SignalColour(c.percent), c.signal);
    EXPECT_EQ(NoiseColour(c.percent), c.noise);
  }
}

TEST(LinkRulesTest, LinkQualityFromTheRawFigure) {
  struct Case {
    const char* name;
    uint32_t raw;
    int previous, expected;
  } cases[] = {
      {"20 is just red", 20, 0, 34},      {"21 is yellow", 21, 0, 35},
      {"75 reaches the top", 75, 0, 100}, {"more stays at the top", 4000000000u, 0, 100},
      {"smoothed, rounded", 20, 90, 62},  {"smoothed mean exact", 75, 100, 100},
  };
  for (const Case& c : cases)
    EXPECT_EQ(LinkQualityPercent(c.raw, c.previous), c.expected) << c.name;
}

TEST(LinkRulesTest, NoisePerChip) {
  const Reading none{};
  struct Case {
    const char* name;
    int chip;
    std::array<Reading, 3> rssi;
    std::array<Reading, 2> snr;
    Reading level;
    int dbm, percent;
  } cases[] = {
      {"chip 4 reports the noise raised by 143", 4, {}, {}, {true, 50}, -93, 23},
      {"chip 6, strong signal: the floor",
       6,
       {{{true, -60}, none, none}},
       {{{true, 30}, {true, 31}}},
       none,
       -92,
       26},
      {"chip 6, weak signal: strongest minus the smaller SNR",
       6,
       {{{true, -80}, {true, -75}, none}},
       {{{true, 20}, {true, 25}}},
       none,
       -95,
       16},
      {"chip 9, an antenna that did not answer takes no part",
       9,
       {{{true, -80}, {false, 0}, none}},
       {{{true, 10}, {true, 12}}},
       none,
       -90,
       33},
      {"chip 7, no usable SNR: the floor",
       7,
       {{{true, -80}, none, none}},
       {{{true, 44}, {false, 0}}},
       none,
       -92,
       26},
      {"chip 0 without an answer reads -143", 0, {}, {}, none, -143, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const int dbm = NoiseDbm(c.chip, c.rssi, c.snr, c.level);
    EXPECT_EQ(dbm, c.dbm);
    EXPECT_EQ(NoisePercent(dbm), c.percent);
  }
  EXPECT_EQ(NoisePercent(-60), 100) << "clamped above";
  EXPECT_EQ(NoisePercent(-101), 0) << "truncated towards zero, then clamped";
}

TEST(LinkRulesTest, RateWordDecodes) {
  struct Case {
    const char* name;
    uint32_t word;
    double mbps;
  } cases[] = {
      {"HT mixed MCS 7, 40 MHz, short GI", 2u << 14 | 1 << 8 | 1 << 7 | 7, 150.0},
      {"HT mixed MCS 0, 20 MHz, long GI", 2u << 14 | 0, 6.5},
      {"greenfield MCS 15, 40 MHz, short GI", 3u << 14 | 1 << 8 | 1 << 7 | 15, 300.0},
      {"HT MCS 32 at 20 MHz is no rate", 2u << 14 | 32, 0},
      {"CCK index 3", 3, 11},
      {"CCK short preamble 8", 8, 1},
      {"CCK short preamble 10", 10, 5.5},
      {"CCK index 4 is no rate", 4, 0},
      {"OFDM 0", 1u << 14 | 0, 6},
      {"OFDM 7", 1u << 14 | 7, 54},
      {"OFDM 8 is no rate", 1u << 14 | 8, 0},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(RateOfWord(c.word), c.mbps) << c.name;

  const RateWord w = SplitRateWord(2u << 14 | 2 << 9 | 1 << 8 | 1 << 7 | 5);
  EXPECT_EQ(w.mcs, 5);
  EXPECT_TRUE(w.width40);
  EXPECT_TRUE(w.shortGuard);
  EXPECT_TRUE(w.stbc);
  EXPECT_EQ(w.phyMode, kPhyHtMixed);
}

TEST(LinkRulesTest, RatesAndThroughputInText) {
  EXPECT_EQ(RateText(5.5), "5.5 Mbps");
  EXPECT_EQ(RateText(150), "150.0 Mbps");
  EXPECT_DOUBLE_EQ(LegacyReceiveRate(11), 54);
  EXPECT_DOUBLE_EQ(LegacyReceiveRate(12), 1.0) << "an unknown index keeps 1 Mbit/s";
  struct Case {
    const char* name;
    uint32_t now, previous;
    const char* text;
  } cases[] = {
      {"500,000 bytes in a tick", 1'500'000, 1'000'000, "2.000 Mbps"},
      {"100,000 bytes in a tick", 100'000, 0, "400.000 Kbps"},
      {"a counter that went backwards", 1'000, 2'000, "0.000 Kbps"},
      {"a counter that wrapped", 99'999, 0xFFFFFFFFu - 399'999, "2.000 Mbps"},
      {"no traffic", 7, 7, "0.000 Kbps"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ThroughputText(ThroughputMbps(c.now, c.previous)), c.text) << c.name;
  }
}

TEST(LinkRulesTest, DriverWordsInText) {
  EXPECT_EQ(LinkStateText(0), "Link is Up");
  EXPECT_EQ(LinkStateText(2), "Hardware radio off");
  EXPECT_EQ(LinkStateText(10), "EAP succeed");
  EXPECT_FALSE(LinkStateText(11));
  const std::pair<uint32_t, const char*> authentication[] = {
      {0, "Open"},     {1, "Shared"}, {2, "Open"},     {3, "WPA"},  {4, "WPA-PSK"},
      {5, "WPA-NONE"}, {6, "WPA2"},   {7, "WPA2-PSK"}, {99, "Open"}};
  for (auto [mode, text] : authentication) EXPECT_EQ(AuthenticationText(mode), text) << mode;
  const std::pair<uint32_t, const char*> encryption[] = {
      {0, "WEP"}, {1, "NONE"}, {2, "NONE"}, {3, "WEP Not Supported"}, {4, "TKIP"}, {5, "TKIP"},
      {6, "AES"}, {7, "AES"},  {8, "NONE"}};
  for (auto [status, text] : encryption) EXPECT_EQ(EncryptionText(status), text) << status;
  EXPECT_EQ(NetworkTypeText(1), "Infrastructure");
  EXPECT_EQ(NetworkTypeText(0), "IBSS");
}

TEST(LinkRulesTest, TransmitPowerSuffix) {
  const std::pair<int32_t, const char*> cases[] = {{75, "75%"},   {6, "Lowest"}, {0, "Lowest"},
                                                   {-1, "100%"},  {100, "100%"}, {7, "7%"},
                                                   {120, "120%"}, {-5, "-5%"}};
  for (auto [power, text] : cases) EXPECT_EQ(TxPowerText(power), text) << power;
}

TEST(LinkRulesTest, StatusLineAndChannel) {
  const std::array<uint8_t, 6> bssid{0x00, 0x0E, 0x2E, 0x41, 0x10, 0x06};
  EXPECT_EQ(StatusLine("Cafe", bssid, std::array<uint8_t, 4>{192, 168, 7, 1}),
            "Cafe <--> 00-0E-2E-41-10-06 [192.168.7.1]");
  EXPECT_EQ(StatusLine("Cafe", bssid, std::array<uint8_t, 4>{}), "Cafe <--> 00-0E-2E-41-10-06")
      << "four zero bytes give no brackets";
  EXPECT_EQ(StatusLine("Cafe", bssid, std::nullopt), "Cafe <--> 00-0E-2E-41-10-06");
  EXPECT_EQ(ChannelText(2437000), "6 <--> 2437 MHz");
  EXPECT_EQ(ChannelText(5180000), "36 <--> 5180 MHz");
  EXPECT_EQ(ChannelText(1234), "");
}

TEST(LinkRulesTest, LanguageTextsTakeOneCheckedNumber) {
  struct Case {
    const char* name;
    const char* format;
    const char* expected;
  } cases[] = {
      {"percent form", "Link Quality : %d%%", "Link Quality : 57%"},
      {"dBm form", "Signal : %d dBm", "Signal : 57 dBm"},
      {"a text conversion is left as written", "%s : %d%%", "%s : 57%"},
      {"a second number is left as written", "%d of %d", "57 of %d"},
      {"width", "[%4d] [%-4d]", "[  57] [%-4d]"},
      {"flags", "[%-4d]", "[57  ]"},
      {"64-bit and long forms", "%I64d %ld", "57 %ld"},
      {"unsigned and i", "%u/%i", "57/%i"},
      {"no conversion", "Radio Off", "Radio Off"},
      {"a lone percent at the end", "100%", "100%"},
      {"an absurd width is dropped", "%999999999d", "57"},
      {"empty", "", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatWithNumber(c.format, 57), c.expected) << c.name;
  EXPECT_EQ(FormatWithNumber("%d", -93), "-93");
  EXPECT_EQ(FormatWithText(" -- %s ", "Network key may be wrong"), " -- Network key may be wrong ");
  EXPECT_EQ(FormatWithText("%d %s %s", "x"), "%d x %s");
}

}  // namespace
}  // namespace kavo9::link
