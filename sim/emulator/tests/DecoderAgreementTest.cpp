// The station's element decoder reads the emulator's scan list as the scenario meant it: the two
// sides agree on every record of the demo neighbourhood.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "sim/emulator/tests/EmulatorTestSupport.h"
#include "station/networks/BssElementSummary.h"
#include "station/networks/BssRecord.h"

namespace kavo9::test {
namespace {

TEST(DecoderAgreement, DemoListDecodesToTheScenariosSecurityWpsAndHt) {
  Scenario demo;
  std::string error;
  ASSERT_TRUE(LoadScenarioFile(SourceDir() + "/sim/scenarios/demo.json", &demo, &error)) << error;
  World world(demo.networks);
  VirtualEventLoop loop;
  AdapterEmulator emulator(demo.adapters[0], world, [&] { return loop.MonotonicMs(); });
  loop.Advance(AdapterEmulator::kScanMs24);
  Reply list = Query(emulator, OID_802_11_BSSID_LIST);
  ASSERT_EQ(list.status, 0);

  std::map<std::string, BssElementSummary> byBssid;
  BssListView view(list.data);
  for (const BssRecordView& record : view) {
    ASSERT_TRUE(record.IsWellFormed());
    auto mac = record.MacAddress();
    byBssid[FormatMac({mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]})] =
        DecodeBssElements(record);
  }
  EXPECT_EQ(view.Walk(), BssListEnd::Complete);
  ASSERT_EQ(byBssid.size(), view.DeclaredCount());

  const std::map<std::string, std::string> security = {
      {"00-0E-2E-41-10-06", "Unknown;None"},  // open
      {"00-09-5B-11-22-33", "Unknown;None"},  // WEP
      {"00-18-39-77-88-99", "WPA-PSK;TKIP"},
      {"00-1F-33-4B-00-04", "WPA2-PSK;AES"},
      {"00-24-01-AB-CD-EF", "WPA-PSK+WPA2-PSK;TKIP+AES"},
      {"00-1A-1E-C0-01-01", "WPA2;AES"},
      {"00-1A-1E-C0-01-02", "WPA2;AES"},
      {"00-1C-10-99-88-77", "WPA2-PSK;AES"},  // hidden
      {"00-1E-58-36-50-00", "WPA2-PSK;AES"},  // 5 GHz
      {"00-1D-7E-0D-70-11", "WPA-PSK+WPA2-PSK;TKIP+AES"},
  };
  for (const auto& [bssid, expected] : security) {
    ASSERT_TRUE(byBssid.count(bssid)) << bssid;
    EXPECT_EQ(SecuritySummaryText(byBssid[bssid].Security), expected) << bssid;
    EXPECT_EQ(byBssid[bssid].BeaconInterval, 100) << bssid;
  }

  const WpsInfo& pbc = byBssid["00-1D-7E-0D-70-11"].Wps;
  EXPECT_TRUE(pbc.Present);
  EXPECT_EQ(WpsFieldText(pbc, WpsInfo::DevicePasswordId), "0x0004");
  EXPECT_EQ(WpsFieldText(pbc, WpsInfo::SelectedRegistrar), "TRUE");
  EXPECT_EQ(WpsFieldText(pbc, WpsInfo::State), "Unconfigured");
  EXPECT_EQ(WpsFieldText(pbc, WpsInfo::Version), "1.0");
  EXPECT_EQ(WpsFieldText(pbc, WpsInfo::RfBands), "0x01 (2.4GHz)");
  EXPECT_EQ(WpsFieldText(pbc, WpsInfo::UuidE).size(), 32u);
  const WpsInfo& pin = byBssid["00-1F-33-4B-00-04"].Wps;
  EXPECT_EQ(WpsFieldText(pin, WpsInfo::State), "Configured");
  EXPECT_EQ(WpsFieldText(pin, WpsInfo::ConfigMethods), "0x0084");
  EXPECT_EQ(WpsFieldText(pin, WpsInfo::DevicePasswordId), "Unknown");
  EXPECT_FALSE(byBssid["00-0E-2E-41-10-06"].Wps.Present);

  const HtInfo& draft = byBssid["00-1D-7E-0D-70-11"].Ht;
  EXPECT_TRUE(draft.HtCapabilityPresent());
  EXPECT_TRUE(draft.HtInformationPresent());
  EXPECT_EQ(HtFieldText(draft, 6), "1");      // 40 MHz channel width set
  EXPECT_EQ(HtFieldText(draft, 8), "TRUE");   // greenfield
  EXPECT_EQ(HtFieldText(draft, 23), "TRUE");  // Tx MCS set defined
  EXPECT_EQ(HtFieldText(draft, 33), "11");    // primary channel
  EXPECT_EQ(HtFieldText(draft, 34), "3");     // secondary below
  const HtInfo& fiveGhz = byBssid["00-1E-58-36-50-00"].Ht;
  EXPECT_EQ(HtFieldText(fiveGhz, 33), "36");
  EXPECT_EQ(HtFieldText(fiveGhz, 34), "1");
  EXPECT_FALSE(byBssid["00-0E-2E-41-10-06"].Ht.HtCapabilityPresent());
}

}  // namespace
}  // namespace kavo9::test
