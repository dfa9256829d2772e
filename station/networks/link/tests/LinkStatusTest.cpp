// The link panel's refresh against a scripted driver: what it shows connected, not connected,
// with one antenna, with counters that wrap or go backwards, and with answers that are missing or
// malformed.

#include <gtest/gtest.h>

#include <map>

#include "common/adapter/DriverValues.h"
#include "common/adapter/testing/ScriptedDriver.h"
#include "station/networks/link/LinkStatus.h"

namespace kavo9::link {
namespace {

constexpr std::array<uint8_t, 6> kMac{0x00, 0x1D, 0x5A, 0x30, 0x70, 0x01};
constexpr std::array<uint8_t, 6> kBssid{0x00, 0x0E, 0x2E, 0x41, 0x10, 0x06};

class FakeStation : public LinkStationPort {
 public:
  bool showDbm = false;
  int chipKind = 7;
  bool ht = true;
  int wirelessMode = 9;
  bool radioOn = true;
  bool keyError = false;
  bool tableReadable = true;
  bool connectedRowHt = false;
  std::vector<IpAdapterInfo> adapters;
  std::map<LangKey, std::string> texts = {
      {LangKey::IDS_LINK_QUALITY, "Link Quality : %d%%"},
      {LangKey::IDS_LINK_STRENGTH, "Signal Strength 1 : %d%%"},
      {LangKey::IDS_LINK_STRENGTH2, "Signal Strength 2 : %d%%"},
      {LangKey::IDS_LINK_STRENGTH3, "Signal Strength 3 : %d%%"},
      {LangKey::IDS_NOISELEVEL, "Noise Level : %d%%"},
      {LangKey::IDS_LINK_STRENGTH_DBM, "Signal Strength 1 : %d dBm"},
      {LangKey::IDS_NOISELEVEL_DBM, "Noise Level : %d dBm"},
      {LangKey::IDS_LINK_STRENGTH_EMPTY_DBM, "Signal Strength 1 : -- dBm"},
      {LangKey::IDS_NOISELEVEL_EMPTY_DBM, "Noise Level : -- dBm"},
      {LangKey::IDS_STRENGTH2, "Signal Strength 2 : N/A"},
      {LangKey::IDS_STRENGTH3, "Signal Strength 3 : N/A"},
      {LangKey::IDS_DRIVER_NOTOK, "No adapter"},
      {LangKey::IDS_DISCONNECTED, "Disconnected"},
      {LangKey::IDS_RADIOOFF, "Radio Off"},
      {LangKey::IDS_WEPERROR, "Network key may be wrong"},
      {LangKey::IDS_LINKSTATUS_CENTRAL_CHANNEL, "Central Channel"},
  };

