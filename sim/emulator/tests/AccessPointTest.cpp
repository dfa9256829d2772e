// The emulated driver as an access point: the BSS it runs from the adapter key and from the
// configuration requests, the stations that join it (the scenario's and the control tool's) and
// what it answers about them.

#include "sim/emulator/areas/ApStations.h"
#include "sim/emulator/tests/EmulatorTestSupport.h"

namespace kavo9::test {
namespace {

constexpr const char* kStations = R"({
  "adapters": [{
    "name": "usb0", "family": "QKD170", "mac": "00-1D-5A-30-70-3F",
    "hardwareIds": ["USB\\VID_1D5A&PID_3070&REV_0101"], "deviceDescription": "802.11n USB Card",
    "instanceId": "{6F1C3B52-0C1E-4B8A-9A59-2A0D3C70A001}",
    "parameters": {"OpMode": 1, "SSID": "Lobby", "Channel": 6}
  }],
  "stations": [
    {"name": "laptop", "mac": "02-00-00-00-00-01", "ssid": "Lobby", "signal": -45},
    {"name": "phone", "mac": "02-00-00-00-00-02", "ssid": "Lobby", "security": "wpa2-psk",
     "key": "correct horse", "signal": -62},
    {"name": "tablet", "mac": "02-00-00-00-00-03", "ssid": "Elsewhere"}
  ]
})";

class AccessPoint : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(ParseScenario(kStations, &scenario, &error)) << error;
    world = World(scenario.networks, scenario.stations);
    emulator = std::make_unique<AdapterEmulator>(scenario.adapters[0], world,
                                                 [this] { return loop.MonotonicMs(); });
  }
  std::vector<std::string> Joined() {
    std::vector<std::string> names;
    for (const emu::ApStation& s : emulator->apStations()) names.push_back(s.spec.name);
    return names;
  }
  std::vector<uint8_t> Key(uint32_t index, const std::vector<uint8_t>& key, uint8_t bssidByte = 0) {
    std::vector<uint8_t> record(39 + key.size(), 0);
    WriteLe32(record.data(), uint32_t(record.size()));
    WriteLe32(record.data() + 4, index);
    WriteLe32(record.data() + 8, uint32_t(key.size()));
    std::memset(record.data() + 12, bssidByte, 6);
    std::copy(key.begin(), key.end(), record.begin() + 32);
    return record;
  }
  void Secure(uint32_t auth, uint32_t encryption) {
    ASSERT_EQ(Set(*emulator, OID_802_11_AUTHENTICATION_MODE, Le32(auth)).status, 0);
    ASSERT_EQ(Set(*emulator, OID_802_11_ENCRYPTION_STATUS, Le32(encryption)).status, 0);
  }

  VirtualEventLoop loop;
  Scenario scenario;
  World world;
  std::unique_ptr<AdapterEmulator> emulator;
};

TEST_F(AccessPoint, RunsTheBssOfItsKeyAndLetsTheOpenStationJoin) {
  EXPECT_EQ(emulator->opMode(), 1u);
  EXPECT_TRUE(emulator->accessPoint().running);
  EXPECT_EQ(emulator->accessPoint().ssid, "Lobby");
  EXPECT_EQ(emulator->accessPoint().channel, 6);
  EXPECT_EQ(Joined(), std::vector<std::string>{"laptop"});
  EXPECT_EQ(int32_t(Query(*emulator, OID_802_11_RSSI).U32()), -45);
  Reply ssid = Query(*emulator, OID_802_11_SSID);
  EXPECT_EQ(ssid.U32(), 5u);
}

TEST_F(AccessPoint, AdmitsAPreSharedKeyStationOnlyWithTheSameKey) {
  Secure(7, 4);
  const auto right = *emu::StationPmk("correct horse", "Lobby");
  ASSERT_EQ(Set(*emulator, OID_802_11_ADD_KEY,
                Key(kKeyIndexTransmit, std::vector<uint8_t>(right.begin(), right.end())))
                .status,
            0);
  EXPECT_EQ(Joined(), std::vector<std::string>{"phone"});  // the open laptop had to leave
  const auto wrong = *emu::StationPmk("wrong horse", "Lobby");
  Set(*emulator, OID_802_11_ADD_KEY,
      Key(kKeyIndexTransmit, std::vector<uint8_t>(wrong.begin(), wrong.end())));
  EXPECT_TRUE(Joined().empty());
  // A new network name changes every pass phrase's key.
  Set(*emulator, OID_802_11_ADD_KEY,
      Key(kKeyIndexTransmit, std::vector<uint8_t>(right.begin(), right.end())));
  Set(*emulator, OID_802_11_SSID, SsidValue("Lobby2"));
  EXPECT_TRUE(Joined().empty());
}

