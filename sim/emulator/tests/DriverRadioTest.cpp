#include <gtest/gtest.h>

#include "common/adapter/RequestCatalogue.h"
#include "common/platform/WinTypes.h"
#include "sim/emulator/radio/DriverRadio.h"

namespace kavo9::emu {
namespace {

std::vector<uint8_t> Le32(uint32_t v) {
  return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
}

int32_t Set(DriverRadio& radio, uint32_t oid, const std::vector<uint8_t>& value) {
  return radio.Set(oid | kSetBit, value).value_or(-1);
}

TEST(DriverRadio, ModeAndRegionDecideTheScannedChannels) {
  DriverRadio radio(6, {true, true}, 0x0000);
  EXPECT_EQ(radio.wirelessMode(), 5);
  EXPECT_EQ(radio.ScanChannels().size(), 11u + 13u);

  EXPECT_EQ(Set(radio, OID_VND_WIRELESS_MODE, Le32(9)), ERROR_SUCCESS);
  EXPECT_EQ(radio.ScanChannels().size(), 11u);
  EXPECT_EQ(Set(radio, OID_VND_COUNTRY_REGION, Le32(0x0605)), ERROR_SUCCESS);
  EXPECT_TRUE(radio.ChannelAllowed(14));
  EXPECT_FALSE(radio.ChannelAllowed(36));
  EXPECT_EQ(Set(radio, OID_VND_WIRELESS_MODE, Le32(8)), ERROR_SUCCESS);
  EXPECT_EQ(radio.ScanChannels(), (std::vector<int>{36, 40, 44, 48}));

  // Bad values are refused and change nothing.
  const struct {
    const char* name;
    uint32_t oid;
    std::vector<uint8_t> value;
  } refused[] = {{"mode 10", OID_VND_WIRELESS_MODE, Le32(10)},
                 {"short mode", OID_VND_WIRELESS_MODE, {9}},
                 {"short region", OID_VND_COUNTRY_REGION, {1, 2}},
                 {"short record", OID_VND_HT_PHY_MODE, std::vector<uint8_t>(11)},
                 {"MCS 40", OID_VND_HT_PHY_MODE, {9, 0, 0, 0, 2, 0, 0, 40, 0, 0, 0, 0}},
                 {"rate set count 13", OID_VND_RATE_SET, [] {
                    std::vector<uint8_t> v(26);
                    v[0] = 13;
                    return v;
                  }()}};
  for (const auto& r : refused) {
    EXPECT_EQ(Set(radio, r.oid, r.value), ERROR_INVALID_PARAMETER) << r.name;
  }
  EXPECT_EQ(radio.wirelessMode(), 8);

  // A region the driver fixes stays.
  DriverRadio fixed(6, {true, false}, 0x0081);
  EXPECT_EQ(Set(fixed, OID_VND_COUNTRY_REGION, Le32(0x0005)), ERROR_SUCCESS);
  EXPECT_EQ(fixed.regionWord(), 0x0081u);
  EXPECT_EQ(Set(fixed, OID_VND_WIRELESS_MODE, Le32(8)), ERROR_INVALID_PARAMETER) << "no 5 GHz band";
  EXPECT_FALSE(fixed.Query(OID_802_11_SSID, {}, nullptr).has_value());
}

TEST(DriverRadio, KeepsHtRecordsAndAnswersThem) {
  DriverRadio radio(7, {true, true}, 0);
  const std::vector<uint8_t> record = {9, 0, 0, 0, 2, 1, 1, 15, 1, 0, 1, 0};
  EXPECT_EQ(Set(radio, OID_VND_HT_PHY_MODE, record), ERROR_SUCCESS);
  std::array<uint8_t, 12> out{};
  uint32_t written = 0;
  EXPECT_EQ(radio.Query(OID_VND_HT_PHY_MODE, out, &written), ERROR_SUCCESS);
  EXPECT_EQ(written, 12u);
  EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.end()), record);
  std::array<uint8_t, 4> tooSmall{};
  EXPECT_EQ(radio.Query(OID_VND_HT_PHY_MODE, tooSmall, &written), ERROR_INSUFFICIENT_BUFFER);

  const std::vector<uint8_t> options = {1, 2, 1, 4, 1, 1, 0, 0};
  EXPECT_EQ(Set(radio, OID_VND_HT_OPTIONS, options), ERROR_SUCCESS);
  std::array<uint8_t, 8> back{};
  EXPECT_EQ(radio.Query(OID_VND_HT_OPTIONS, back, &written), ERROR_SUCCESS);
  EXPECT_EQ(std::vector<uint8_t>(back.begin(), back.end()), options);

  DriverRadio legacy(1, {true, false}, 0);
  EXPECT_EQ(Set(legacy, OID_VND_HT_PHY_MODE, record), ERROR_NOT_SUPPORTED);
}

TEST(DriverRadio, RatesFollowTheSettings) {
  DriverRadio radio(6, {true, true}, 0);
  radio.LoadWirelessMode(9);
  PeerRadio htPeer{.channel = 6,
                   .rates = {0x82, 0x84, 0x8B, 0x96, 12, 108},
                   .ht = true,
                   .width40 = true,
                   .maxMcs = 15};
  struct {
    const char* name;
    uint32_t word;
    int peerMaxMcs;
    int channel;
    uint16_t rateWord;
    uint32_t rate500k;
  } cases[] = {
      {"40 MHz short MCS 7", 0x00009879, 15, 6, 7 | 0x80 | 0x100 | 2 << 14, 300},
      {"automatic MCS takes the peer's best", 0x00009A19, 15, 6, 15 | 0x80 | 0x100 | 2 << 14, 600},
      {"MCS above the peer's", 0x00008009 | 12 << 4, 7, 6, 7 | 2 << 14, 130},
      {"channel 14 is 20 MHz", 0x00009879, 15, 14, 7 | 0x100 | 2 << 14, 144},
      {"greenfield", 0x00018079, 15, 6, 7 | 3 << 14, 130},
  };
  for (const auto& c : cases) {
    radio.LoadTransmitSetting(c.word);
    htPeer.maxMcs = c.peerMaxMcs;
    htPeer.channel = c.channel;
    EXPECT_EQ(radio.TxRateWord(htPeer), c.rateWord) << c.name;
    EXPECT_EQ(radio.TxRate500k(htPeer), c.rate500k) << c.name;
  }

  // A legacy peer gets the best common rate within the desired rates.
  PeerRadio gPeer{.channel = 1, .rates = {0x82, 0x84, 0x8B, 0x96, 12, 18, 24, 36, 48}};
  EXPECT_EQ(radio.TxRate500k(gPeer), 48u);
  EXPECT_EQ(radio.TxRateWord(gPeer), uint16_t(4 | 1 << 14));
  EXPECT_EQ(Set(radio, OID_802_11_DESIRED_RATES, {22, 0, 0, 0, 0, 0, 0, 0}), ERROR_SUCCESS);
  EXPECT_EQ(radio.TxRate500k(gPeer), 22u);
  EXPECT_EQ(radio.TxRateWord(gPeer), 3);
  radio.LoadWirelessMode(1);
  EXPECT_EQ(Set(radio, OID_802_11_DESIRED_RATES, {108, 0, 0, 0, 0, 0, 0, 0}), ERROR_SUCCESS);
  EXPECT_EQ(radio.TxRate500k(gPeer), 2u) << "B only and no common desired rate: 1 Mbit/s";
}

}  // namespace
}  // namespace kavo9::emu
