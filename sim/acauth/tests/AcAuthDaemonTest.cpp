#include <condition_variable>
#include <cstring>
#include <mutex>
#include <vector>

#include <gtest/gtest.h>

#include "common/adapter/DriverValues.h"
#include "common/adapter/RequestCatalogue.h"
#include "common/platform/AcAuthApi.h"
#include "common/platform/simulated/SimulatedDeviceIo.h"
#include "sim/acauth/tests/AcAuthTestSupport.h"
#include "sim/daemon/tests/DaemonTestSupport.h"
#include "sim/wpa/WpaKeys.h"

extern "C" void Kavo9_BindMachine(const char* machineDir);

namespace kavo9::test {
namespace {

// What the library told the port, in order, with the state or status it read at the time.
struct Recorder {
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<std::pair<int, int>> events;  // kind, value
  int handle = 0;

  static void OnEvent(void* context, int kind) {
    auto* self = static_cast<Recorder*>(context);
    int value = 0;
    if (kind == AC_PORT_EVENT_STATE) acPortGetState(self->handle, &value);
    if (kind == AC_PORT_EVENT_STATUS) acPortGetStatus(self->handle, &value);
    if (kind == AC_PORT_EVENT_LINK) acPortGetLinkState(self->handle, &value);
    std::lock_guard hold(self->mutex);
    self->events.emplace_back(kind, value);
    self->changed.notify_all();
  }

  bool WaitFor(int kind, int value, std::chrono::seconds limit) {
    std::unique_lock hold(mutex);
    return changed.wait_for(hold, limit, [&] {
      for (const auto& e : events) {
        if (e.first == kind && e.second == value) return true;
      }
      return false;
    });
  }
};

class AcAuthDaemonTest : public DaemonTest {
 protected:
  const char* ScenarioName() const override { return "demo.json"; }

  void SetUp() override {
    DaemonTest::SetUp();
    Kavo9_BindMachine(machine.c_str());
    ASSERT_EQ(acInit(nullptr), AC_OK);
    char name[AC_PORT_NAME_BYTES] = {};
    ASSERT_EQ(acGetNextPortSymName(nullptr, name), AC_OK);
    EXPECT_EQ(name, scenario.adapters[0].instanceId);
    char after[AC_PORT_NAME_BYTES] = {};
    EXPECT_EQ(acGetNextPortSymName(name, after), AC_ERR_NO_MORE);
    acPortAttr attr{};
    ASSERT_EQ(acGetPortAttr(name, &attr), AC_OK);
    EXPECT_EQ(0, std::memcmp(attr.mac, scenario.adapters[0].mac.data(), 6));
    EXPECT_NE(attr.media & AC_MEDIA_80211_MASK, 0u);
    ASSERT_EQ(acPortAttach(&recorder.handle, name, &recorder, &Recorder::OnEvent, nullptr), AC_OK);
  }

  void TearDown() override {
    acPortDetach(recorder.handle);
    acExit();
    DaemonTest::TearDown();
  }

  void Set32(uint32_t code, uint32_t value) {
    std::vector<uint8_t> bytes(4);
    std::memcpy(bytes.data(), &value, 4);
    Set(code, bytes);
  }

  void Set(uint32_t code, std::vector<uint8_t> value) {
    SimulatedDeviceIo device(machine);
    DeviceIo& io = device;
    const DeviceIo::Handle h = io.Open(DevicePath(0));
    ASSERT_NE(h, DeviceIo::kInvalidHandle);
    uint32_t oid = code | kSetBit, count = 0;
    EXPECT_TRUE(io.Control(h, IOCTL_NDIS_QUERY_GLOBAL_STATS, &oid, 4, value.data(),
                           uint32_t(value.size()), &count));
    io.Close(h);
  }

  // Joins `ssid` as the station utility's connect does, and hands the pass phrase over.
  void Connect(const std::string& ssid, uint32_t auth, uint32_t keyMgmt, const std::string& pass) {
    Set32(OID_802_11_AUTHENTICATION_MODE, auth);
    Set32(OID_802_11_ENCRYPTION_STATUS, Ndis802_11Encryption3Enabled);
    acObject psk = nullptr;
    ASSERT_EQ(acRsnPskCreate(&psk, pass.data(), int(pass.size()),
                             reinterpret_cast<const uint8_t*>(ssid.data()), int(ssid.size())),
              AC_OK);
    ASSERT_EQ(acCredRsnPsk(recorder.handle, psk), AC_OK);
    acRsnPskDestroy(psk);  // the port keeps its own copy
    const acAssociation a = acauthtest::Association(ssid, keyMgmt, AC_CIPHER_AES);
    ASSERT_EQ(acPortAuth(recorder.handle), AC_OK);
    ASSERT_EQ(acPortAssociate(recorder.handle, &a), AC_OK);
    Set(OID_802_11_SSID, acauthtest::SsidRecord(ssid));
  }

