// Starts the real system daemon and `Stavio -S` on a temporary machine and checks, in the
// adapter's request log, that the utility found the adapter, made it ready and ticks; then that
// unplugging is noticed and plugging in brings the adapter back.

#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "common/platform/simulated/SqliteRegistry.h"
#include "common/platform/simulated/SystemServicesClient.h"
#include "common/testing/ProcessTestSupport.h"
#include "sim/daemon/MachineSetup.h"

namespace kavo9::test {
namespace {

class StavioEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override { StartMachine(SourceDir() / "sim/scenarios/one-open.json"); }

  void StartMachine(const std::filesystem::path& scenario, bool startStavio = true) {
    machine = MakeTempDir("k9stavio");
    ASSERT_FALSE(machine.empty());
    std::string error;
    ASSERT_TRUE(InitMachine(scenario, MachineLayout(machine), &error)) << error;
    const auto bin = BinDir();
    daemon =
        Spawn({(bin / "kavo9-simd").string(), "--machine", machine.string()}, machine / "simd.err");
    ASSERT_GT(daemon, 0);
    ASSERT_TRUE(WaitFor([&] {
      return Call({{"cmd", "status"}}).value("ok", false);
    })) << ReadText(machine / "simd.err");
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (!startStavio) return;
    stavio = StartStavio({"-S"}, "stavio.err");
    ASSERT_GT(stavio, 0);
  }

  pid_t StartStavio(std::vector<std::string> arguments, const std::string& errFile) {
    arguments.insert(arguments.begin(), (BinDir() / "Stavio").string());
    arguments.insert(arguments.end(), {"--machine", machine.string()});
    return Spawn(arguments, machine / errFile);
  }

  // Whether the process has ended within `timeout` (its status in `*status`).
  static bool EndsWithin(pid_t& pid, std::chrono::milliseconds timeout, int* status) {
    int raw = 0;
    const bool ended = WaitFor([&] { return ::waitpid(pid, &raw, WNOHANG) == pid; }, timeout);
    if (ended) {
      *status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
      pid = -1;
    }
    return ended;
  }

  void TearDown() override {
    Stop(stavio);
    Stop(second);
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
  pid_t second = -1;
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
  // Unplugged: nothing reaches the adapter for more than a tick, and Stavio keeps running.
  EXPECT_FALSE(WaitFor([&] { return LastRequest() != mark; }, std::chrono::milliseconds(2500)));
  ASSERT_TRUE(Call({{"cmd", "plug"}, {"adapter", "usb0"}}).value("ok", false));
  // Plugged in again: found within a tick or two and made ready again.
  EXPECT_TRUE(WaitFor([&] {
    return ContainsInOrder(Requests(mark + 1), {"Q OID_VND_OP_MODE", "S OID_VND_RADIO",
                                                "Q OID_GEN_MEDIA_CONNECT_STATUS"});
  })) << ReadText(machine / "stavio.err");
  EXPECT_EQ(Stop(stavio), 0);
}

TEST_F(StavioEndToEnd, ASecondInstanceHandsOverToTheRunningOneAndEnds) {
  ASSERT_TRUE(WaitFor([&] { return ContainsInOrder(Requests(), {"S OID_VND_RADIO"}); }))
      << ReadText(machine / "stavio.err");
  for (const char* attempt : {"second.err", "third.err"}) {
    SCOPED_TRACE(attempt);
    second = StartStavio({}, attempt);
    int status = -1;
    ASSERT_TRUE(EndsWithin(second, std::chrono::seconds(10), &status))
        << "the new process runs on as a second controller";
    EXPECT_EQ(status, 0);
  }
  // The running copy still holds the name and keeps ticking.
  const uint64_t mark = LastRequest();
  EXPECT_TRUE(WaitFor([&] { return LastRequest() > mark; }));
}

// The machine's administrator, for writing a profile into the machine's hives.
class Administrator : public SecurityToken {
 public:
  std::string UserName() const override { return "alice"; }
  bool GetGroupSids(std::vector<std::string>* groups) const override {
    *groups = {"S-1-5-32-544"};
    return true;
  }
};

// A profile activated in an earlier run: Stavio joins it at start, in the fixed order of the
// connect steps, and the request log names Stavio as the sender.
// A machine whose adapter has one active profile, and Stavio started on it.
class StavioWithProfile : public StavioEndToEnd {
 protected:
  using Values = std::vector<std::pair<std::string, std::string>>;

