#pragma once
// Runs the real kavo9-simd on a temporary machine folder made from a shipped scenario, and
// stops it with SIGTERM.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "sim/control/MachineCommands.h"
#include "sim/daemon/MachineSetup.h"

extern char** environ;

namespace kavo9::test {

inline std::filesystem::path SourceDir() {
  const char* source = std::getenv("KAVO9_SOURCE");
  return source ? source : KAVO9_SOURCE_DIR;
}

inline std::filesystem::path BinDir() {
  const char* bin = std::getenv("KAVO9_BIN");
  return bin ? bin : KAVO9_BIN_DIR;
}

// Captures what a control command prints.
struct Captured {
  int rc = 0;
  std::string out;
  std::string err;
};

inline Captured RunCommand(int (*run)(const MachineCommandArgs&, const std::filesystem::path&),
                           const MachineCommandArgs& args, const std::filesystem::path& machine) {
  std::stringstream out, err;
  auto* oldOut = std::cout.rdbuf(out.rdbuf());
  auto* oldErr = std::cerr.rdbuf(err.rdbuf());
  Captured c;
  c.rc = run(args, machine);
  std::cout.rdbuf(oldOut);
  std::cerr.rdbuf(oldErr);
  c.out = out.str();
  c.err = err.str();
  return c;
}

// Starts kavo9-simd and returns its pid; its standard error goes to `errFile`.
inline pid_t SpawnDaemon(const std::filesystem::path& machine,
                         const std::filesystem::path& errFile) {
  std::string program = (BinDir() / "kavo9-simd").string();
  std::string machineText = machine.string();
  std::vector<char*> argv = {program.data(), const_cast<char*>("--machine"), machineText.data(),
                             nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  pid_t pid = -1;
  int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return rc == 0 ? pid : -1;
}

inline std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// A machine folder made from a scenario with its daemon running.
class DaemonTest : public ::testing::Test {
 protected:
  virtual const char* ScenarioName() const { return "two-adapters.json"; }

  void SetUp() override {
    char pattern[] = "/tmp/k9simXXXXXX";
    ASSERT_TRUE(::mkdtemp(pattern));
    machine = pattern;
    Captured init =
        RunCommand(RunInit, {(SourceDir() / "sim/scenarios" / ScenarioName()).string()}, machine);
    ASSERT_EQ(init.rc, 0) << init.err;
    ASSERT_TRUE(LoadMachineScenario(MachineLayout(machine), &scenario, &error)) << error;
    StartDaemon();
  }

  void StartDaemon() {
    pid = SpawnDaemon(machine, machine / "simd.err");
    ASSERT_GT(pid, 0);
    // Wait (bounded) until the control socket answers.
    for (int i = 0; i < 1500; ++i) {
      nlohmann::json reply;
      if (SendDaemonCommand(machine, {{"cmd", "status"}}, &reply, &error)) return;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    FAIL() << "the daemon did not come up: " << ReadText(machine / "simd.err");
  }

  // Stops the daemon with SIGTERM and returns its exit status.
  int StopDaemon() {
    if (pid <= 0) return -1;
    ::kill(pid, SIGTERM);
    int status = 0;
    ::waitpid(pid, &status, 0);
    pid = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }

  void TearDown() override {
    StopDaemon();
    std::error_code ec;
    std::filesystem::remove_all(machine, ec);
  }

  std::string DevicePath(size_t adapter) const {
    return "\\\\.\\" + scenario.adapters.at(adapter).instanceId;
  }

  std::filesystem::path machine;
  Scenario scenario;
  std::string error;
  pid_t pid = -1;
};

}  // namespace kavo9::test
