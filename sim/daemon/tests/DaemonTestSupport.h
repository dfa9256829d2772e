#pragma once
// Runs the real kavo9-simd on a temporary machine folder made from a shipped scenario, and
// stops it with SIGTERM.

#include <chrono>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "common/testing/ProcessTestSupport.h"
#include "sim/control/MachineCommands.h"
#include "sim/daemon/MachineSetup.h"

namespace kavo9::test {

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
  return Spawn({(BinDir() / "kavo9-simd").string(), "--machine", machine.string()}, errFile);
}

// A machine folder made from a scenario with its daemon running.
class DaemonTest : public ::testing::Test {
 protected:
  virtual const char* ScenarioName() const { return "two-adapters.json"; }

  void SetUp() override {
    machine = MakeTempDir("k9sim");
    ASSERT_FALSE(machine.empty());
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
    const bool up = WaitFor(
        [&] {
          nlohmann::json reply;
          return SendDaemonCommand(machine, {{"cmd", "status"}}, &reply, &error);
        },
        std::chrono::seconds(15));
    ASSERT_TRUE(up) << "the daemon did not come up: " << ReadText(machine / "simd.err");
  }

  // Stops the daemon with SIGTERM and returns its exit status.
  int StopDaemon() { return Stop(pid); }

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
