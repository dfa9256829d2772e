// Starts the real system daemon and `Stavio -S` on a temporary machine and checks, in the
// adapter's request log, that the utility found the adapter, made it ready and ticks; then that
// unplugging is noticed and plugging in brings the adapter back.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "common/platform/simulated/SystemServicesClient.h"
#include "sim/daemon/MachineSetup.h"

extern char** environ;

namespace kavo9 {
namespace {

std::filesystem::path FromEnvironment(const char* name, const char* fallback) {
  const char* value = std::getenv(name);
  return value ? value : fallback;
}

pid_t Spawn(const std::vector<std::string>& arguments, const std::filesystem::path& errFile) {
  std::vector<char*> argv;
  for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  pid_t pid = -1;
  int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return rc == 0 ? pid : -1;
}

int Stop(pid_t& pid) {
  if (pid <= 0) return -1;
  ::kill(pid, SIGTERM);
  int status = 0;
  ::waitpid(pid, &status, 0);
  pid = -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class StavioEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/k9stavioXXXXXX";
    ASSERT_TRUE(::mkdtemp(pattern));
    machine = pattern;
    const auto source = FromEnvironment("KAVO9_SOURCE", KAVO9_SOURCE_DIR);
    std::string error;
    ASSERT_TRUE(InitMachine(source / "sim/scenarios/one-open.json", MachineLayout(machine),
                            &error))
        << error;
    const auto bin = FromEnvironment("KAVO9_BIN", KAVO9_BIN_DIR);
    daemon = Spawn({(bin / "kavo9-simd").string(), "--machine", machine.string()},
                   machine / "simd.err");
    ASSERT_GT(daemon, 0);
    ASSERT_TRUE(WaitFor([&] { return Call({{"cmd", "status"}}).value("ok", false); }))
        << ReadText(machine / "simd.err");
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

  // Waits (bounded, real time: these are real processes) for `done`.
  static bool WaitFor(const std::function<bool()>& done, int seconds = 20) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < end) {
      if (done()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  }

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
  const std::vector<std::string> ready = {
      "S OID_VND_WPS_CONNECT",     "Q OID_VND_STA_CONFIG",
      "S OID_VND_STA_CONFIG",      "Q OID_802_11_NETWORK_TYPES_SUPPORTED",
      "Q OID_VND_OP_MODE",         "S OID_VND_RADIO",
      "Q OID_GEN_MEDIA_CONNECT_STATUS", "Q OID_802_11_BSSID",
      "Q OID_802_11_SSID",         "Q OID_VND_LINK_STATE"};
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
}  // namespace kavo9
