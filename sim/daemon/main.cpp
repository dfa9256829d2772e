// kavo9-simd: the system daemon of a simulated machine. Runs in the foreground until SIGTERM or
// SIGINT, then withdraws its devices and sockets.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cstring>
#include <iostream>
#include <string>

#include "common/platform/Paths.h"
#include "sim/daemon/MachineSetup.h"
#include "sim/daemon/SystemDaemon.h"
#include "sim/system/SystemServices.h"

namespace {

int stopPipe[2] = {-1, -1};

void OnStopSignal(int) {
  char byte = 1;
  [[maybe_unused]] ssize_t n = ::write(stopPipe[1], &byte, 1);
}

int Usage(std::ostream& out, int code) {
  out << "usage: kavo9-simd [--machine DIR]\n"
         "Serves the simulated machine DIR (default: $KAVO9_MACHINE, else the user's state\n"
         "directory): its adapters' device sockets, the device list and the control socket.\n"
         "Stops cleanly on SIGTERM or SIGINT.\n";
  return code;
}

}  // namespace

int main(int argc, char** argv) {
  std::string machineFlag;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") return Usage(std::cout, 0);
    if (arg == "--machine" && i + 1 < argc) {
      machineFlag = argv[++i];
    } else if (arg.rfind("--machine=", 0) == 0) {
      machineFlag = arg.substr(10);
    } else {
      std::cerr << "kavo9-simd: unexpected argument \"" << arg << "\"\n";
      return Usage(std::cerr, 2);
    }
  }
  if (::pipe2(stopPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
    std::cerr << "kavo9-simd: " << std::strerror(errno) << "\n";
    return 1;
  }
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGTERM, &action, nullptr);
  ::sigaction(SIGINT, &action, nullptr);
  ::signal(SIGPIPE, SIG_IGN);

  std::filesystem::path machine = kavo9::ResolveMachineDir(machineFlag);
  kavo9::SystemDaemon daemon(machine);
  std::string error;
  if (!daemon.Start(&error)) {
    std::cerr << "kavo9-simd: " << error << "\n";
    return 1;
  }
  // Session, power, service control, IP addresses and the event stream.
  kavo9::MachineLayout layout(machine);
  kavo9::SystemServices services(layout.RunDir());
  // The services boot as the machine's registry says, and remember what is changed.
  if (kavo9::Registry* registry = daemon.MachineRegistry()) services.KeepServicesIn(*registry);
  if (!services.Start(&error)) {
    std::cerr << "kavo9-simd: " << error << "\n";
    return 1;
  }
  services.Register([&daemon](std::string name, kavo9::SystemServices::Command command) {
    daemon.AddCommand(std::move(name), std::move(command));
  });
  // The addresses follow the adapters' links as they come and go (asked on the loop's thread).
  services.SetAdapterLinks([&daemon] {
    std::vector<kavo9::SystemServices::AdapterLink> links;
    for (const auto& state : daemon.LinkStates()) {
      links.push_back(
          {state.instanceId, state.connected, state.instanceName, state.mac, state.bssid});
    }
    return links;
  });
  // The adapters' drivers raise their management events on the machine's event stream.
  daemon.SetEventSink(
      {[&services](const std::string& className) { return services.HasSubscribers(className); },
       [&services](const std::string& className, const std::string& instanceName) {
         services.RaiseDriverEvent(className, instanceName);
       }});
  std::cerr << "kavo9-simd: serving machine " << machine.string() << " (pid " << ::getpid()
            << ")\n";
  daemon.Run(stopPipe[0]);
  services.Stop();
  daemon.Shutdown();
  std::cerr << "kavo9-simd: stopped\n";
  return 0;
}
