// kavo9-regsvc --machine DIR: the privileged registry service of a simulated machine.
//
// Performs registry writes for programs whose user may not make them, within the narrow limits
// RegistryService sets. It runs with an administrator's rights whoever the machine's user is.
// What it performs and refuses is logged, within limits (ServiceLog), to standard error and to
// <machine>/run/regsvc.log.

#include <atomic>
#include <chrono>
#include <csignal>
#include <ctime>
#include <iostream>
#include <string_view>

#include "common/adapter/RegistryServiceProtocol.h"
#include "common/platform/Paths.h"
#include "common/platform/simulated/SimulatedMachine.h"
#include "common/platform/simulated/SqliteRegistry.h"
#include "sim/regsvc/RegistryService.h"
#include "sim/regsvc/ServiceLog.h"
#include "sim/regsvc/ServiceServer.h"

namespace {

std::atomic<bool> g_stop{false};

void OnSignal(int) {
  g_stop.store(true);
}

// The service's own token: the built-in Administrators group.
class ServiceToken : public kavo9::SecurityToken {
 public:
  std::string UserName() const override { return "SYSTEM"; }
  bool GetGroupSids(std::vector<std::string>* groups) const override {
    groups->assign({"S-1-5-18", kavo9::kAdministratorsSid});
    return true;
  }
};

int Usage() {
  std::cerr << "usage: kavo9-regsvc [--machine DIR]\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string_view machineFlag;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (arg == "--machine" && i + 1 < argc) {
      machineFlag = argv[++i];
    } else if (arg.starts_with("--machine=")) {
      machineFlag = arg.substr(10);
    } else {
      return Usage();
    }
  }
  kavo9::MachineLayout layout(kavo9::ResolveMachineDir(machineFlag));
  std::error_code ec;
  std::filesystem::create_directories(layout.RunDir(), ec);

  kavo9::ServiceLog serviceLog(
      layout.RunDir() / "regsvc.log", &std::cerr, kavo9::ServiceLog::Limits{},
      [] {
        return uint64_t(std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::steady_clock::now().time_since_epoch())
                            .count());
      },
      [] {
        char stamp[32];
        std::time_t now = std::time(nullptr);
        std::strftime(stamp, sizeof(stamp), "%Y-%m-%d %H:%M:%S", std::gmtime(&now));
        return std::string(stamp);
      });
  auto log = [&serviceLog](std::string_view line) { serviceLog.Write(line); };

  ServiceToken token;
  kavo9::SqliteRegistry registry(layout.RegistryDir(), token);
  registry.OpenHives();  // a damaged or missing hive is told on standard error at once
  kavo9::RegistryService service(registry, log);
  kavo9::ServiceServer server(service);
  std::string error;
  if (!server.Listen(kavo9::RegistryServiceSocket(layout.dir), &error)) {
    std::cerr << "kavo9-regsvc: " << error << "\n";
    return 1;
  }
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
  std::signal(SIGPIPE, SIG_IGN);
  log("listening on " + kavo9::RegistryServiceSocket(layout.dir).string());
  server.Run(g_stop);
  return 0;
}
