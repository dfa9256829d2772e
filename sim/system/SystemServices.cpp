#include "sim/system/SystemServices.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <set>

#include "common/platform/Registry.h"
#include "common/platform/ServiceControl.h"
#include "common/platform/SessionEvents.h"
#include "common/platform/WinTypes.h"
#include "sim/emulator/NetworkAddresses.h"

namespace kavo9 {
namespace {

using json = nlohmann::json;

constexpr size_t kMaxLine = 1024;
constexpr size_t kMaxClients = 256;

json Ok() {
  return json{{"ok", true}};
}

std::string MacText(const std::array<uint8_t, 6>& mac) {
  char text[18];
  std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3],
                mac[4], mac[5]);
  return text;
}
json Error(const std::string& text) {
  return json{{"ok", false}, {"error", text}};
}

const std::set<std::string>& Topics() {
  static const std::set<std::string> topics = {"session", "power", "TsWLANMessageEvent",
                                               "MSNdis_StatusMediaConnect"};
  return topics;
}

bool SendLine(int fd, const std::string& line) {
  ssize_t n = ::send(fd, line.data(), line.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
  return n == static_cast<ssize_t>(line.size());
}

// Where a service's start type is kept.
std::string ServiceKey(const std::string& name) {
  return "SYSTEM\\CurrentControlSet\\Services\\" + name;
}
constexpr const char* kStartValue = "Start";

bool IsStartType(uint32_t type) {
  return type == SERVICE_AUTO_START || type == SERVICE_DEMAND_START || type == SERVICE_DISABLED;
}

int32_t WriteStartType(Registry& registry, const std::string& name, uint32_t type) {
  ScopedKey key(registry);
  int32_t error = registry.CreateKey(HKEY_LOCAL_MACHINE, ServiceKey(name), KEY_WRITE, &key);
  if (error != ERROR_SUCCESS) return error;
  uint8_t data[4] = {uint8_t(type), uint8_t(type >> 8), uint8_t(type >> 16), uint8_t(type >> 24)};
  return registry.SetValue(key.get(), kStartValue, REG_DWORD, data, sizeof data);
}

// The interface index of an adapter: its place in the list, from 2 (1 is the loopback).
uint32_t IndexOf(size_t position) {
  return static_cast<uint32_t>(position + 2);
}

}  // namespace

SystemServices::SystemServices(std::filesystem::path runDir)
    : socketPath_(std::move(runDir) / "events.sock") {
  services_[kWirelessConfigService] = {SERVICE_RUNNING, SERVICE_AUTO_START};
}

SystemServices::~SystemServices() {
  Stop();
}

void SystemServices::KeepServicesIn(Registry& registry) {
  std::lock_guard lock(stateMutex_);
  registry_ = &registry;
  for (auto& [name, service] : services_) {
    uint32_t type = 0;
    if (RegReadDword(registry, HKEY_LOCAL_MACHINE, ServiceKey(name), kStartValue, &type) ==
            ERROR_SUCCESS &&
        IsStartType(type)) {
      service.startType = type;
    } else {
      WriteStartType(registry, name, service.startType);  // as installed
    }
    service.state = service.startType == SERVICE_AUTO_START ? SERVICE_RUNNING : SERVICE_STOPPED;
  }
}

bool SystemServices::Start(std::string* error) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string path = socketPath_.string();
  if (path.size() >= sizeof address.sun_path) {
    *error = "event socket path too long: " + path;
    return false;
  }
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  ::unlink(path.c_str());
  listenFd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (listenFd_ < 0 || ::bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address) ||
      ::listen(listenFd_, 64) || ::pipe2(wake_, O_CLOEXEC | O_NONBLOCK)) {
    *error = "cannot serve " + path + ": " + std::strerror(errno);
    Stop();
    return false;
  }
  thread_ = std::thread([this] { Run(); });
  return true;
}

