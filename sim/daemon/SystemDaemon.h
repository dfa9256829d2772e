#pragma once
// The system daemon of a simulated machine: it hosts the machine's adapters and the radio world
// around them. For each plugged-in adapter it writes the driver key, publishes the device
// instance in <machine>/run/devices.json and, when its driver is loaded, serves the device socket
// <machine>/run/dev/{GUID}: request frames answered one after the other by the adapter's
// emulator. A device connection lives as long as its client keeps it (the programs keep one per
// device and use it for every request) or until the adapter is unplugged; when the daemon is full,
// the longest-idle device connection makes room for a new one.
// The control socket <machine>/run/simd.sock takes one JSON line per connection
// ({"cmd": "status"} ...) and answers one JSON line ({"ok": true, ...} or {"ok": false,
// "error": "..."}), then closes it; a line with "keep": true leaves the connection open for the
// next one (the programs' service clients ask at every tick). Commands are entries of one table,
// so new ones are one function each.
//
// One thread, one poll() loop. A client that stalls inside a request is dropped after the client
// timeout without holding up anyone else; malformed frames get a failure reply and the connection
// is closed.
//
// Driver events: when a request makes an adapter's driver change its message flags, or its link
// come up, the daemon hands `TsWLANMessageEvent` or `MSNdis_StatusMediaConnect` to the event sink.

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "common/platform/simulated/SimulatedMachine.h"
#include "sim/emulator/AdapterEmulator.h"
#include "sim/emulator/RequestLog.h"
#include "sim/emulator/World.h"

namespace kavo9 {

class Registry;

class SystemDaemon {
 public:
  struct Options {
    int clientTimeoutMs = 5000;
    size_t maxConnections = 512;
  };

  explicit SystemDaemon(std::filesystem::path machineDir);
  SystemDaemon(std::filesystem::path machineDir, Options options);
  ~SystemDaemon();

  // Takes the machine's daemon lock, loads its scenario, plugs in the adapters and opens the
  // sockets. False with a message for the user when any of it fails (another daemon running,
  // not a machine folder, a malformed scenario, a socket that cannot be bound).
  bool Start(std::string* error);
  // Serves until `stopFd` becomes readable (or Stop is called from the loop's thread).
  void Run(int stopFd);
  // Closes every socket and withdraws the devices; also done by the destructor.
  void Shutdown();

  // What the IP helper needs of each adapter: its NetCfgInstanceId, the name its management
  // events carry, its hardware address, and the network it is associated with (when it is
  // plugged in and connected). Called on the loop's thread.
  struct AdapterLinkState {
    std::string instanceId;
    std::string instanceName;
    MacAddress mac{};
    bool connected = false;
    MacAddress bssid{};
  };
  std::vector<AdapterLinkState> LinkStates() const;

  // The machine's registry as the system writes it (an administrator's); null before Start.
  Registry* MachineRegistry() { return registry_.get(); }

  using Command = std::function<nlohmann::json(const nlohmann::json& request)>;
  // Adds or replaces a control command.
  void AddCommand(std::string name, Command command);

  // Where the adapters' driver events go (the machine's event stream). `wanted(className)` is
  // asked first, so nothing is built while no program listens. Called on the loop's thread.
  struct EventSink {
    std::function<bool(const std::string& className)> wanted;
    std::function<void(const std::string& className, const std::string& instanceName)> raise;
  };
  void SetEventSink(EventSink sink) { eventSink_ = std::move(sink); }

 private:
  struct Adapter;
  struct Connection;

  void Plug(Adapter& adapter);
  void Unplug(Adapter& adapter);
  void PublishDevices();
  Adapter* FindAdapter(const nlohmann::json& request, std::string* error);
  void AddBuiltInCommands();
  // The access point's commands ("ap join|leave|list") and connection sharing's ("ics").
  void AddAccessPointCommands();
  // The authenticator of the secured networks and the supplicant library's view of the ports
  // ("auth"; DaemonAuthenticator.cpp).
  void AddAuthenticatorCommands();
  // The machine's domain: controller look-ups and network opens ("domain"; DaemonDomain.cpp).
  void AddDomainCommands();
  void AccessPointStatus(Adapter& adapter, nlohmann::json* item);
  nlohmann::json SharingStatus();
  nlohmann::json Dispatch(const std::string& line, bool* keep);

  void RaiseDriverEvents(Adapter& adapter);

  void Accept(int listenFd, Adapter* adapter);
  bool MakeRoom();
  void Pump(Connection& c);
  bool StartReply(Connection& c);
  void Close(Connection& c);

  MachineLayout layout_;
  Options options_;
  int lockFd_ = -1;
  int controlFd_ = -1;
  std::unique_ptr<Registry> registry_;
  World world_;
  RequestLog log_;
  std::vector<std::unique_ptr<Adapter>> adapters_;
  std::vector<std::unique_ptr<Connection>> connections_;
  std::map<std::string, Command> commands_;
  EventSink eventSink_;
  bool registryWarned_ = false;
  // Connection sharing: on or off, and the addresses handed to the stations that joined the
  // access point (kept per station, so that one that comes back gets its address again).
  bool sharing_ = false;
  std::map<MacAddress, int> leases_;
  // The Windows domain of the scenario; none for a workgroup machine.
  std::optional<DomainSpec> domain_;
};

}  // namespace kavo9
