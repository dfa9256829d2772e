// The CPU cost of one controller tick against the real system daemon of a demo machine: every
// request of the tick opens the adapter's device socket, sends one frame and reads the answer.
//
//   build/bench/controller_tick_bench

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "common/adapter/Adapter.h"
#include "common/platform/fake/VirtualEventLoop.h"
#include "common/platform/simulated/SimulatedMachine.h"
#include "common/platform/simulated/SystemServicesClient.h"
#include "sim/daemon/MachineSetup.h"
#include "station/shell/controller/CHideDlg.h"
#include "station/shell/controller/testing/RecordingParts.h"

extern char** environ;

namespace kavo9 {
namespace {

struct DemoMachine {
  DemoMachine() {
    char pattern[] = "/tmp/k9benchXXXXXX";
    if (!::mkdtemp(pattern)) std::abort();
    dir = pattern;
    std::string error;
    if (!InitMachine(std::filesystem::path(KAVO9_SOURCE_DIR) / "sim/scenarios/demo.json",
                     MachineLayout(dir), &error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      std::abort();
    }
    std::string program = std::string(KAVO9_BIN_DIR) + "/kavo9-simd";
    std::string machine = dir.string();
    char* argv[] = {program.data(), const_cast<char*>("--machine"), machine.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawn(&daemon, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    for (int i = 0; i < 500; ++i) {
      nlohmann::json reply;
      if (CallDaemon(dir / "run" / "simd.sock", {{"cmd", "status"}}, &reply)) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }
  ~DemoMachine() {
    ::kill(daemon, SIGTERM);
    ::waitpid(daemon, nullptr, 0);
    std::filesystem::remove_all(dir);
  }
  std::filesystem::path dir;
  pid_t daemon = -1;
};

void BM_ControllerTick(benchmark::State& state) {
  DemoMachine machine;
  VirtualEventLoop loop;
  SimulatedPlatform simulated(machine.dir, loop);
  Platform& platform = simulated.platform();
  SettingsFile settings(platform.paths->ExecutablePath());
  Adapter adapter(platform, Utility::kStation, nullptr);
  RecordingStore store(*platform.registry);
  KeyLanguage language;
  RecordingTray tray;
  RecordingMainWindow window;
  RecordingActions actions;
  RecordingConnect connect;
  RecordingSupplicant supplicant;
  RecordingWps wps;
  RecordingSoftApDefaults softAp;
  RecordingRegion region;
  StationState station;
  CHideDlg controller(ControllerParts{platform, adapter.access(), adapter, store, settings,
                                      language, tray, window, actions, connect, supplicant, wps,
                                      softAp, region, station});
  controller.SetOpenMainWindowAtStart(false);
  controller.Initialise();
  if (!station.adapterAvailable) state.SkipWithError("no adapter on the demo machine");
  for (auto _ : state) controller.OnTimer(kTimerTick);
}
BENCHMARK(BM_ControllerTick)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kavo9

BENCHMARK_MAIN();