  bool ShowDbm() const override { return showDbm; }
  int ChipKind() const override { return chipKind; }
  bool IsHtFamily() const override { return ht; }
  int WirelessMode() const override { return wirelessMode; }
  bool RadioOn() const override { return radioOn; }
  bool KeyError() const override { return keyError; }
  std::string Text(LangKey key) const override {
    auto it = texts.find(key);
    return it == texts.end() ? std::string() : it->second;
  }
  bool AdaptersInfo(std::vector<IpAdapterInfo>* out) override {
    *out = adapters;
    return tableReadable;
  }
  bool ConnectedRowIsHt() const override { return connectedRowHt; }
};

std::vector<uint8_t> LinkRecord(uint32_t rate500k, uint32_t quality, uint32_t tx, uint32_t rx,
                                uint32_t central = 0) {
  std::vector<uint8_t> r(20, 0);
  const uint32_t fields[] = {rate500k, quality, tx, rx, central};
  for (size_t i = 0; i < 5; ++i) std::memcpy(r.data() + 4 * i, &fields[i], 4);
  return r;
}

std::vector<uint8_t> SsidRecord(const std::string& ssid, uint32_t length) {
  std::vector<uint8_t> r(36, 0);
  std::memcpy(r.data(), &length, 4);
  std::memcpy(r.data() + 4, ssid.data(), std::min<size_t>(ssid.size(), 32));
  return r;
}

class LinkStatusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    driver.Answer(OID_802_3_CURRENT_ADDRESS, kMac);
    driver.AnswerDword(OID_VND_LINK_STATE, kLinkUp);
    driver.AnswerDword(OID_GEN_MEDIA_CONNECT_STATUS, kMediaConnected);
    driver.Answer(OID_802_11_BSSID, kBssid);
    driver.answers[OID_802_11_SSID] = SsidRecord("Cafe", 4);
    driver.Answer(OID_VND_TX_POWER, int32_t{75});
    driver.Answer(OID_VND_PEER_INFO, std::array<uint8_t, 4>{192, 168, 7, 1});
    driver.AnswerDword(OID_802_11_INFRASTRUCTURE_MODE, 1);
    driver.AnswerDword(OID_802_11_AUTHENTICATION_MODE, Ndis802_11AuthModeWPA2PSK);
    driver.AnswerDword(OID_802_11_ENCRYPTION_STATUS, Ndis802_11Encryption3Enabled);
    // HT mixed, MCS 7, 40 MHz, short guard interval.
    driver.AnswerDword(OID_VND_TX_RATE_WORD, 2u << 14 | 1 << 8 | 1 << 7 | 7);
    driver.AnswerDword(OID_VND_RX_RATE, 1u << 14 | 7);  // OFDM 54
    driver.answers[OID_VND_LINK_RATE_INFO] = LinkRecord(0, 75, 1'000'000, 2'000'000, 11);
    std::vector<uint8_t> configuration(32, 0);
    const uint32_t khz = 2437000;
    std::memcpy(configuration.data() + 12, &khz, 4);
    driver.answers[OID_802_11_CONFIGURATION] = configuration;
    driver.Answer(OID_802_11_RSSI, int32_t{-45});
    driver.Answer(OID_VND_RSSI1, int32_t{-50});
    driver.Answer(OID_VND_RSSI2, int32_t{-55});
    driver.AnswerDword(OID_VND_SNR0, 40);
    driver.AnswerDword(OID_VND_SNR1, 35);
    driver.AnswerDword(OID_VND_NOISE_LEVEL, 51);
    std::vector<uint8_t> staConfig(32, 0);
    staConfig[20] = 1;
    driver.answers[OID_VND_STA_CONFIG] = staConfig;
    station.adapters = {
        {"{OTHER}", "10.0.0.5", "255.0.0.0", "10.0.0.1", true, {0x00, 0x1D, 0x5A, 0, 0, 9}},
        {"{OURS}", "192.168.7.100", "255.255.255.0", "192.168.7.1", true,
         std::vector<uint8_t>(kMac.begin(), kMac.end())},
    };
    link.OnCreate();
    link.OnShow();
  }
  void Refresh() { link.Refresh(now += kRefreshMs); }
  const std::string& Text(LinkText t) const { return link.View().texts[t]; }
  const BarView& Bar(LinkBar b) const { return link.View().bars[b]; }
  void SetCounts(uint32_t tx, uint32_t rx) {
    driver.answers[OID_VND_LINK_RATE_INFO] = LinkRecord(0, 75, tx, rx);
  }

  ScriptedDriver driver;
  FakeStation station;
  LinkStatus link{driver, station};
  uint64_t now = 0;
};

