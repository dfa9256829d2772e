// The emulated access point's event log, idle ageing, station rates and counters.

#include "sim/emulator/areas/ApStations.h"
#include "sim/emulator/tests/EmulatorTestSupport.h"

namespace kavo9::test {
namespace {

constexpr const char* kMachine = R"({
  "adapters": [{
    "name": "usb0", "family": "QKD170", "mac": "00-1D-5A-30-70-3F",
    "hardwareIds": ["USB\\VID_1D5A&PID_3070&REV_0101"], "deviceDescription": "802.11n USB Card",
    "instanceId": "{6F1C3B52-0C1E-4B8A-9A59-2A0D3C70A001}",
    "parameters": {"OpMode": 1, "SSID": "Lobby", "Channel": 6}
  }],
  "stations": [{"name": "laptop", "mac": "02-00-00-00-00-01", "ssid": "Lobby", "signal": -45}]
})";

struct Event {
  uint16_t code;
  uint8_t lastMacByte;
  bool operator==(const Event&) const = default;
};

class ApEvents : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(ParseScenario(kMachine, &scenario, &error)) << error;
    world = World(scenario.networks, scenario.stations);
    emulator = std::make_unique<AdapterEmulator>(scenario.adapters[0], world,
                                                 [this] { return loop.MonotonicMs(); });
  }
  std::vector<Event> Events() {
    Reply r = Query(*emulator, OID_VND_EVENT_LOG, 168);
    EXPECT_EQ(r.status, 0);
    std::vector<Event> events;
    for (uint32_t i = 0; i < r.U32() && i < 10; ++i) {
      const uint8_t* e = r.data.data() + 8 + 16 * i;
      events.push_back({uint16_t(e[14] | e[15] << 8), e[13]});
    }
    return events;
  }
  StationSpec Visitor(const char* mac, Security security = Security::kOpen, std::string key = {}) {
    StationSpec s;
    s.name = "visitor";
    s.mac = Mac(mac);
    s.ssid = "Lobby";
    s.security = security;
    s.key = std::move(key);
    return s;
  }

  VirtualEventLoop loop;
  Scenario scenario;
  World world;
  std::unique_ptr<AdapterEmulator> emulator;
};

TEST_F(ApEvents, EachEventIsHandedOutOnce) {
  EXPECT_EQ(Events(), (std::vector<Event>{{0, 0}, {1, 0x01}}));
  EXPECT_TRUE(Events().empty());
  std::string reason;
  ASSERT_TRUE(emulator->JoinStation(Visitor("02-00-00-00-00-07"), &reason)) << reason;
  ASSERT_TRUE(emulator->LeaveStation(Mac("02-00-00-00-00-07")));
  ASSERT_TRUE(emulator->StationMicFailure(Mac("02-00-00-00-00-01")));
  EXPECT_FALSE(emulator->StationMicFailure(Mac("02-00-00-00-00-07")));
  EXPECT_EQ(Events(), (std::vector<Event>{{1, 0x07}, {2, 0x07}, {4, 0x01}}));
}

TEST_F(ApEvents, AWrongPassPhraseIsRefusedAndLogged) {
  ASSERT_EQ(Set(*emulator, OID_802_11_AUTHENTICATION_MODE, Le32(7)).status, 0);
  const auto pmk = *emu::StationPmk("correct horse", "Lobby");
  std::vector<uint8_t> record(39 + 32, 0);
  WriteLe32(record.data(), uint32_t(record.size()));
  WriteLe32(record.data() + 4, kKeyIndexTransmit);
  WriteLe32(record.data() + 8, 32);
  std::copy(pmk.begin(), pmk.end(), record.begin() + 32);
  ASSERT_EQ(Set(*emulator, OID_802_11_ADD_KEY, record).status, 0);
  Events();
  std::string reason;
  EXPECT_FALSE(emulator->JoinStation(
      Visitor("02-00-00-00-00-08", Security::kWpa2Psk, "battery staple"), &reason));
  EXPECT_TRUE(emulator->JoinStation(
      Visitor("02-00-00-00-00-09", Security::kWpa2Psk, "correct horse"), &reason))
      << reason;
  EXPECT_EQ(Events(), (std::vector<Event>{{5, 0x08}, {1, 0x09}}));
}

TEST_F(ApEvents, ASilentStationAgesOutAfterTheIdleTime) {
  std::vector<uint8_t> options(32, 0);
  WriteLe32(options.data() + 24, 60);
  ASSERT_EQ(Set(*emulator, OID_VND_AP_CONFIG, options).status, 0);
  Events();
  ASSERT_TRUE(emulator->IdleStation(Mac("02-00-00-00-00-01")));
  loop.Advance(59'000);
  EXPECT_EQ(emulator->apStations().size(), 1u);
  loop.Advance(2'000);
  EXPECT_TRUE(emulator->apStations().empty());
  EXPECT_EQ(Events(), (std::vector<Event>{{3, 0x01}}));
}

TEST_F(ApEvents, TheStationTableCarriesRatesAndTrafficMovesTheCounters) {
  Reply table = Query(*emulator, OID_VND_MAC_TABLE, 324);
  ASSERT_EQ(table.U32(), 1u);
  const uint16_t rate = uint16_t(table.data[4 + 8] | table.data[4 + 9] << 8);
  EXPECT_EQ(rate, 2u << 14 | 1u << 8 | 1u << 7 | 15);  // 802.11n, 40 MHz, 400 ns, MCS 15
  const uint32_t before = Query(*emulator, OID_GEN_RCV_OK).U32();
  loop.Advance(10'000);
  EXPECT_GT(Query(*emulator, OID_GEN_RCV_OK).U32(), before);
  ASSERT_EQ(Set(*emulator, OID_VND_RESET_COUNTERS, {}).status, 0);
  EXPECT_EQ(Query(*emulator, OID_GEN_RCV_OK).U32(), 0u);
}

}  // namespace
}  // namespace kavo9::test
