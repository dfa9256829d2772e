#include <gtest/gtest.h>

#include <cstring>

#include "sim/emulator/tests/EmulatorTestSupport.h"

namespace kavo9::test {
namespace {

constexpr const char* kWpsScenario = R"({
  "adapters": [{
    "name": "usb0", "family": "QKD170",
    "hardwareIds": ["USB\\VID_1D5A&PID_3070&REV_0101", "USB\\VID_1D5A&PID_3070"],
    "instanceId": "{6F1C3B52-0C1E-4B8A-9A59-2A0D3C70A001}",
    "deviceDescription": "802.11n USB Wireless LAN Card",
    "mac": "00-1D-5A-30-70-01", "driverVersion": "1.6", "eepromVersion": "3.1",
    "firmwareVersion": "1.3", "bands": ["2.4"],
    "parameters": {"CountryRegion": 0, "WirelessMode": 9}
  }],
  "networks": [
    {"ssid": "PinAp", "bssid": "00-11-22-00-00-01", "channel": 6, "signal": -48,
     "security": "wpa2-psk", "ciphers": ["aes"], "key": "correct horse",
     "wps": {"pin": "12345670"}},
    {"ssid": "Locked", "bssid": "00-11-22-00-00-02", "channel": 1, "signal": -50,
     "wps": {"pin": "12345670", "locked": true}},
    {"ssid": "Fresh", "bssid": "00-11-22-00-00-03", "channel": 11, "signal": -55,
     "wps": {"state": "unconfigured", "pin": "11112228"}},
    {"ssid": "Button", "bssid": "00-11-22-00-00-04", "channel": 3, "signal": -60,
     "security": "wep", "key": "0123456789", "wps": {}}
  ]
})";

constexpr uint32_t kPinBit = 1u << 28;

std::vector<uint8_t> StartRequest(bool pin, bool registrar, const char* pinText = "",
                                  const char* ssid = "", uint8_t last = 0) {
  std::vector<uint8_t> v(56, 0);
  WriteLe32(v.data(), pin ? 0x10000000 : 0x20000000);
  if (pin) {
    std::memcpy(v.data() + 4, pinText, 8);
    WriteLe32(v.data() + 12, uint32_t(std::strlen(ssid)));
    std::memcpy(v.data() + 16, ssid, std::strlen(ssid));
    const uint8_t bssid[6] = {0x00, 0x11, 0x22, 0x00, 0x00, last};
    std::memcpy(v.data() + 48, bssid, 6);
  }
  v[55] = registrar ? 2 : 1;
  return v;
}

class WpsEngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(ParseScenario(kWpsScenario, &scenario, &error)) << error;
    world = World(scenario.networks);
    emulator = std::make_unique<AdapterEmulator>(scenario.adapters[0], world,
                                                 [this] { return loop.MonotonicMs(); });
    emulator->SetReconfigure([this](const MacAddress& bssid, const NetworkSpec& settings) {
      return world.Reconfigure(bssid, settings);
    });
    loop.Advance(AdapterEmulator::kScanMs24);
  }
  uint32_t Status() {
    Reply r = Query(*emulator, OID_VND_WPS_STATUS);
    EXPECT_EQ(r.status, 0);
    return ReadLe32(r.data.data());
  }
  // The codes the status query shows every 100 ms until `ms` passed, without repeats.
  std::vector<uint32_t> Watch(uint64_t ms) {
    std::vector<uint32_t> codes = {Status() & ~kPinBit};
    for (uint64_t t = 0; t < ms; t += 100) {
      loop.Advance(100);
      const uint32_t code = Status() & ~kPinBit;
      if (code != codes.back()) codes.push_back(code);
    }
    return codes;
  }
  Reply Credentials() { return Query(*emulator, OID_VND_WPS_CREDENTIALS); }
  std::string CredentialSsid(const Reply& r) {
    return std::string(reinterpret_cast<const char*>(r.data.data() + 8), ReadLe32(&r.data[4]));
  }

  Scenario scenario;
  World world;
  VirtualEventLoop loop;
  std::unique_ptr<AdapterEmulator> emulator;
};

TEST_F(WpsEngineTest, RightPinStepsToSuccessWithTheAccessPointsCredentials) {
  EXPECT_EQ(Status(), 0u);
  ASSERT_EQ(
      Set(*emulator, OID_VND_WPS_START, StartRequest(true, false, "12345670", "PinAp", 1)).status,
      0);
  EXPECT_EQ(Status(), kPinBit | 2);
  EXPECT_EQ(Watch(10'000),
            (std::vector<uint32_t>{2, 3, 4, 5, 6, 17, 18, 19, 21, 22, 23, 24, 25, 26, 27, 15}));
  const Reply table = Credentials();
  ASSERT_EQ(table.data.size(), 996u);
  EXPECT_EQ(ReadLe32(table.data.data()), 1u);
  EXPECT_EQ(CredentialSsid(table), "PinAp");
  EXPECT_EQ(ReadLe32(&table.data[4 + 36]), 32u);  // WPA2-PSK
  EXPECT_EQ(ReadLe32(&table.data[4 + 40]), 8u);   // AES
  EXPECT_EQ(ReadLe32(&table.data[4 + 48]), 13u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&table.data[4 + 52]), 13), "correct horse");
  EXPECT_EQ(table.data[4 + 121], 0x01);  // the access point's BSSID
  EXPECT_EQ(ReadLe32(Query(*emulator, OID_VND_WPS_CHANNEL).data.data()), 6u);
}