  nlohmann::json Link() {
    nlohmann::json reply;
    SendDaemonCommand(
        machine, {{"cmd", "auth"}, {"op", "link"}, {"adapter", scenario.adapters[0].instanceId}},
        &reply, &error);
    return reply;
  }

  Recorder recorder;
};

TEST_F(AcAuthDaemonTest, RightPassPhraseOpensThePortAndGivesAnAddress) {
  Connect("Apartment 4B", Ndis802_11AuthModeWPA2PSK, AC_KM_WPA2_PSK,
          "correct horse battery staple");
  ASSERT_TRUE(
      recorder.WaitFor(AC_PORT_EVENT_STATE, AC_STATE_AUTHENTICATED, std::chrono::seconds(10)));
  const nlohmann::json link = Link();
  EXPECT_TRUE(link.value("portOpen", false)) << link.dump();
  EXPECT_NE(link.value("ip", std::string()), "");
  uint8_t ip[4] = {};
  EXPECT_EQ(acIpGetConfig(recorder.handle, ip), AC_OK);
  EXPECT_EQ(ip[0], 192);
  int connected = 0;
  EXPECT_EQ(acIpIsConnected(recorder.handle, &connected), AC_OK);
  EXPECT_EQ(connected, 1);
  // The order the program's status lines follow.
  std::lock_guard hold(recorder.mutex);
  ASSERT_GE(recorder.events.size(), 4u);
  EXPECT_EQ(recorder.events[0], std::make_pair(AC_PORT_EVENT_STATE, AC_STATE_SEE_STATUS));
  EXPECT_EQ(recorder.events[1], std::make_pair(AC_PORT_EVENT_STATE, AC_STATE_CONNECTING));
  EXPECT_EQ(recorder.events[2], std::make_pair(AC_PORT_EVENT_LINK, AC_LINK_UP));
}

TEST_F(AcAuthDaemonTest, WrongPassPhraseNeverOpensThePortAndTimesOut) {
  Connect("Apartment 4B", Ndis802_11AuthModeWPA2PSK, AC_KM_WPA2_PSK, "not the right phrase");
  ASSERT_TRUE(recorder.WaitFor(AC_PORT_EVENT_STATUS, AC_STATUS_TIMEOUT, std::chrono::seconds(15)));
  const nlohmann::json link = Link();
  EXPECT_TRUE(link.value("connected", false));
  EXPECT_FALSE(link.value("portOpen", true));
  EXPECT_FALSE(link.contains("ip"));
  std::lock_guard hold(recorder.mutex);
  for (const auto& e : recorder.events) {
    EXPECT_NE(e, std::make_pair(AC_PORT_EVENT_STATE, AC_STATE_AUTHENTICATED));
  }
}

TEST_F(AcAuthDaemonTest, MixedNetworkTakesWpaWithTkipAndA64DigitKey) {
  // The PMK of "millers2008" for "Miller Family", written as 64 hexadecimal digits.
  const wpa::Pmk pmk = wpa::PmkFromPassPhrase("millers2008", "Miller Family");
  Set32(OID_802_11_AUTHENTICATION_MODE, Ndis802_11AuthModeWPAPSK);
  Set32(OID_802_11_ENCRYPTION_STATUS, Ndis802_11Encryption2Enabled);
  acObject psk = nullptr;
  ASSERT_EQ(acRsnBinPskCreate(&psk, pmk.data()), AC_OK);
  ASSERT_EQ(acCredRsnPsk(recorder.handle, psk), AC_OK);
  acRsnPskDestroy(psk);
  const std::string ssid = "Miller Family";
  acAssociation a{};
  std::memcpy(a.ssid, ssid.data(), ssid.size());
  a.ssidLength = uint32_t(ssid.size());
  a.keyManagement = AC_KM_WPA_PSK;
  a.cipher = AC_CIPHER_TKIP;
  ASSERT_EQ(acPortAssociate(recorder.handle, &a), AC_OK);
  std::vector<uint8_t> record(36, 0);
  const uint32_t length = uint32_t(ssid.size());
  std::memcpy(record.data(), &length, 4);
  std::memcpy(record.data() + 4, ssid.data(), ssid.size());
  Set(OID_802_11_SSID, record);
  ASSERT_TRUE(
      recorder.WaitFor(AC_PORT_EVENT_STATE, AC_STATE_AUTHENTICATED, std::chrono::seconds(10)));
  EXPECT_TRUE(Link().value("portOpen", false));
}

}  // namespace
}  // namespace kavo9::test
