#pragma once
// The machine-wide services the system daemon keeps besides its adapters: the logged-on
// session and power state, the service control manager's view of the wireless configuration
// service "WZCSVC", the IP addresses of connected adapters, and the event stream that carries
// session, power and management events to the programs.
//
// Event stream: <machine>/run/events.sock. A program connects and sends one line
// {"subscribe": TOPIC}; TOPIC is "session", "power" or a management event class
// ("TsWLANMessageEvent", "MSNdis_StatusMediaConnect"). The answer is {"ok": true} (or false for
// an unknown topic, after which the connection is closed), then one line per event:
// {"session": CODE}, {"power": CODE} or {"class": NAME, "instanceName": ADAPTER}, where ADAPTER
// is the name the management service knows the adapter by (its friendly name). The system daemon
// raises the management events itself when an adapter's driver sets its message flags or its
// link comes up. The stream has its own thread; a subscriber that does not read is dropped
// rather than waited for.
//
// Control commands (through the daemon's control socket, added with Register):
//   session {"event": "lock|unlock|connect|disconnect"}
//   power   {"event": "suspend|resume"}
//   service {"op": "query|start|stop|config", "name": "WZCSVC", "startType": 2|3|4}
//
// Services keep their start type in the machine's registry, where Windows keeps it
// (HKLM\SYSTEM\CurrentControlSet\Services\NAME, "Start", a 32-bit value), once KeepServicesIn
// has been given the registry; when the daemon starts (the machine boots) a service set to start
// automatically runs and any other is stopped.
//   ip      {"op": "interfaces|adapters|release|renew", "index": N}; "adapters" lists
//           {"name", "address" (the hardware address, "00-1D-5A-30-70-01"), "ip", "mask",
//           "gateway", "dhcp"} per adapter, the addresses in the subnet of the network joined
//   event   {"class": NAME, "adapter": INSTANCE ID or NAME} (default: the first adapter)

#include <array>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <nlohmann/json.hpp>

namespace kavo9 {

class Registry;

class SystemServices {
 public:
  using Command = std::function<nlohmann::json(const nlohmann::json& request)>;
  // Gives the NetCfgInstanceId of every present adapter, whether it is connected, the name its
  // management events carry, its hardware address and the BSSID of the network it joined (each
  // network has a subnet of its own, sim/emulator/NetworkAddresses.h).
  struct AdapterLink {
    std::string instanceId;
    bool connected = false;
    std::string instanceName;
    std::array<uint8_t, 6> mac{};
    std::array<uint8_t, 6> bssid{};
  };
  using AdapterLinks = std::function<std::vector<AdapterLink>()>;

  explicit SystemServices(std::filesystem::path runDir);
  ~SystemServices();
  SystemServices(const SystemServices&) = delete;
  SystemServices& operator=(const SystemServices&) = delete;

  // Opens the event socket and starts its thread. False with a message when it cannot be bound.
  bool Start(std::string* error);
  void Stop();

  // Adds the control commands through `add(name, command)`.
  void Register(const std::function<void(std::string, Command)>& add);
  void SetAdapterLinks(AdapterLinks links) { links_ = std::move(links); }
  // Boots the services from the start types kept in `registry` and keeps every change of a start
  // type there. Without it the services start as installed and forget their changes.
  void KeepServicesIn(Registry& registry);

  // Sends one event line to every subscriber of `topic`.
  void Broadcast(const std::string& topic, const nlohmann::json& line);
  size_t SubscriberCount() const;
  // Whether anyone listens to `topic`: the daemon asks before it builds an event.
  bool HasSubscribers(const std::string& topic) const;
  // A management event of an adapter's driver (`className` one of the two management topics).
  void RaiseDriverEvent(const std::string& className, const std::string& instanceName);

  nlohmann::json Session(const nlohmann::json& request);
  nlohmann::json Power(const nlohmann::json& request);
  nlohmann::json Service(const nlohmann::json& request);
  nlohmann::json Ip(const nlohmann::json& request);
  nlohmann::json Event(const nlohmann::json& request);

 private:
  struct Client {
    int fd = -1;
    std::string topic;  // empty until subscribed
    std::string in;
  };
  struct ServiceState {
    uint32_t state;
    uint32_t startType;
  };
  void Run();
  void Accept();
  void Receive(Client& client);

  std::filesystem::path socketPath_;
  int listenFd_ = -1;
  int wake_[2] = {-1, -1};
  std::thread thread_;
  mutable std::mutex mutex_;  // clients_
  std::vector<Client> clients_;
  std::mutex stateMutex_;  // everything below
  std::map<std::string, ServiceState> services_;
  std::map<std::string, bool> released_;  // instance id -> address released
  AdapterLinks links_;
  Registry* registry_ = nullptr;
};

}  // namespace kavo9
