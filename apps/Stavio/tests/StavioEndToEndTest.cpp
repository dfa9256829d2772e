// Starts the real system daemon and `Stavio -S` on a temporary machine and checks, in the
// adapter's request log, that the utility found the adapter, made it ready and ticks; then that
// unplugging is noticed and plugging in brings the adapter back.

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "common/platform/simulated/SystemServicesClient.h"
#include "common/testing/ProcessTestSupport.h"
#include "sim/daemon/MachineSetup.h"

namespace kavo9::test {
namespace {

class StavioEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    machine = MakeTempDir("k9stavio");
    ASSERT_FALSE(machine.empty());
    std::string error;
    ASSERT_TRUE(
        InitMachine(SourceDir() / "sim/scenarios/one-open.json", MachineLayout(machine), &error))
        << error;
    const auto bin = BinDir();
    daemon =
        Spawn({(bin / "kavo9-simd").string(), "--machine", machine.string()}, machine / "simd.err");
    ASSERT_GT(daemon, 0);
    ASSERT_TRUE(WaitFor([&] {
      return Call({{"cmd", "status"}}).value("ok", false);
    })) << ReadText(machine / "simd.err");
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    stavio = Spawn({(bin / "Stavio").string(), "-S", "--machine", machine.string()},
                   machine / "stavio.err");
    ASSERT_GT(stavio, 0);
  }

  void TearDown() override {
    Stop(stavio);
    Stop(daemon);
    std::error_code ec;
    std::filesystem::remove_all(machine, ec);
  }

  nlohmann::json Call(const nlohmann::json& request) {
    nlohmann::json reply;
    CallDaemon(machine / "run" / "simd.sock", request, &reply);
    return reply.is_object() ? reply : nlohmann::json::object();
  }

  // Requests as "Q NAME" / "S NAME" since sequence number `from`.
  std::vector<std::string> Requests(uint64_t from = 1) {
    std::vector<std::string> names;
    nlohmann::json reply = Call({{"cmd", "requests"}, {"from", from}});
    for (const auto& entry : reply.value("entries", nlohmann::json::array())) {
      names.push_back(std::string(entry.value("kind", "") == "set" ? "S " : "Q ") +
                      entry.value("name", ""));
    }
    return names;
  }
  uint64_t LastRequest() { return Call({{"cmd", "requests"}}).value("last", uint64_t(0)); }

  static bool ContainsInOrder(const std::vector<std::string>& log,
                              const std::vector<std::string>& sequence) {
    size_t next = 0;
    for (const std::string& entry : log) {
      if (next < sequence.size() && entry == sequence[next]) ++next;
    }
    return next == sequence.size();
  }

  std::filesystem::path machine;
  pid_t daemon = -1;
  pid_t stavio = -1;
};

TEST_F(StavioEndToEnd, FindsTheAdapterMakesItReadyTicksAndFollowsUnplugAndPlug) {
  const std::vector<std::string> ready = {"S OID_VND_WPS_CONNECT",
                                          "Q OID_VND_STA_CONFIG",
                                          "S OID_VND_STA_CONFIG",
                                          "Q OID_802_11_NETWORK_TYPES_SUPPORTED",
                                          "Q OID_VND_OP_MODE",
                                          "S OID_VND_RADIO",
                                          "Q OID_GEN_MEDIA_CONNECT_STATUS",
                                          "Q OID_802_11_BSSID",
                                          "Q OID_802_11_SSID",
                                          "Q OID_VND_LINK_STATE"};
  ASSERT_TRUE(WaitFor([&] { return ContainsInOrder(Requests(), ready); }))
      << ReadText(machine / "stavio.err");

  ASSERT_TRUE(Call({{"cmd", "unplug"}, {"adapter", "usb0"}}).value("ok", false));
  uint64_t mark = LastRequest();
  // Unplugged: nothing reaches the adapter, and Stavio keeps running.
  std::this_thread::sleep_for(std::chrono::milliseconds(2500));
  EXPECT_EQ(LastRequest(), mark);
  ASSERT_TRUE(Call({{"cmd", "plug"}, {"adapter", "usb0"}}).value("ok", false));
  // Plugged in again: found within a tick or two and made ready again.
  EXPECT_TRUE(WaitFor([&] {
    return ContainsInOrder(Requests(mark + 1), {"Q OID_VND_OP_MODE", "S OID_VND_RADIO",
                                                "Q OID_GEN_MEDIA_CONNECT_STATUS"});
  })) << ReadText(machine / "stavio.err");
  EXPECT_EQ(Stop(stavio), 0);
}

}  // namespace
}  // namespace kavo9::test
