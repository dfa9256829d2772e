// The CPU cost of one link panel refresh against the real system daemon of a demo machine, with
// the adapter joined to an open network: the logic alone (every driver request over the device
// socket, the adapter table from the daemon, the formatting), and the window's refresh with its
// painting (the panel drawn into an image, as the screen would).
//
//   build/bench/link_refresh_bench

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "common/adapter/Adapter.h"
#include "common/adapter/RequestCatalogue.h"
#include "common/platform/fake/VirtualEventLoop.h"
#include "common/platform/simulated/SimulatedMachine.h"
#include "common/platform/simulated/SystemServicesClient.h"
#include "sim/daemon/MachineSetup.h"
#include "station/networks/link/LinkStatus.h"
#include "station/networks/link/ui/CLinkStatusDlg.h"

extern char** environ;

namespace kavo9 {
namespace {

struct DemoMachine {
  DemoMachine() {
    char pattern[] = "/tmp/k9linkbenchXXXXXX";
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

// The station as the panel sees it: the demo adapter, English captions, the system's table.
class BenchStation : public link::LinkStationPort {
 public:
  BenchStation(const AdapterPort& adapter, IpHelper& ip) : adapter_(adapter), ip_(ip) {}
  bool ShowDbm() const override { return false; }
  int ChipKind() const override { return adapter_.Identity().chipKind; }
  bool IsHtFamily() const override { return adapter_.Identity().isHtFamily; }
  int WirelessMode() const override { return 5; }
  bool RadioOn() const override { return true; }
  bool KeyError() const override { return false; }
  std::string Text(LangKey key) const override {
    return key == LangKey::IDS_LINK_QUALITY ? "Link Quality : %d%%" : "Signal Strength : %d%%";
  }
  bool AdaptersInfo(std::vector<IpAdapterInfo>* adapters) override {
    return ip_.GetAdaptersInfo(adapters);
  }
  bool ConnectedRowIsHt() const override { return false; }

 private:
  const AdapterPort& adapter_;
  IpHelper& ip_;
};

struct Connected {
  explicit Connected(const std::filesystem::path& dir)
      : simulated(dir, loop), adapter(simulated.platform(), Utility::kStation, nullptr) {
    adapter.DetectWindowsVersion();
    if (!adapter.DiscoverAdapter()) return;
    const std::string ssid = "Bakery Guest";
    std::vector<uint8_t> record(36, 0);
    record[0] = uint8_t(ssid.size());
    std::copy(ssid.begin(), ssid.end(), record.begin() + 4);
    ready =
        adapter.access().SetInformation(OID_802_11_SSID, record.data(), uint32_t(record.size()), 1);
  }
  VirtualEventLoop loop;
  SimulatedPlatform simulated;
  Adapter adapter;
  bool ready = false;
};

void BM_LinkRefreshLogic(benchmark::State& state) {
  DemoMachine machine;
  Connected c(machine.dir);
  if (!c.ready) state.SkipWithError("no adapter on the demo machine");
  BenchStation station(c.adapter, *c.simulated.platform().ipHelper);
  link::LinkStatus link(c.adapter.access(), station);
  link.OnCreate();
  link.OnShow();
  uint64_t now = 0;
  for (auto _ : state) link.Refresh(now += link::kRefreshMs);
  if (!link.View().connected) state.SkipWithError("the panel saw no link");
}
BENCHMARK(BM_LinkRefreshLogic)->Unit(benchmark::kMicrosecond);

void BM_LinkRefreshWindow(benchmark::State& state) {
  DemoMachine machine;
  Connected c(machine.dir);
  if (!c.ready) state.SkipWithError("no adapter on the demo machine");
  BenchStation station(c.adapter, *c.simulated.platform().ipHelper);
  CLinkStatusDlg panel(c.loop, c.adapter.access(), station, "Trebuchet MS");
  panel.resize(864, 232);
  panel.show();
  QImage image(panel.size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    panel.Refresh();
    QPainter painter(&image);
    panel.render(&painter);
  }
}
BENCHMARK(BM_LinkRefreshWindow)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kavo9

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
