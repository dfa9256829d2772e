// The connect steps against the adapter emulator: what the program sends joins what the emulated
// driver, with its own key derivation and checks, says it should.

#include <gtest/gtest.h>

#include "common/adapter/RequestCatalogue.h"
#include "common/adapter/testing/FakeAdapter.h"
#include "common/adapter/testing/ScriptedDriver.h"
#include "common/platform/DeviceIo.h"
#include "sim/emulator/AdapterEmulator.h"
#include "sim/emulator/ScenarioReader.h"
#include "station/networks/BssRecordBuilder.h"
#include "station/networks/connect/RecordBuilders.h"
#include "station/networks/connect/testing/ConnectRig.h"

namespace kavo9::connect {
namespace {

// The emulated driver reached in-process, one device control per request.
class EmulatorDriver : public DriverPort {
 public:
  explicit EmulatorDriver(AdapterEmulator& emulator) : emulator_(emulator) {}
  bool QueryInformation(uint32_t oid, void* buffer, uint32_t length, uint32_t* count) override {
    return Control(oid, buffer, length, count);
  }
  bool SetInformation(uint32_t oid, const void* buffer, uint32_t length, int) override {
    std::vector<uint8_t> copy(static_cast<const uint8_t*>(buffer),
                              static_cast<const uint8_t*>(buffer) + length);
    return Control(oid | kSetBit, copy.data(), length, nullptr);
  }
  bool IsAdapterPresent() override { return true; }

 private:
  bool Control(uint32_t code, void* buffer, uint32_t length, uint32_t* count) {
    uint8_t in[4];
    std::memcpy(in, &code, 4);
    uint32_t returned = 0;
    const int32_t status =
        emulator_.Handle(IOCTL_NDIS_QUERY_GLOBAL_STATS, in,
                         std::span<uint8_t>(static_cast<uint8_t*>(buffer), length), &returned);
    if (count) *count = returned;
    return status == 0;
  }
  AdapterEmulator& emulator_;
};

constexpr const char* kWorld = R"({
  "adapters": [{
    "name": "usb0", "family": "QKD170",
    "hardwareIds": ["USB\\VID_1D5A&PID_3070"], "deviceDescription": "USB card",
    "instanceId": "{6F1C3B52-0C1E-4B8A-9A59-2A0D3C70A001}", "mac": "00-1D-5A-30-70-01",
    "bands": ["2.4"], "parameters": {"WirelessMode": 0}
  }],
  "networks": [
    {"ssid": "Cafe", "bssid": "00-11-22-00-00-01", "channel": 6, "signal": -48},
    {"ssid": "Hoffmann", "bssid": "00-11-22-00-00-02", "channel": 3, "signal": -55,
     "security": "wep", "key": "1A2B3C4D5E"},
    {"ssid": "Picnic", "bssid": "02-11-22-00-00-03", "channel": 11, "signal": -60,
     "mode": "adhoc", "security": "wpa-psk", "key": "sunflower42"},
    {"ssid": "Garden Shed", "bssid": "00-11-22-00-00-04", "channel": 1, "signal": -60,
     "hidden": true}
  ]
})";

class EmulatorJoin : public testing::Test {
 public:
  EmulatorJoin() {
    emulator->Load({});
    clock.Advance(AdapterEmulator::kScanMs5);
  }
  static Scenario Parse() {
    Scenario parsed;
    std::string error;
    EXPECT_TRUE(ParseScenario(kWorld, &parsed, &error)) << error;
    return parsed;
  }
  ConnectRecord Profile(const std::vector<std::pair<std::string, std::string>>& values) {
    profiles::ProfileValues v;
    for (const auto& [name, text] : values) v.Set(name, text);
    std::optional<int> ofdm;
    return BuildFromProfile(v, false, {}, driver, &ofdm);
  }
  SurveySelection Row(const char* bssid, std::string_view ssid) {
    MacAddress mac{};
    EXPECT_TRUE(ParseMac(bssid, &mac));
    SurveySelection s;
    s.Record = build::BssRecordBuilder().Bssid(mac).Ssid(ssid).WithSsidElement().Build();
    return s;
  }
  std::string Joined() const {
    const NetworkSpec* n = emulator->associatedNetwork();
    return n ? n->ssid : "";
  }

  Scenario scenario = Parse();
  World world{scenario.networks};
  VirtualEventLoop clock;
  std::unique_ptr<AdapterEmulator> emulator = std::make_unique<AdapterEmulator>(
      scenario.adapters.at(0), world, [this] { return clock.MonotonicMs(); });
  EmulatorDriver driver{*emulator};
  ScriptedDriver unused;
  FakeAdapter adapter{unused};
  ConnectRig rig{driver, adapter};
};

TEST_F(EmulatorJoin, EachRecordJoinsTheNetworkItNames) {
  struct Case {
    std::string name;
    std::function<ConnectRecord(EmulatorJoin&)> record;
    std::string joined;
    bool keyError;
  };
  const std::vector<Case> cases = {
      {"open row by BSSID",
       [](EmulatorJoin& t) { return BuildFromSurvey(t.Row("00-11-22-00-00-01", "Cafe"), {}, {}); },
       "Cafe", false},
      {"hidden row by the typed SSID",
       [](EmulatorJoin& t) {
         SurveySelection s = t.Row("00-11-22-00-00-04", "");
         s.HiddenSsidPath = true;
         s.HiddenSsid = "Garden Shed";
         return BuildFromSurvey(s, {}, {});
       },
       "Garden Shed", false},
      {"WEP profile with key 2",
       [](EmulatorJoin& t) {
         return t.Profile({{"SSID", "Hoffmann"},
                           {"Encryption", "0"},
                           {"WEPKeyUse", "2"},
                           {"WEPKey2", "1a2b3c4d5e"}});
       },
       "Hoffmann", false},
      {"WEP profile with a wrong key",
       [](EmulatorJoin& t) {
         return t.Profile({{"SSID", "Hoffmann"},
                           {"Encryption", "0"},
                           {"WEPKeyUse", "1"},
                           {"WEPKey1", "1a2b3c4d5f"}});
       },
       "Hoffmann", true},
      {"WPA-None ad hoc profile",
       [](EmulatorJoin& t) {
         return t.Profile({{"SSID", "Picnic"},
                           {"NetworkType", "0"},
                           {"Channel", "11"},
                           {"AuthenType", "5"},
                           {"Encryption", "4"},
                           {"WPAPSK", "sunflower42"}});
       },
       "Picnic", false},
      {"WPA-None with the wrong pass phrase joins nothing",
       [](EmulatorJoin& t) {
         return t.Profile({{"SSID", "Picnic"},
                           {"NetworkType", "0"},
                           {"AuthenType", "5"},
                           {"Encryption", "4"},
                           {"WPAPSK", "sunflower43"}});
       },
       "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ConnectRecord record = c.record(*this);
    rig.steps.RunConnectRecord(record);
    EXPECT_EQ(Joined(), c.joined);
    EXPECT_EQ(emulator->messageFlags() != 0, c.keyError);
  }
}

}  // namespace
}  // namespace kavo9::connect
