// The scan cycle: what the list holds, when it changes, and the elements of each record.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

#include "sim/emulator/ScanRecord.h"
#include "sim/emulator/tests/EmulatorTestSupport.h"
#include "station/networks/BssLayout.h"

namespace kavo9::test {
namespace {

constexpr uint8_t kExtendedRates = 50;

std::vector<std::string> Bssids(const std::vector<BssEntry>& entries) {
  std::vector<std::string> result;
  for (const auto& e : entries) result.push_back(e.bssid);
  return result;
}

BssEntry ByBssid(const std::vector<BssEntry>& entries, const std::string& bssid) {
  for (const auto& e : entries) {
    if (e.bssid == bssid) return e;
  }
  ADD_FAILURE() << bssid << " not in the list";
  return {};
}

TEST_F(EmulatorTest, ScanListHoldsExactlyTheNetworksInRange) {
  // Region 0 is channels 1-11 on 2.4 GHz only: channel 13, 5 GHz and the -97 dBm network are out.
  auto entries = Scan();
  EXPECT_EQ(Bssids(entries), (std::vector<std::string>{"00-11-22-00-00-01", "00-11-22-00-00-02",
                                                       "00-11-22-00-00-06"}));
}

TEST_F(EmulatorTest, OpenNetworkRecordHasItsFixedFieldsAndRates) {
  BssEntry cafe = ByBssid(Scan(), "00-11-22-00-00-01");
  EXPECT_EQ(cafe.ssid, "Cafe");
  EXPECT_EQ(cafe.privacy, 0u);
  EXPECT_NEAR(cafe.rssi, -48, 2);
  EXPECT_EQ(cafe.networkType, Ndis802_11OFDM24);
  EXPECT_EQ(cafe.frequencyKhz, 2437000u);
  EXPECT_EQ(cafe.infrastructure, 1u);
  EXPECT_EQ(cafe.beaconInterval, 100);
  EXPECT_EQ(cafe.capability & 0x0011, 0x0001);  // ESS, no privacy
  ASSERT_TRUE(cafe.Element(ie::kSsid));
  EXPECT_EQ(std::string(cafe.Element(ie::kSsid)->begin(), cafe.Element(ie::kSsid)->end()), "Cafe");
  EXPECT_EQ(*cafe.Element(ie::kSupportedRates),
            (std::vector<uint8_t>{0x82, 0x84, 0x8B, 0x96, 0x0C, 0x12, 0x18, 0x24}));
  EXPECT_EQ(*cafe.Element(kExtendedRates), (std::vector<uint8_t>{0x30, 0x48, 0x60, 0x6C}));
  EXPECT_EQ(*cafe.Element(ie::kDsParameterSet), std::vector<uint8_t>{6});
  EXPECT_FALSE(cafe.Element(ie::kRsn));
  EXPECT_FALSE(cafe.Element(ie::kHtCapabilities));
  EXPECT_FALSE(cafe.Vendor(0x00, 0x50, 0xF2, 4));
}

TEST_F(EmulatorTest, MixedWpaNetworkCarriesRsnWpaWpsAndHtElements) {
  BssEntry home = ByBssid(Scan(), "00-11-22-00-00-02");
  EXPECT_EQ(home.privacy, 1u);
  ASSERT_TRUE(home.Element(ie::kRsn));
  // Version 1, group TKIP, pairwise CCMP and TKIP, AKM PSK, capabilities.
  EXPECT_EQ(
      *home.Element(ie::kRsn),
      (std::vector<uint8_t>{1,    0,    0x00, 0x0F, 0xAC, 2, 2,    0,    0x00, 0x0F, 0xAC, 4,
                            0x00, 0x0F, 0xAC, 2,    1,    0, 0x00, 0x0F, 0xAC, 2,    0x0C, 0}));
  const auto* wpa = home.Vendor(0x00, 0x50, 0xF2, 1);
  ASSERT_TRUE(wpa);
  EXPECT_EQ(*wpa, (std::vector<uint8_t>{0x00, 0x50, 0xF2, 1,    1,    0,    0x00, 0x50, 0xF2,
                                        2,    2,    0,    0x00, 0x50, 0xF2, 4,    0x00, 0x50,
                                        0xF2, 2,    1,    0,    0x00, 0x50, 0xF2, 2}));

  const auto* wps = home.Vendor(0x00, 0x50, 0xF2, 4);
  ASSERT_TRUE(wps);
  auto attributes = WpsAttributes(*wps);
  EXPECT_EQ(attributes[kWpsVersion], std::vector<uint8_t>{0x10});
  EXPECT_EQ(attributes[kWpsState], std::vector<uint8_t>{2});
  EXPECT_EQ(attributes[kWpsSelectedRegistrar], std::vector<uint8_t>{1});
  EXPECT_EQ(attributes[kWpsDevicePasswordId], (std::vector<uint8_t>{0x00, 0x04}));
  EXPECT_EQ(attributes[kWpsRfBands], std::vector<uint8_t>{1});
  EXPECT_EQ(attributes[kWpsUuidE].size(), 16u);
  EXPECT_EQ(attributes[kWpsConfigMethods], (std::vector<uint8_t>{0x00, 0x84}));

  const auto* htCap = home.Element(ie::kHtCapabilities);
  ASSERT_TRUE(htCap);
  ASSERT_EQ(htCap->size(), 26u);
  uint16_t info = uint16_t((*htCap)[0] | (*htCap)[1] << 8);
  EXPECT_TRUE(info & 0x0002);     // 40 MHz
  EXPECT_EQ((*htCap)[3], 0xFF);   // MCS 0-7
  EXPECT_EQ((*htCap)[4], 0xFF);   // MCS 8-15: two streams
  EXPECT_EQ((*htCap)[15], 0x01);  // Tx MCS set defined
  const auto* htInfo = home.Element(ie::kHtInformation);
  ASSERT_TRUE(htInfo);
  ASSERT_EQ(htInfo->size(), 22u);
  EXPECT_EQ((*htInfo)[0], 11);     // primary channel
  EXPECT_EQ((*htInfo)[1] & 3, 3);  // secondary below
  EXPECT_TRUE((*htInfo)[1] & 4);   // any width
  // The draft-era vendor forms repeat them.
  const auto* vendorCap = home.Vendor(0x00, 0x90, 0x4C, 0x33);
  const auto* vendorInfo = home.Vendor(0x00, 0x90, 0x4C, 0x34);
  ASSERT_TRUE(vendorCap && vendorInfo);
  EXPECT_EQ(vendorCap->size(), 30u);
  EXPECT_EQ(vendorInfo->size(), 26u);
  EXPECT_TRUE(std::equal(htCap->begin(), htCap->end(), vendorCap->begin() + 4));
}

TEST_F(EmulatorTest, HiddenWepNetworkHasAnEmptySsidAndPrivacy) {
  BssEntry hidden = ByBssid(Scan(), "00-11-22-00-00-06");
  EXPECT_EQ(hidden.ssid, "");
  ASSERT_TRUE(hidden.Element(ie::kSsid));
  EXPECT_TRUE(hidden.Element(ie::kSsid)->empty());
  EXPECT_EQ(hidden.privacy, 1u);
  EXPECT_TRUE(hidden.capability & 0x0010);
  EXPECT_FALSE(hidden.Element(ie::kRsn));
  EXPECT_FALSE(hidden.Vendor(0x00, 0x50, 0xF2, 1));
}

TEST_F(EmulatorTest, ScanTakesTimeAndTheOldListStandsMeanwhile) {
  // The driver's own scan at load finishes after the 2.4 GHz scan time.
  EXPECT_EQ(Query(*emulator, OID_802_11_BSSID_LIST).U32(), 0u);
  loop.Advance(AdapterEmulator::kScanMs24);
  EXPECT_EQ(Query(*emulator, OID_802_11_BSSID_LIST).U32(), 3u);

  ASSERT_TRUE(world.Remove("Cafe"));
  ASSERT_EQ(Set(*emulator, OID_802_11_BSSID_LIST_SCAN, {}).status, 0);
  loop.Advance(AdapterEmulator::kScanMs24 - 1);
  EXPECT_EQ(Query(*emulator, OID_802_11_BSSID_LIST).U32(), 3u);
  loop.Advance(1);
  EXPECT_EQ(Query(*emulator, OID_802_11_BSSID_LIST).U32(), 2u);
}

TEST_F(EmulatorTest, SignalMovesALittleBetweenScans) {
  std::set<int32_t> seen;
  for (int i = 0; i < 12; ++i) {
    int32_t rssi = ByBssid(Scan(), "00-11-22-00-00-01").rssi;
    EXPECT_GE(rssi, -50);
    EXPECT_LE(rssi, -46);
    seen.insert(rssi);
  }
  EXPECT_GT(seen.size(), 1u);
  ASSERT_TRUE(world.SetSignal(Mac("00-11-22-00-00-01"), -80));
  EXPECT_NEAR(ByBssid(Scan(), "00-11-22-00-00-01").rssi, -80, 2);
}

TEST_F(EmulatorTest, RegionAndWirelessModeDecideTheChannelsScanned) {
  // Region 1 on an 802.11n family is channels 1-13.
  ASSERT_EQ(Set(*emulator, OID_VND_COUNTRY_REGION, Le32(1)).status, 0);
  EXPECT_EQ(Scan().size(), 4u);
  // Region 2 is channels 10 and 11 only.
  ASSERT_EQ(Set(*emulator, OID_VND_COUNTRY_REGION, Le32(2)).status, 0);
  EXPECT_EQ(Bssids(Scan()), std::vector<std::string>{"00-11-22-00-00-02"});
  // 802.11a only is refused on a 2.4 GHz adapter: the mode and the channels stay.
  EXPECT_EQ(Set(*emulator, OID_VND_WIRELESS_MODE, Le32(2)).status, ERROR_INVALID_PARAMETER);
  EXPECT_EQ(Query(*emulator, OID_VND_WIRELESS_MODE).U32(), 9u);
  EXPECT_EQ(Bssids(Scan()), std::vector<std::string>{"00-11-22-00-00-02"});
  // 802.11n only runs at 2.4 GHz and hears what the mixed mode hears there.
  ASSERT_EQ(Set(*emulator, OID_VND_WIRELESS_MODE, Le32(6)).status, 0);
  EXPECT_EQ(Bssids(Scan()), std::vector<std::string>{"00-11-22-00-00-02"});
}

TEST_F(EmulatorTest, ChipFamilyPicksTheChannelTablesAndHtSettings) {
  // Region 2 is channels 1-13 for the first generation, 10-11 for later families.
  struct Case {
    const char* family;
    size_t heard;
    int32_t htPhyStatus;
  } cases[] = {{"QKA100", 4, ERROR_NOT_SUPPORTED},
               {"QKB1", 1, ERROR_NOT_SUPPORTED},
               {"QKD170", 1, ERROR_SUCCESS}};
  for (const Case& c : cases) {
    AdapterSpec spec = scenario.adapters[0];
    spec.family = c.family;
    spec.parameters = {{"CountryRegion", "2"}, {"WirelessMode", "0"}};
    AdapterEmulator adapter(spec, world, [this] { return loop.MonotonicMs(); });
    loop.Advance(AdapterEmulator::kScanMs24);
    std::vector<BssEntry> entries;
    ASSERT_TRUE(ReadBssList(Query(adapter, OID_802_11_BSSID_LIST).data, &entries)) << c.family;
    EXPECT_EQ(entries.size(), c.heard) << c.family;
    EXPECT_EQ(Query(adapter, OID_VND_HT_PHY_MODE, 12).status, c.htPhyStatus) << c.family;
  }
}

TEST_F(EmulatorTest, DualBandAdapterHearsFiveGigahertzInAnAModeOnly) {
  AdapterSpec spec = scenario.adapters[0];
  spec.band5 = true;
  spec.parameters = {{"WirelessMode", "5"}, {"CountryRegion", "1"}};
  AdapterEmulator dual(spec, world, [this] { return loop.MonotonicMs(); });
  ASSERT_EQ(Set(dual, OID_802_11_BSSID_LIST_SCAN, {}).status, 0);
  loop.Advance(AdapterEmulator::kScanMs24);
  loop.Advance(AdapterEmulator::kScanMs5);
  std::vector<BssEntry> entries;
  ASSERT_TRUE(ReadBssList(Query(dual, OID_802_11_BSSID_LIST).data, &entries));
  BssEntry five = ByBssid(entries, "00-11-22-00-00-04");
  EXPECT_EQ(five.networkType, Ndis802_11OFDM5);
  EXPECT_EQ(five.frequencyKhz, 5180000u);
  EXPECT_EQ(*five.Element(ie::kSupportedRates),
            (std::vector<uint8_t>{0x8C, 0x12, 0x98, 0x24, 0xB0, 0x48, 0x60, 0x6C}));
  EXPECT_FALSE(five.Element(kExtendedRates));

  // 802.11n only names no 5 GHz band: a dual-band adapter in that mode stays at 2.4 GHz.
  ASSERT_EQ(Set(dual, OID_VND_WIRELESS_MODE, Le32(6)).status, 0);
  ASSERT_EQ(Set(dual, OID_802_11_BSSID_LIST_SCAN, {}).status, 0);
  loop.Advance(AdapterEmulator::kScanMs24);
  ASSERT_TRUE(ReadBssList(Query(dual, OID_802_11_BSSID_LIST).data, &entries));
  EXPECT_EQ(Bssids(entries), (std::vector<std::string>{"00-11-22-00-00-01", "00-11-22-00-00-02",
                                                       "00-11-22-00-00-03", "00-11-22-00-00-06"}));
}

TEST_F(EmulatorTest, RadioOffEmptiesTheNextScan) {
  EXPECT_EQ(Scan().size(), 3u);
  ASSERT_EQ(Set(*emulator, OID_VND_RADIO, Le32(0)).status, 0);
  EXPECT_EQ(Query(*emulator, OID_VND_LINK_STATE).U32(), 3u);
  ASSERT_EQ(Set(*emulator, OID_VND_RADIO, Le32(1)).status, 0);
  ASSERT_EQ(Set(*emulator, OID_VND_RADIO, Le32(0)).status, 0);
  EXPECT_TRUE(Scan().empty());
}

TEST_F(EmulatorTest, SwitchingTheRadioOffAbandonsTheScanUnderWay) {
  ASSERT_EQ(Scan().size(), 3u);
  ASSERT_EQ(Set(*emulator, OID_802_11_BSSID_LIST_SCAN, {}).status, 0);
  world.Remove("00-11-22-00-00-01");
  ASSERT_EQ(Set(*emulator, OID_VND_RADIO, Le32(0)).status, 0);
  ASSERT_EQ(Set(*emulator, OID_VND_RADIO, Le32(1)).status, 0);
  loop.Advance(AdapterEmulator::kScanMs5);
  std::vector<BssEntry> entries;
  ASSERT_TRUE(ReadBssList(Query(*emulator, OID_802_11_BSSID_LIST).data, &entries));
  EXPECT_EQ(entries.size(), 3u) << "the list of the last completed scan stands";
  EXPECT_FALSE(emulator->scanning());
}

TEST_F(EmulatorTest, AListLargerThanTheBufferIsRefused) {
  Scan();
  EXPECT_EQ(Query(*emulator, OID_802_11_BSSID_LIST, 65536).status, 0);
  for (int i = 0; i < 200; ++i) {
    NetworkSpec n = scenario.networks[1];
    n.bssid = {0x02, 0, 0, 0, uint8_t(i >> 8), uint8_t(i)};
    std::string error;
    ASSERT_TRUE(world.Add(n, &error)) << error;
  }
  ASSERT_EQ(Set(*emulator, OID_802_11_BSSID_LIST_SCAN, {}).status, 0);
  loop.Advance(AdapterEmulator::kScanMs5);
  EXPECT_EQ(Query(*emulator, OID_802_11_BSSID_LIST, 65536).status, ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(Query(*emulator, OID_802_11_BSSID_LIST, 1u << 20).status, 0);
}

}  // namespace
}  // namespace kavo9::test

namespace kavo9::test {
namespace {

TEST(DemoScenario, TheDemoAdapterHearsABusyNeighbourhood) {
  Scenario demo;
  std::string error;
  ASSERT_TRUE(LoadScenarioFile(SourceDir() + "/sim/scenarios/demo.json", &demo, &error)) << error;
  World world(demo.networks);
  VirtualEventLoop loop;
  AdapterEmulator emulator(demo.adapters[0], world, [&] { return loop.MonotonicMs(); });
  ASSERT_EQ(Set(emulator, OID_802_11_BSSID_LIST_SCAN, {}).status, 0);
  loop.Advance(AdapterEmulator::kScanMs5);
  std::vector<BssEntry> entries;
  ASSERT_TRUE(ReadBssList(Query(emulator, OID_802_11_BSSID_LIST).data, &entries));
  EXPECT_GE(entries.size(), 12u);
  int hidden = 0, adhoc = 0, fiveGhz = 0, ht = 0, wps = 0, acme = 0, wpa = 0, rsn = 0, wep = 0;
  for (const BssEntry& e : entries) {
    hidden += e.ssid.empty();
    adhoc += e.infrastructure == 0;
    fiveGhz += e.frequencyKhz > 5000000;
    ht += e.Element(ie::kHtCapabilities) != nullptr;
    wps += e.Vendor(0x00, 0x50, 0xF2, 4) != nullptr;
    acme += e.ssid == "ACME-Corp";
    wpa += e.Vendor(0x00, 0x50, 0xF2, 1) != nullptr;
    rsn += e.Element(ie::kRsn) != nullptr;
    wep += e.privacy && !e.Element(ie::kRsn) && !e.Vendor(0x00, 0x50, 0xF2, 1);
  }
  EXPECT_EQ(hidden, 2);  // one secured, one open
  EXPECT_EQ(adhoc, 1);
  EXPECT_GE(fiveGhz, 2);
  EXPECT_GE(ht, 3);
  EXPECT_GE(wps, 3);
  EXPECT_EQ(acme, 2);
  EXPECT_GE(wpa, 3);
  EXPECT_GE(rsn, 5);
  EXPECT_EQ(wep, 1);
}

}  // namespace
}  // namespace kavo9::test