TEST_F(AccessPoint, ChecksControlToolStationsTheSameWay) {
  StationSpec wep;
  wep.name = "printer";
  wep.mac = Mac("02-00-00-00-00-09");
  wep.ssid = "Lobby";
  wep.security = Security::kWep;
  wep.key = "0102030405";
  std::string reason;
  EXPECT_FALSE(emulator->JoinStation(wep, &reason));
  EXPECT_EQ(reason, "the access point does not use WEP");
  Secure(0, 0);
  Set(*emulator, OID_802_11_ADD_KEY, Key(0x80000001, {1, 2, 3, 4, 5}, 0xFF));
  EXPECT_TRUE(emulator->JoinStation(wep, &reason)) << reason;
  EXPECT_EQ(Joined(), std::vector<std::string>{"printer"});
  EXPECT_TRUE(emulator->LeaveStation(wep.mac));
  EXPECT_FALSE(emulator->LeaveStation(wep.mac));
  Set(*emulator, OID_802_11_REMOVE_KEY, Key(1, {}, 0xFF));
  EXPECT_FALSE(emulator->JoinStation(wep, &reason));
  EXPECT_EQ(reason, "its WEP key does not match");
}

TEST_F(AccessPoint, AccessControlAdmitsOrRejectsTheListedStations) {
  std::vector<uint8_t> record(264, 0);
  auto policy = [&](uint32_t p, std::vector<MacAddress> macs) {
    std::fill(record.begin(), record.end(), 0);
    WriteLe32(record.data(), p);
    WriteLe32(record.data() + 4, uint32_t(macs.size()));
    for (size_t i = 0; i < macs.size(); ++i) {
      std::copy(macs[i].begin(), macs[i].end(), record.begin() + 8 + 8 * long(i));
    }
    EXPECT_EQ(Set(*emulator, OID_VND_ACCESS_CONTROL, record).status, 0);
  };
  policy(2, {Mac("02-00-00-00-00-01")});
  EXPECT_TRUE(Joined().empty());
  policy(1, {Mac("02-00-00-00-00-05")});
  EXPECT_TRUE(Joined().empty());
  policy(1, {Mac("02-00-00-00-00-01")});
  EXPECT_EQ(Joined(), std::vector<std::string>{"laptop"});
  record[0] = 3;
  EXPECT_EQ(Set(*emulator, OID_VND_ACCESS_CONTROL, record).status, ERROR_INVALID_PARAMETER);
}

TEST_F(AccessPoint, ListsItsStationsInTheStationTable) {
  Reply ht = Query(*emulator, OID_VND_MAC_TABLE, 324);
  ASSERT_EQ(ht.status, 0);
  EXPECT_EQ(ht.U32(), 1u);
  EXPECT_EQ(ht.data[4 + 5], 0x01);
  EXPECT_EQ(ht.data[4 + 6], 1);  // association id
  Reply plain = Query(*emulator, OID_VND_MAC_TABLE, 260);
  ASSERT_EQ(plain.status, 0);
  EXPECT_EQ(plain.U32(), 1u);
}

TEST_F(AccessPoint, TheStationModeEndsTheBssAndItsStations) {
  ASSERT_EQ(Joined().size(), 1u);
  ASSERT_EQ(Set(*emulator, OID_VND_OP_MODE, Le32(0)).status, 0);
  EXPECT_FALSE(emulator->accessPoint().running);
  EXPECT_TRUE(Joined().empty());
  // Back in access-point mode the driver starts again from its key.
  ASSERT_EQ(Set(*emulator, OID_VND_OP_MODE, Le32(1)).status, 0);
  EXPECT_EQ(Joined(), std::vector<std::string>{"laptop"});
  // The radio off: nobody stays.
  Set(*emulator, OID_VND_RADIO, Le32(0));
  EXPECT_TRUE(Joined().empty());
}

TEST_F(AccessPoint, KeepsTheConfigurationRecordsItIsSent) {
  std::vector<uint8_t> rekey = {0, 0, 0, 0, 60, 0, 0, 0};
  ASSERT_EQ(Set(*emulator, OID_VND_REKEY, rekey).status, 0);
  EXPECT_EQ(Query(*emulator, OID_VND_REKEY).data, rekey);
  Reply options = Query(*emulator, OID_VND_AP_CONFIG);
  EXPECT_EQ(options.U32(24), 300u);  // the driver's idle time before anything was set
  std::vector<uint8_t> configuration(32, 0);
  WriteLe32(configuration.data() + 12, 5180000);
  Set(*emulator, OID_802_11_CONFIGURATION, configuration);
  EXPECT_EQ(emulator->accessPoint().channel, 36);
}

TEST(StationScenario, RefusesStationsThatCannotBe) {
  const char* cases[][2] = {
      {R"({"mac": "02-00-00-00-00-01"})", "/stations/0/ssid: missing"},
      {R"({"mac": "02-00-00-00-00-01", "ssid": "x", "security": "wep", "key": "12"})",
       "/stations/0/key: a WEP key is 10 or 26 hexadecimal digits"},
      {R"({"mac": "02-00-00-00-00-01", "ssid": "x", "security": "wpa2-psk"})",
       "/stations/0/key: a pass phrase of 1 to 63 characters or 64 hexadecimal digits"},
      {R"({"mac": "02-00-00-00-00-01", "ssid": "x", "security": "wpa3"})",
       "/stations/0/security: expected open, wep, wpa-psk or wpa2-psk"},
      {R"({"mac": "02-00-00-00-00-01", "ssid": "x", "colour": "red"})",
       "/stations/0/colour: unknown member"},
  };
  for (const auto& [station, message] : cases) {
    Scenario s;
    std::string error;
    EXPECT_FALSE(ParseScenario(std::string(R"({"stations": [)") + station + "]}", &s, &error));
    EXPECT_EQ(error, message) << station;
  }
}

}  // namespace
}  // namespace kavo9::test