TEST_F(LinkStatusTest, ConnectedShowsTheLinkInWords) {
  Refresh();
  EXPECT_EQ(Text(kStatusText), "Cafe <--> 00-0E-2E-41-10-06 [192.168.7.1]");
  EXPECT_EQ(Text(kExtraInfoText), "Link is Up [TxPower:75%]");
  EXPECT_EQ(Text(kChannelText), "6 <--> 2437 MHz");
  EXPECT_EQ(Text(kAuthenticationText), "WPA2-PSK");
  EXPECT_EQ(Text(kEncryptionText), "AES");
  EXPECT_EQ(Text(kNetworkTypeText), "Infrastructure");
  EXPECT_EQ(Text(kIpAddressText), "192.168.7.100") << "the entry with the adapter's address";
  EXPECT_EQ(Text(kIpMaskText), "255.255.255.0");
  EXPECT_EQ(Text(kGatewayText), "192.168.7.1");
  EXPECT_EQ(Text(kTxRateText), "150.0 Mbps");
  EXPECT_EQ(Text(kRxRateText), "54.0 Mbps");
  EXPECT_EQ(Text(kTxThroughputText), "") << "the first sample only records the counts";
  const auto& ht = link.View().ht;
  EXPECT_EQ(ht[kBwText], "40");
  EXPECT_EQ(ht[kGiText], "short");
  EXPECT_EQ(ht[kMcsText], "7");
  EXPECT_EQ(ht[kSnr0Text], "40");
  EXPECT_EQ(ht[kSnr1Text], "35");
  EXPECT_EQ(Bar(kQualityBar).position, 100);
  EXPECT_EQ(Bar(kQualityBar).caption, "Link Quality : 100%");
  EXPECT_EQ(Bar(kSignalBar0).position, 100);
  EXPECT_EQ(Bar(kSignalBar0).colour, BandColour::Green);
  EXPECT_TRUE(link.View().connected);
  EXPECT_EQ(link.AdapterMac(), kMac);
  // It only reads.
  EXPECT_TRUE(driver.Sets().empty());
}

TEST_F(LinkStatusTest, SignalOfAntennaZeroIsSmoothed) {
  Refresh();
  EXPECT_EQ(Bar(kSignalBar0).position, 100);
  driver.Answer(OID_802_11_RSSI, int32_t{-85});  // 13 % alone
  Refresh();
  EXPECT_EQ(Bar(kSignalBar0).position, 57);
  EXPECT_EQ(Bar(kSignalBar0).colour, BandColour::Yellow);
  EXPECT_EQ(Bar(kSignalBar0).caption, "Signal Strength 1 : 57%");
  station.showDbm = true;
  Refresh();
  EXPECT_EQ(Bar(kSignalBar0).caption, "Signal Strength 1 : -85 dBm");
}