  void StartWithProfile(const char* scenarioFile, const Values& values) {
    StartMachine(SourceDir() / "sim/scenarios" / scenarioFile, /*startStavio=*/false);
    Administrator admin;
    SqliteRegistry registry(MachineLayout(machine).RegistryDir(), admin);
    const std::string key = Call({{"cmd", "status"}})["adapters"][0].value("driverKey", "");
    ASSERT_FALSE(key.empty());
    const std::string adapterKey = "System\\CurrentControlSet\\Control\\Class\\" + key;
    for (const std::string& path : {adapterKey + "\\Profile\\Station\\Cafe", adapterKey}) {
      for (const auto& [name, text] : values) {
        ASSERT_EQ(RegWriteString(registry, HKEY_LOCAL_MACHINE, path, name, text), ERROR_SUCCESS);
      }
    }
    ASSERT_EQ(RegWriteString(registry, HKEY_LOCAL_MACHINE, adapterKey, "CurProfile", "Cafe"),
              ERROR_SUCCESS);
    stavio = StartStavio({"-S"}, "stavio.err");
    ASSERT_GT(stavio, 0);
  }
};

class StavioConnects : public StavioWithProfile {
 protected:
  void SetUp() override {
    StartWithProfile("one-open.json", {{"SSID", "OpenCafe"},
                                       {"NetworkType", "1"},
                                       {"AuthenType", "0"},
                                       {"Encryption", "1"},
                                       {"TXPower", "2"}});
  }
};

TEST_F(StavioConnects, TheActiveProfileIsJoinedAtStartInTheFixedOrder) {
  ASSERT_TRUE(WaitFor([&] {
    const nlohmann::json adapter = Call({{"cmd", "status"}})["adapters"][0];
    return adapter.value("connected", false) && adapter.value("ssid", "") == "OpenCafe";
  })) << ReadText(machine / "stavio.err");
  const std::vector<std::string> order = {"S OID_802_11_DISASSOCIATE",
                                          "S OID_VND_WPS_MODE",
                                          "S OID_802_11_RELOAD_DEFAULTS",
                                          "S OID_802_11_INFRASTRUCTURE_MODE",
                                          "S OID_VND_PROFILE_KIND_FLAG",
                                          "S OID_VND_PREAMBLE",
                                          "S OID_802_11_RTS_THRESHOLD",
                                          "S OID_802_11_FRAGMENTATION_THRESHOLD",
                                          "S OID_802_11_AUTHENTICATION_MODE",
                                          "S OID_802_11_ENCRYPTION_STATUS",
                                          "S OID_VND_TX_POWER",
                                          "S OID_VND_PROFILE_OPTION_FLAG",
                                          "S OID_802_11_REMOVE_KEY",
                                          "S OID_802_11_REMOVE_KEY",
                                          "S OID_802_11_REMOVE_KEY",
                                          "S OID_802_11_REMOVE_KEY",
                                          "S OID_802_11_POWER_MODE",
                                          "S OID_VND_WIRELESS_MODE",
                                          "S OID_VND_STA_CONFIG",
                                          "S OID_VND_WPS_BAND",
                                          "S OID_802_11_SSID"};
  EXPECT_TRUE(ContainsInOrder(Requests(), order));
  // Every request of the connect came from Stavio, and says so.
  const nlohmann::json reply = Call({{"cmd", "requests"}, {"from", 1}});
  size_t named = 0;
  for (const auto& entry : reply.value("entries", nlohmann::json::array())) {
    if (entry.value("name", "") == "OID_VND_TX_POWER") {
      EXPECT_EQ(entry.value("process", ""), "Stavio");
      EXPECT_EQ(entry.value("value", ""), "4B000000");  // index 2 is 75 %
      ++named;
    }
  }
  EXPECT_EQ(named, 1u);
  EXPECT_EQ(Stop(stavio), 0);
}

// A WPA2-PSK profile: the supplicant library negotiates the keys, and only the right pass phrase
// opens the port.
class StavioAuthenticates : public StavioWithProfile {
 protected:
  void SetUp() override {}  // each test starts its own machine
  void Start(const std::string& passPhrase) {
    StartWithProfile("demo.json", {{"SSID", "Apartment 4B"},
                                   {"NetworkType", "1"},
                                   {"AuthenType", "7"},
                                   {"Encryption", "6"},
                                   {"WPAPSK", passPhrase}});
  }
  nlohmann::json Link() {
    const std::string port = Call({{"cmd", "status"}})["adapters"][0].value("instanceId", "");
    return Call({{"cmd", "auth"}, {"op", "link"}, {"adapter", port}});
  }
};

TEST_F(StavioAuthenticates, TheRightPassPhraseOpensThePortAndAnAddressComes) {
  Start("correct horse battery staple");
  EXPECT_TRUE(WaitFor([&] { return Link().value("portOpen", false); }))
      << Link().dump() << ReadText(machine / "stavio.err");
  EXPECT_TRUE(ContainsInOrder(Requests(), {"S OID_802_11_AUTHENTICATION_MODE", "S OID_802_11_SSID",
                                           "S OID_802_11_ADD_KEY"}));
  EXPECT_EQ(Stop(stavio), 0);
}

TEST_F(StavioAuthenticates, AWrongPassPhraseAssociatesButNeverPassesData) {
  Start("not the right phrase");
  ASSERT_TRUE(WaitFor([&] { return Link().value("connected", false); }));
  // Longer than the library's exchanges with the access point take to give up.
  std::this_thread::sleep_for(std::chrono::seconds(4));
  const nlohmann::json link = Link();
  EXPECT_FALSE(link.value("portOpen", true)) << link.dump();
  EXPECT_FALSE(link.contains("ip"));
  EXPECT_EQ(Stop(stavio), 0);
}

// A standard user's machine, with nothing started but the daemon.
class StavioStandardUser : public StavioEndToEnd {
 protected:
  void SetUp() override {
    std::string text = ReadText(SourceDir() / "sim/scenarios/one-open.json");
    const std::string admin = "\"administrator\": true";
    text.replace(text.find(admin), admin.size(), "\"administrator\": false");
    scenario = std::filesystem::temp_directory_path() / ("k9standard" + std::to_string(::getpid()));
    std::ofstream(scenario) << text;
    StartMachine(scenario, /*startStavio=*/false);
  }
  void TearDown() override {
    StavioEndToEnd::TearDown();
    std::filesystem::remove(scenario);
  }
  std::filesystem::path scenario;
};

// A stop signal ends the program at once even while a start-up dialog waits for the user.
TEST_F(StavioStandardUser, ATermSignalDuringTheStandardUserWarningEndsTheProgram) {
  // No "-S": the standard user's warning comes up before the adapter is looked for, and waits.
  stavio = StartStavio({}, "stavio.err");
  ASSERT_GT(stavio, 0);
  int status = -1;
  ASSERT_FALSE(EndsWithin(stavio, std::chrono::milliseconds(1500), &status))
      << "ended without a signal: " << ReadText(machine / "stavio.err");
  ::kill(stavio, SIGTERM);
  EXPECT_TRUE(EndsWithin(stavio, std::chrono::seconds(5), &status))
      << ReadText(machine / "stavio.err");
  EXPECT_EQ(status, 0);
}

}  // namespace
}  // namespace kavo9::test