TEST_F(WpsEngineTest, PinFailuresEndInTheirCodesAndHandOverNothing) {
  struct Case {
    const char* name;
    const char* pin;
    const char* ssid;
    uint8_t last;
    uint32_t finalCode;
  } cases[] = {
      {"wrong PIN", "12345671", "PinAp", 1, 262},
      {"locked", "12345670", "Locked", 2, 516},
      {"not in range", "12345670", "Nowhere", 9, 513},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(
        Set(*emulator, OID_VND_WPS_START, StartRequest(true, false, c.pin, c.ssid, c.last)).status,
        0);
    EXPECT_EQ(Watch(10'000).back(), c.finalCode) << c.name;
    EXPECT_EQ(ReadLe32(Credentials().data.data()), 0u) << c.name;
  }
}

TEST_F(WpsEngineTest, PushButtonNeedsExactlyOnePressedAccessPoint) {
  ASSERT_EQ(Set(*emulator, OID_VND_WPS_START, StartRequest(false, false)).status, 0);
  EXPECT_EQ(Status(), 2u);  // no PIN bit
  loop.Advance(60'000);
  EXPECT_EQ(Status(), 2u);  // still walking
  ASSERT_TRUE(world.SetWpsButton(scenario.networks[3].bssid, true));
  EXPECT_EQ(Watch(10'000).back(), 15u);
  EXPECT_EQ(CredentialSsid(Credentials()), "Button");

  ASSERT_TRUE(world.SetWpsButton(scenario.networks[0].bssid, true));
  ASSERT_EQ(Set(*emulator, OID_VND_WPS_START, StartRequest(false, false)).status, 0);
  EXPECT_EQ(Watch(1000).back(), 257u);  // overlap

  world.SetWpsButton(scenario.networks[0].bssid, false);
  world.SetWpsButton(scenario.networks[3].bssid, false);
  ASSERT_EQ(Set(*emulator, OID_VND_WPS_START, StartRequest(false, false)).status, 0);
  EXPECT_EQ(Watch(130'000).back(), 258u);  // walk time over
}

TEST_F(WpsEngineTest, RegistrarConfiguresAnUnconfiguredAccessPoint) {
  std::vector<uint8_t> table(996, 0);
  WriteLe32(table.data(), 1);
  WriteLe32(&table[4], 9);
  std::memcpy(&table[8], "NewHomeAP", 9);
  WriteLe32(&table[4 + 36], 32);
  WriteLe32(&table[4 + 40], 8);
  WriteLe32(&table[4 + 48], 12);
  std::memcpy(&table[4 + 52], "new-key-1234", 12);
  ASSERT_EQ(
      Set(*emulator, OID_VND_WPS_START, StartRequest(true, true, "11112228", "Fresh", 3)).status,
      0);
  ASSERT_EQ(Set(*emulator, OID_VND_WPS_CREDENTIALS, table).status, 0);
  EXPECT_EQ(Watch(10'000),
            (std::vector<uint32_t>{2, 3, 4, 5, 6, 34, 35, 38, 39, 40, 41, 42, 43, 15}));
  const NetworkSpec* ap = world.Find(scenario.networks[2].bssid);
  ASSERT_TRUE(ap);
  EXPECT_EQ(ap->ssid, "NewHomeAP");
  EXPECT_EQ(ap->security, Security::kWpa2Psk);
  EXPECT_TRUE(ap->aes);
  EXPECT_EQ(ap->key, "new-key-1234");
  EXPECT_EQ(ap->wps.state, 2);
  EXPECT_EQ(CredentialSsid(Credentials()), "NewHomeAP");

  // A wrong PIN leaves the network as it was.
  ASSERT_EQ(
      Set(*emulator, OID_VND_WPS_START, StartRequest(true, true, "87654325", "PinAp", 1)).status,
      0);
  EXPECT_EQ(Watch(10'000).back(), 262u);
  EXPECT_EQ(world.Find(scenario.networks[0].bssid)->ssid, "PinAp");
}

TEST_F(WpsEngineTest, HardwareButtonIsReportedOnceAndStartsAPushButtonRun) {
  EXPECT_EQ(ReadLe32(Query(*emulator, OID_VND_WPS_BUTTON).data.data()), 0u);
  world.SetWpsButton(scenario.networks[3].bssid, true);
  emulator->PressWpsButton();
  EXPECT_EQ(ReadLe32(Query(*emulator, OID_VND_WPS_BUTTON).data.data()), 1u);
  EXPECT_EQ(ReadLe32(Query(*emulator, OID_VND_WPS_BUTTON).data.data()), 0u);
  EXPECT_EQ(Watch(10'000).back(), 15u);
}

TEST_F(WpsEngineTest, MalformedStartsAreRefused) {
  auto bad = StartRequest(true, false, "12345670", "PinAp", 1);
  WriteLe32(bad.data(), 0x30000000);
  EXPECT_EQ(Set(*emulator, OID_VND_WPS_START, bad).status, ERROR_INVALID_PARAMETER);
  // An SSID length past the record is clipped, not read beyond it.
  auto longSsid = StartRequest(true, false, "12345670", "PinAp", 1);
  WriteLe32(longSsid.data() + 12, 0xFFFFFFFF);
  EXPECT_EQ(Set(*emulator, OID_VND_WPS_START, longSsid).status, 0);
  EXPECT_EQ(Watch(10'000).back(), 15u);  // found by its BSSID
}

}  // namespace
}  // namespace kavo9::test