TEST_F(LinkStatusTest, ThroughputFromByteCountersThatWrapOrGoBack) {
  SetCounts(1'000'000, 0xFFFFFFFFu - 99'999);
  Refresh();
  struct Step {
    const char* name;
    uint32_t tx, rx;
    const char* txText;
    const char* rxText;
    const char* txMax;
  } steps[] = {
      {"500,000 and a wrap", 1'500'000, 400'000, "2.000 Mbps", "2.000 Mbps", "2.000 Mbps"},
      {"100,000", 1'600'000, 500'000, "400.000 Kbps", "400.000 Kbps", "2.000 Mbps"},
      {"backwards", 1'000, 100, "0.000 Kbps", "0.000 Kbps", "2.000 Mbps"},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.name);
    SetCounts(s.tx, s.rx);
    Refresh();
    EXPECT_EQ(Text(kTxThroughputText), s.txText);
    EXPECT_EQ(Text(kRxThroughputText), s.rxText);
    EXPECT_EQ(link.View().tx.maxText, s.txMax);
  }
  EXPECT_EQ(link.View().tx.samples, (std::deque<double>{2.0, 0.4, 0.0}));

  // Reset Counter: the next sample counts from zero.
  link.ResetByteCounts();
  SetCounts(250'000, 0);
  Refresh();
  EXPECT_EQ(Text(kTxThroughputText), "1.000 Mbps");

  // Showing the page again starts the graphs over; the bytes counted while it was hidden are
  // not shown as one tick's throughput.
  link.OnShow();
  EXPECT_TRUE(link.View().tx.samples.empty());
  EXPECT_EQ(link.View().tx.maxText, "0.000 Mbps");
  SetCounts(90'000'000, 0);
  Refresh();
  EXPECT_TRUE(link.View().tx.samples.empty());
  SetCounts(90'500'000, 0);
  Refresh();
  EXPECT_EQ(Text(kTxThroughputText), "2.000 Mbps");
}

TEST_F(LinkStatusTest, FailedLinkRecordKeepsRatesThroughputAndQuality) {
  Refresh();
  SetCounts(1'500'000, 2'000'000);
  Refresh();
  const LinkView before = link.View();
  driver.refused.insert(OID_VND_LINK_RATE_INFO);
  driver.AnswerDword(OID_VND_TX_RATE_WORD, 1u << 14 | 2);  // would be 12 Mbit/s
  Refresh();
  EXPECT_EQ(Text(kTxRateText), before.texts[kTxRateText]);
  EXPECT_EQ(Text(kTxThroughputText), "2.000 Mbps");
  EXPECT_EQ(Bar(kQualityBar), before.bars[kQualityBar]);
  EXPECT_EQ(Text(kChannelText), "6 <--> 2437 MHz");
}

TEST_F(LinkStatusTest, NotConnectedDisplays) {
  Refresh();
  struct Case {
    const char* name;
    std::function<void()> arrange;
    const char* status;
  } cases[] = {
      {"the media status query fails", [&] { driver.refused.insert(OID_GEN_MEDIA_CONNECT_STATUS); },
       "No adapter"},
      {"disconnected",
       [&] { driver.AnswerDword(OID_GEN_MEDIA_CONNECT_STATUS, kMediaDisconnected); },
       "Disconnected"},
      {"no BSSID", [&] { driver.Answer(OID_802_11_BSSID, std::array<uint8_t, 6>{}); },
       "Disconnected"},
      {"hardware radio off, though the media status says connected",
       [&] {
         driver.AnswerDword(OID_VND_LINK_STATE, kLinkHardwareRadioOff);
         driver.answers[OID_VND_STA_CONFIG] = std::vector<uint8_t>(32, 0);
       },
       "Radio Off"},
      {"disconnected while the radio-on flag is clear",
       [&] {
         station.radioOn = false;
         driver.AnswerDword(OID_GEN_MEDIA_CONNECT_STATUS, kMediaDisconnected);
       },
       "Radio Off"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    Refresh();
    c.arrange();
    Refresh();
    EXPECT_EQ(Text(kStatusText), c.status);
    EXPECT_FALSE(link.View().connected);
    for (size_t t = kChannelText; t < kLinkTextCount; ++t) EXPECT_EQ(link.View().texts[t], "") << t;
    for (const BarView& bar : link.View().bars) EXPECT_EQ(bar.position, 0);
    EXPECT_EQ(Bar(kSignalBar0).caption, "Signal Strength 1 : 0%") << "no number of the last link";
    EXPECT_EQ(link.View().tx.samples.back(), 0.0);
    EXPECT_EQ(link.View().ht[kMcsText], "n/a");
    station = FakeStation();
    driver.refused.clear();
  }
}

TEST_F(LinkStatusTest, RadioOffWithDbmShowsTheEmptyDbmCaptions) {
  station.showDbm = true;
  station.radioOn = false;
  driver.AnswerDword(OID_VND_LINK_STATE, kLinkHardwareRadioOff);
  Refresh();
  EXPECT_EQ(Text(kStatusText), "Radio Off");
  EXPECT_EQ(Text(kExtraInfoText), "Hardware radio off") << "the reason stays in words";
  EXPECT_EQ(Bar(kSignalBar0).caption, "Signal Strength 1 : -- dBm");
  EXPECT_EQ(Bar(kNoiseBar).caption, "Noise Level : -- dBm");
}

TEST_F(LinkStatusTest, AntennaLayoutFollowsTheDriversAnswers) {
  EXPECT_EQ(link.View().antennas, (AntennaLayout{true, true, 3}));
  driver.refused.insert(OID_VND_RSSI2);
  link.OnShow();
  EXPECT_EQ(link.View().antennas, (AntennaLayout{true, false, 2}));
  driver.refused.insert(OID_VND_RSSI1);
  link.OnShow();
  EXPECT_EQ(link.View().antennas, (AntennaLayout{false, false, 1}));

  // An antenna without a reading says so, with an empty bar.
  driver.refused.clear();
  driver.Answer(OID_VND_RSSI2, kNoAntennaDbm);
  Refresh();
  EXPECT_EQ(Bar(kSignalBar2).caption, "Signal Strength 3 : N/A");
  EXPECT_EQ(Bar(kSignalBar2).position, 0);
}

TEST_F(LinkStatusTest, NoiseBarPerChip) {
  station.chipKind = 4;  // reports its own noise level
  Refresh();
  EXPECT_EQ(Bar(kNoiseBar).position, 26);
  EXPECT_EQ(Bar(kNoiseBar).caption, "Noise Level : 26%");
  EXPECT_EQ(Bar(kNoiseBar).colour, BandColour::Green);
  station.chipKind = 6;
  station.showDbm = true;
  driver.Answer(OID_802_11_RSSI, int32_t{-80});
  driver.Answer(OID_VND_RSSI1, int32_t{-75});
  driver.Answer(OID_VND_RSSI2, int32_t{-90});
  driver.AnswerDword(OID_VND_SNR0, 20);
  driver.AnswerDword(OID_VND_SNR1, 25);
  Refresh();
  EXPECT_EQ(Bar(kNoiseBar).caption, "Noise Level : -95 dBm");
  EXPECT_EQ(Bar(kNoiseBar).position, 16);
  const SignalSample& last = link.History().Samples().back();
  EXPECT_TRUE(last.linked);
  EXPECT_EQ(last.signalDbm, -75);
  EXPECT_EQ(last.SnrDb(), 20);
}

TEST_F(LinkStatusTest, MalformedAndTranslatedInputIsShownSafely) {
  // A driver that claims 40 octets of SSID.
  driver.answers[OID_802_11_SSID] = SsidRecord(std::string(32, 'A'), 40);
  // A translation with a text conversion the program never fills.
  station.texts[LangKey::IDS_LINK_STRENGTH] = "%s Signal %d%% %s %n";
  station.keyError = true;
  driver.refused.insert(OID_VND_PEER_INFO);
  driver.refused.insert(OID_VND_TX_POWER);
  driver.refused.insert(OID_VND_SNR1);
  Refresh();
  EXPECT_EQ(Text(kStatusText), std::string(32, 'A') + " <--> 00-0E-2E-41-10-06");
  EXPECT_EQ(Bar(kSignalBar0).caption, "%s Signal 100% %s %n");
  EXPECT_EQ(Text(kExtraInfoText), "Link is Up -- Network key may be wrong ")
      << "no power suffix without a power";
  EXPECT_EQ(link.View().ht[kSnr1Text], "n/a");
}

TEST_F(LinkStatusTest, LegacyRatesShowNoHtFields) {
  station.wirelessMode = 0;  // a HT word while the adapter runs b/g counts as legacy
  Refresh();
  EXPECT_TRUE(link.LegacyShown());
  EXPECT_EQ(link.View().ht[kMcsText], "n/a");
  EXPECT_EQ(link.View().ht[kSnr0Text], "n/a") << "kept from creation while legacy";
  station.wirelessMode = 9;
  Refresh();
  EXPECT_FALSE(link.LegacyShown());
  EXPECT_EQ(link.View().ht[kMcsText], "7");
}

TEST_F(LinkStatusTest, CentralChannelOnAnHtNetwork) {
  station.connectedRowHt = true;
  Refresh();
  EXPECT_EQ(Text(kChannelText), "6 <--> 2437 MHz; Central Channel : 11");
}

TEST_F(LinkStatusTest, AddressesNeedTheAdaptersOwnEntry) {
  station.adapters.pop_back();
  Refresh();
  EXPECT_EQ(Text(kIpAddressText), "");
  station.tableReadable = false;
  Refresh();
  EXPECT_EQ(Text(kGatewayText), "");
}

TEST_F(LinkStatusTest, HistoryKeepsTenMinutesWithGaps) {
  for (int i = 0; i < 400; ++i) Refresh();
  driver.AnswerDword(OID_GEN_MEDIA_CONNECT_STATUS, kMediaDisconnected);
  Refresh();
  const auto& samples = link.History().Samples();
  EXPECT_EQ(samples.back().timeMs - samples.front().timeMs, SignalHistory::kSpanMs);
  EXPECT_FALSE(samples.back().linked);
  EXPECT_TRUE(samples.front().linked);
}

}  // namespace
}  // namespace kavo9::link