void SystemServices::Stop() {
  if (wake_[1] >= 0) {
    char byte = 1;
    [[maybe_unused]] ssize_t n = ::write(wake_[1], &byte, 1);
  }
  if (thread_.joinable()) thread_.join();
  std::lock_guard lock(mutex_);
  for (Client& client : clients_) ::close(client.fd);
  clients_.clear();
  if (listenFd_ >= 0) {
    ::close(listenFd_);
    ::unlink(socketPath_.c_str());
  }
  for (int& fd : wake_) {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
  listenFd_ = -1;
}

void SystemServices::Run() {
  for (;;) {
    std::vector<pollfd> fds{{wake_[0], POLLIN, 0}, {listenFd_, POLLIN, 0}};
    {
      std::lock_guard lock(mutex_);
      for (const Client& client : clients_) fds.push_back({client.fd, POLLIN, 0});
    }
    if (::poll(fds.data(), fds.size(), -1) < 0 && errno != EINTR) return;
    if (fds[0].revents) return;
    if (fds[1].revents & POLLIN) Accept();
    std::lock_guard lock(mutex_);
    for (size_t i = 2; i < fds.size(); ++i) {
      if (!fds[i].revents) continue;
      auto it = std::find_if(clients_.begin(), clients_.end(),
                             [&](const Client& c) { return c.fd == fds[i].fd; });
      if (it != clients_.end()) Receive(*it);
    }
    clients_.erase(
        std::remove_if(clients_.begin(), clients_.end(), [](const Client& c) { return c.fd < 0; }),
        clients_.end());
  }
}

void SystemServices::Accept() {
  for (;;) {
    int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd < 0) return;
    std::lock_guard lock(mutex_);
    if (clients_.size() >= kMaxClients) {
      ::close(fd);
      continue;
    }
    clients_.push_back({fd, "", ""});
  }
}

void SystemServices::Receive(Client& client) {
  char chunk[512];
  ssize_t n = ::recv(client.fd, chunk, sizeof chunk, 0);
  if (n <= 0) {
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) return;
    ::close(client.fd);
    client.fd = -1;
    return;
  }
  if (!client.topic.empty()) return;  // subscribers have nothing more to say
  client.in.append(chunk, size_t(n));
  size_t end = client.in.find('\n');
  if (end == std::string::npos) {
    if (client.in.size() > kMaxLine) {
      ::close(client.fd);
      client.fd = -1;
    }
    return;
  }
  json request = json::parse(client.in.substr(0, end), nullptr, false);
  std::string topic = request.is_object() ? request.value("subscribe", "") : "";
  if (!Topics().count(topic)) {
    SendLine(client.fd, Error("unknown topic").dump() + "\n");
    ::close(client.fd);
    client.fd = -1;
    return;
  }
  client.topic = topic;
  if (!SendLine(client.fd, Ok().dump() + "\n")) {
    ::close(client.fd);
    client.fd = -1;
  }
}

void SystemServices::Broadcast(const std::string& topic, const json& line) {
  const std::string text = line.dump() + "\n";
  std::lock_guard lock(mutex_);
  for (Client& client : clients_) {
    if (client.fd < 0 || client.topic != topic) continue;
    if (!SendLine(client.fd, text)) {
      // A subscriber that stopped reading loses its stream; it never holds up the daemon.
      ::shutdown(client.fd, SHUT_RDWR);
    }
  }
}

bool SystemServices::HasSubscribers(const std::string& topic) const {
  std::lock_guard lock(mutex_);
  return std::any_of(clients_.begin(), clients_.end(),
                     [&](const Client& c) { return c.fd >= 0 && c.topic == topic; });
}

void SystemServices::RaiseDriverEvent(const std::string& className,
                                      const std::string& instanceName) {
  if (!HasSubscribers(className)) return;
  Broadcast(className, {{"class", className}, {"instanceName", instanceName}});
}

size_t SystemServices::SubscriberCount() const {
  std::lock_guard lock(mutex_);
  return static_cast<size_t>(std::count_if(clients_.begin(), clients_.end(),
                                           [](const Client& c) { return !c.topic.empty(); }));
}

void SystemServices::Register(const std::function<void(std::string, Command)>& add) {
  add("session", [this](const json& r) { return Session(r); });
  add("power", [this](const json& r) { return Power(r); });
  add("service", [this](const json& r) { return Service(r); });
  add("ip", [this](const json& r) { return Ip(r); });
  add("event", [this](const json& r) { return Event(r); });
}

json SystemServices::Session(const json& request) {
  static const std::map<std::string, uint32_t> codes = {{"connect", WTS_CONSOLE_CONNECT},
                                                        {"disconnect", WTS_CONSOLE_DISCONNECT},
                                                        {"lock", WTS_SESSION_LOCK},
                                                        {"unlock", WTS_SESSION_UNLOCK}};
  auto code = codes.find(request.value("event", ""));
  if (code == codes.end()) return Error("\"event\" must be lock, unlock, connect or disconnect");
  Broadcast("session", {{"session", code->second}});
  return Ok();
}

