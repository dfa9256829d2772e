// The real programs on a temporary machine: the system daemon, `Hostira -S`, the ICSDHCP
// library, TsSwap and Stavio. Hostira runs the adapter as an access point that the scenario's
// stations join, connection sharing hands out leases, and the tray's "Switch to Station Mode"
// hands the adapter back: TsSwap reloads the driver and starts Stavio on the restored station
// values.

#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "common/platform/simulated/SystemServicesClient.h"
#include "common/testing/ProcessTestSupport.h"
#include "sim/daemon/MachineSetup.h"

namespace kavo9::test {
namespace {

using nlohmann::json;

constexpr const char* kAdapterKey =
    "HKLM\\System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007";

class HostiraEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    machine = MakeTempDir("k9ap");
    ASSERT_FALSE(machine.empty());
    std::string error;
    ASSERT_TRUE(
        InitMachine(SourceDir() / "sim/scenarios/demo.json", MachineLayout(machine), &error))
        << error;
    // The station values a switch to access-point mode would have kept.
    ASSERT_EQ(Sim({"reg", "set", std::string(kAdapterKey) + "\\Default", "Channel", "REG_SZ", "6"}),
              0);
    daemon = Spawn({(BinDir() / "kavo9-simd").string(), "--machine", machine.string()},
                   machine / "simd.err");
    ASSERT_GT(daemon, 0);
    ASSERT_TRUE(WaitFor([&] {
      return Call({{"cmd", "status"}}).value("ok", false);
    })) << ReadText(machine / "simd.err");
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }

  void TearDown() override {
    Stop(hostira);
    StopDetached(UtilityStartedBySwitch());
    Stop(daemon);
    std::error_code ec;
    std::filesystem::remove_all(machine, ec);
  }

  json Call(const json& request) {
    json reply;
    CallDaemon(machine / "run" / "simd.sock", request, &reply);
    return reply.is_object() ? reply : json::object();
  }
  json Adapter() { return Call({{"cmd", "status"}}).value("adapters", json::array()).at(0); }
  int Sim(std::vector<std::string> arguments, std::string* out = nullptr) {
    std::string ignored;
    arguments.insert(arguments.begin(),
                     {(BinDir() / "kavo9-sim").string(), "--machine", machine.string()});
    return test::Run(arguments, out ? out : &ignored);
  }
  // A text value of the adapter key ("" when missing).
  std::string AdapterValue(const std::string& name) {
    std::string out;
    if (Sim({"reg", "query", kAdapterKey, name}, &out) != 0) return {};
    std::smatch m;
    return std::regex_search(out, m, std::regex("REG_SZ +([^\\n]*)")) ? m[1].str() : "";
  }
  // The program TsSwap started (it runs in its own session, not as this test's child).
  pid_t UtilityStartedBySwitch() {
    std::smatch m;
    const std::string log = ReadText(machine / "run" / "tsswap.log");
    std::regex started(R"(started \w+ \(pid (\d+))");
    pid_t pid = -1;
    for (auto it = std::sregex_iterator(log.begin(), log.end(), started);
         it != std::sregex_iterator(); ++it) {
      pid = pid_t(std::stol((*it)[1]));
    }
    return pid;
  }
  static void StopDetached(pid_t pid) {
    if (pid <= 0 || ::kill(pid, 0) != 0) return;
    ::kill(pid, SIGTERM);
    if (!WaitFor([pid] { return ::kill(pid, 0) != 0; }, std::chrono::seconds(10))) {
      ::kill(pid, SIGKILL);
    }
  }

  std::filesystem::path machine;
  pid_t daemon = -1;
  pid_t hostira = -1;
};

TEST_F(HostiraEndToEnd, RunsTheAccessPointThatStationsJoinAndHandsTheAdapterBack) {
  hostira = Spawn({(BinDir() / "Hostira").string(), "-S", "--machine", machine.string()},
                  machine / "hostira.err");
  ASSERT_GT(hostira, 0);
  // The scenario's two open stations join "SoftAP-01" and get leases from connection sharing.
  ASSERT_TRUE(WaitFor([&] {
    const json a = Adapter();
    return a.value("opMode", 0) == 1 &&
           a.value("accessPoint", json::object()).value("stations", json::array()).size() == 2 &&
           Call({{"cmd", "ics"}})
                   .value("sharing", json::object())
                   .value("leases", json::array())
                   .size() == 2;
  })) << ReadText(machine / "hostira.err")
      << Adapter().dump(2);
  const json ap = Adapter()["accessPoint"];
  EXPECT_EQ(ap.value("ssid", ""), "SoftAP-01");
  EXPECT_EQ(ap.value("security", ""), "open none");
  EXPECT_EQ(Adapter().value("ip", ""), "192.168.0.1");
  EXPECT_EQ(AdapterValue("OpMode"), "1");

  // A station of the control tool with the wrong network name is refused; the right one joins.
  const json wrong = Call({{"cmd", "ap"},
                           {"adapter", "usb0"},
                           {"op", "join"},
                           {"station", {{"mac", "02-00-00-00-00-09"}, {"ssid", "Other"}}}});
  EXPECT_FALSE(wrong.value("ok", true));
  const json right = Call({{"cmd", "ap"},
                           {"adapter", "usb0"},
                           {"op", "join"},
                           {"station", {{"mac", "02-00-00-00-00-09"}, {"ssid", "SoftAP-01"}}}});
  EXPECT_TRUE(right.value("ok", false)) << right.dump();

  // The tray's "Switch to Station Mode".
  std::string tray;
  ASSERT_EQ(Sim({"tray", "click", "right"}, &tray), 0) << tray;
  EXPECT_NE(tray.find("Switch to Station Mode"), std::string::npos) << tray;
  ASSERT_EQ(Sim({"tray", "pick", "32778"}), 0);
  EXPECT_EQ(Wait(hostira), 0);
  hostira = -1;
  ASSERT_TRUE(WaitFor([&] {
    return ReadText(machine / "run" / "tsswap.log").find("started Stavio") != std::string::npos;
  })) << ReadText(machine / "run" / "tsswap.log");
  const json station = Adapter();
  EXPECT_EQ(station.value("opMode", 1), 0);
  EXPECT_FALSE(station.contains("accessPoint"));
  EXPECT_FALSE(Call({{"cmd", "ics"}})["sharing"].value("enabled", true));
  EXPECT_EQ(AdapterValue("Channel"), "6");
  EXPECT_EQ(AdapterValue("OpMode"), "0");
  // Stavio took over: its icon is up.
  EXPECT_TRUE(WaitFor([&] {
    std::string state;
    return Sim({"tray", "state"}, &state) == 0 && state.find("Kavo9") != std::string::npos &&
           state.find("Norvik") == std::string::npos;
  })) << ReadText(machine / "run" / "Stavio.log");
}

}  // namespace
}  // namespace kavo9::test