json SystemServices::Power(const json& request) {
  static const std::map<std::string, uint32_t> codes = {{"suspend", PBT_APMSUSPEND},
                                                        {"resume", PBT_APMRESUMESUSPEND}};
  auto code = codes.find(request.value("event", ""));
  if (code == codes.end()) return Error("\"event\" must be suspend or resume");
  Broadcast("power", {{"power", code->second}});
  return Ok();
}

json SystemServices::Service(const json& request) {
  const std::string op = request.value("op", "");
  const std::string name = request.value("name", "");
  std::lock_guard lock(stateMutex_);
  auto it = std::find_if(services_.begin(), services_.end(), [&](const auto& entry) {
    return strcasecmp(entry.first.c_str(), name.c_str()) == 0;
  });
  if (it == services_.end()) return Error("no service \"" + name + "\"");
  ServiceState& service = it->second;
  if (op == "start") {
    if (service.state == SERVICE_RUNNING) return Error("already running");
    if (service.startType == SERVICE_DISABLED) return Error("disabled");
    service.state = SERVICE_RUNNING;
  } else if (op == "stop") {
    if (service.state == SERVICE_STOPPED) return Error("not running");
    service.state = SERVICE_STOPPED;
  } else if (op == "config") {
    uint32_t type = request.value("startType", 0u);
    if (!IsStartType(type)) return Error("\"startType\" must be 2, 3 or 4");
    if (registry_) {
      if (int32_t error = WriteStartType(*registry_, it->first, type); error != ERROR_SUCCESS) {
        return Error("cannot keep the start type (registry error " + std::to_string(error) + ")");
      }
    }
    service.startType = type;
  } else if (op != "query") {
    return Error("\"op\" must be query, start, stop or config");
  }
  static const char* kStateNames[] = {"", "stopped", "start pending", "stop pending", "running"};
  return {{"ok", true},
          {"name", it->first},
          {"state", service.state},
          {"stateName", kStateNames[service.state]},
          {"startType", service.startType}};
}

json SystemServices::Ip(const json& request) {
  const std::string op = request.value("op", "");
  std::vector<AdapterLink> links = links_ ? links_() : std::vector<AdapterLink>{};
  std::lock_guard lock(stateMutex_);
  if (op == "interfaces") {
    json list = json::array();
    for (size_t i = 0; i < links.size(); ++i) {
      list.push_back({{"index", IndexOf(i)}, {"name", "\\DEVICE\\TCPIP_" + links[i].instanceId}});
    }
    return {{"ok", true}, {"interfaces", list}};
  }
  if (op == "adapters") {
    json list = json::array();
    for (size_t i = 0; i < links.size(); ++i) {
      const AdapterLink& link = links[i];
      const bool bound = link.connected && !released_[link.instanceId];
      list.push_back({{"name", link.instanceId},
                      {"address", MacText(link.mac)},
                      {"ip", bound ? DottedText(HostOf(link.bssid, i)) : "0.0.0.0"},
                      {"mask", bound ? "255.255.255.0" : "0.0.0.0"},
                      {"gateway", bound ? DottedText(GatewayOf(link.bssid)) : "0.0.0.0"},
                      {"dhcp", true}});
    }
    return {{"ok", true}, {"adapters", list}};
  }
  if (op == "release" || op == "renew") {
    const uint32_t index = request.value("index", 0u);
    for (size_t i = 0; i < links.size(); ++i) {
      if (IndexOf(i) != index) continue;
      if (op == "renew" && !links[i].connected) return Error("no DHCP server reachable");
      released_[links[i].instanceId] = op == "release";
      return Ok();
    }
    return Error("no interface " + std::to_string(index));
  }
  return Error("\"op\" must be interfaces, adapters, release or renew");
}

json SystemServices::Event(const json& request) {
  const std::string name = request.value("class", "");
  if (name == "session" || name == "power" || !Topics().count(name)) {
    return Error("\"class\" must be TsWLANMessageEvent or MSNdis_StatusMediaConnect");
  }
  const std::vector<AdapterLink> links = links_ ? links_() : std::vector<AdapterLink>{};
  const std::string wanted = request.value("adapter", "");
  auto link = std::find_if(links.begin(), links.end(), [&](const AdapterLink& l) {
    return wanted.empty() || l.instanceId == wanted || l.instanceName == wanted;
  });
  if (link == links.end()) {
    return Error(wanted.empty() ? "no adapter on this machine" : "no adapter \"" + wanted + "\"");
  }
  Broadcast(name, {{"class", name}, {"instanceName", link->instanceName}});
  return Ok();
}

}  // namespace kavo9
