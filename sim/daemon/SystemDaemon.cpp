#include "sim/daemon/SystemDaemon.h"
#include "sim/daemon/DaemonReplies.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <iostream>

#include "common/adapter/RequestCatalogue.h"
#include "common/platform/WinTypes.h"
#include "common/platform/simulated/DeviceFrame.h"
#include "common/platform/simulated/SqliteRegistry.h"
#include "sim/daemon/DaemonAdapter.h"
#include "sim/daemon/MachineSetup.h"
#include "sim/daemon/PeerProcess.h"

namespace kavo9 {
namespace {

using nlohmann::json;

constexpr size_t kMaxControlLine = 1 << 20;

// The management event classes of the adapter's driver.
constexpr const char* kDriverMessageEvent = "TsWLANMessageEvent";
constexpr const char* kMediaConnectEvent = "MSNdis_StatusMediaConnect";

uint64_t NowMs() {
  return uint64_t(std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::system_clock::now().time_since_epoch())
                      .count());
}

uint64_t SteadyMs() {
  return uint64_t(std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::steady_clock::now().time_since_epoch())
                      .count());
}

int Listen(const std::filesystem::path& path, std::string* error) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string text = path.string();
  if (text.size() >= sizeof(address.sun_path)) {
    *error = "socket path too long: " + text;
    return -1;
  }
  std::memcpy(address.sun_path, text.c_str(), text.size() + 1);
  ::unlink(text.c_str());
  int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
      ::listen(fd, 128) != 0) {
    *error = "cannot listen on " + text + ": " + std::strerror(errno);
    if (fd >= 0) ::close(fd);
    return -1;
  }
  return fd;
}

using daemonreply::Error;
using daemonreply::Ok;

}  // namespace

struct SystemDaemon::Connection {
  int fd = -1;
  Adapter* adapter = nullptr;  // null: the control socket
  std::vector<uint8_t> in;
  std::vector<uint8_t> out;
  size_t sent = 0;
  bool replying = false;
  bool closeAfterReply = false;
  uint64_t deadlineMs = 0;  // 0: an idle device connection, kept without a time limit
  uint64_t lastUsedMs = 0;
  std::string process;  // the peer's name, for the request log
};

SystemDaemon::SystemDaemon(std::filesystem::path machineDir)
    : SystemDaemon(std::move(machineDir), Options{}) {}

SystemDaemon::SystemDaemon(std::filesystem::path machineDir, Options options)
    : layout_(std::move(machineDir)), options_(options) {
  AddBuiltInCommands();
}

SystemDaemon::~SystemDaemon() {
  Shutdown();
}

bool SystemDaemon::Start(std::string* error) {
  std::error_code ec;
  if (!std::filesystem::is_directory(layout_.dir)) {
    *error = layout_.dir.string() + " is not a machine folder (make one with kavo9-sim init)";
    return false;
  }
  std::filesystem::create_directories(layout_.DeviceDir(), ec);
  const std::string lockPath = DaemonLockFile(layout_).string();
  lockFd_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (lockFd_ < 0) {
    *error = "cannot open " + lockPath + ": " + std::strerror(errno);
    return false;
  }
  if (::flock(lockFd_, LOCK_EX | LOCK_NB) != 0) {
    char pid[32] = {};
    ssize_t n = ::pread(lockFd_, pid, sizeof pid - 1, 0);
    std::string holder = n > 0 ? std::string(pid, size_t(n)) : std::string("?");
    while (!holder.empty() && (holder.back() == '\n' || holder.back() == ' ')) holder.pop_back();
    *error = "another system daemon (pid " + holder + ") is already running on machine " +
             layout_.dir.string();
    ::close(lockFd_);
    lockFd_ = -1;
    return false;
  }
  std::string pid = std::to_string(::getpid()) + "\n";
  if (::ftruncate(lockFd_, 0) != 0 || ::pwrite(lockFd_, pid.data(), pid.size(), 0) < 0) {
    // The pid is only for the message of a second daemon; the lock itself holds.
  }

  Scenario scenario;
  if (!LoadMachineScenario(layout_, &scenario, error)) return false;
  world_ = World(scenario.networks, scenario.stations);
  domain_ = scenario.domain;
  static const SystemToken token;
  auto hives = std::make_unique<SqliteRegistry>(layout_.RegistryDir(), token);
  hives->OpenHives();  // a damaged or missing hive is told on standard error at once
  registry_ = std::move(hives);
  WriteSystemKeys(*registry_);  // a machine made before they were part of it

  // Whatever a daemon that died left behind is stale now that we hold the lock.
  for (const auto& entry : std::filesystem::directory_iterator(layout_.DeviceDir(), ec)) {
    std::filesystem::remove(entry.path(), ec);
  }
  controlFd_ = Listen(DaemonSocketFile(layout_), error);
  if (controlFd_ < 0) return false;

  for (AdapterSpec& spec : scenario.adapters) {
    auto adapter = std::make_unique<Adapter>();
    adapter->spec = spec;
    adapter->socketPath = layout_.DeviceDir() / spec.instanceId;
    adapter->emulator = std::make_unique<AdapterEmulator>(spec, world_, NowMs, &log_);
    adapter->emulator->SetReconfigure([this](const MacAddress& bssid, const NetworkSpec& to) {
      return world_.Reconfigure(bssid, to);
    });
    adapters_.push_back(std::move(adapter));
  }
  for (auto& adapter : adapters_) {
    if (adapter->spec.plugged) Plug(*adapter);
  }
  PublishDevices();
  return true;
}

void SystemDaemon::Shutdown() {
  while (!connections_.empty()) Close(*connections_.back());
  bool published = false;
  for (auto& adapter : adapters_) {
    if (adapter->plugged) {
      Unplug(*adapter);
      published = true;
    }
  }
  if (published) PublishDevices();
  if (controlFd_ >= 0) {
    ::close(controlFd_);
    ::unlink(DaemonSocketFile(layout_).c_str());
    controlFd_ = -1;
  }
  if (lockFd_ >= 0) {
    ::close(lockFd_);
    lockFd_ = -1;
  }
}

void SystemDaemon::Plug(Adapter& adapter) {
  if (adapter.plugged) return;
  adapter.plugged = true;
  int32_t status = WriteDriverKey(*registry_, adapter.spec);
  if (status != ERROR_SUCCESS && !registryWarned_) {
    registryWarned_ = true;
    std::cerr << "kavo9-simd: warning: cannot write driver keys (registry error " << status
              << "); the adapters use their scenario parameters\n";
  }
  adapter.emulator->Load(ReadDriverParameters(*registry_, adapter.spec));
  RaiseDriverEvents(adapter);
  if (adapter.spec.driverLoaded) {
    std::string error;
    adapter.listenFd = Listen(adapter.socketPath, &error);
    if (adapter.listenFd < 0) std::cerr << "kavo9-simd: " << error << "\n";
  }
}

void SystemDaemon::Unplug(Adapter& adapter) {
  if (!adapter.plugged) return;
  adapter.plugged = false;
  if (adapter.listenFd >= 0) {
    ::close(adapter.listenFd);
    adapter.listenFd = -1;
    ::unlink(adapter.socketPath.c_str());
  }
  // Requests in flight die with the device, as they do when a USB stick is pulled.
  for (size_t i = connections_.size(); i-- > 0;) {
    if (connections_[i]->adapter == &adapter) Close(*connections_[i]);
  }
}

void SystemDaemon::PublishDevices() {
  json devices = json::array();
  for (const auto& adapter : adapters_) {
    if (!adapter->plugged) continue;
    const AdapterSpec& s = adapter->spec;
    devices.push_back({{"hardwareIds", s.hardwareIds},
                       {"friendlyName", s.friendlyName},
                       {"deviceDescription", s.deviceDescription},
                       {"locationInformation", s.locationInformation},
                       {"manufacturer", s.manufacturer},
                       {"driverKeyName", s.DriverKeyName()},
                       {"name", s.name},
                       {"instanceId", s.instanceId}});
  }
  std::filesystem::path tmp = layout_.DevicesFile();
  tmp += ".tmp";
  {
    std::ofstream out(tmp, std::ios::trunc);
    out << devices.dump(2) << "\n";
  }
  std::error_code ec;
  std::filesystem::rename(tmp, layout_.DevicesFile(), ec);
  if (ec)
    std::cerr << "kavo9-simd: cannot publish " << layout_.DevicesFile() << ": " << ec.message()
              << "\n";
}

std::vector<SystemDaemon::AdapterLinkState> SystemDaemon::LinkStates() const {
  std::vector<AdapterLinkState> states;
  for (const auto& a : adapters_) {
    AdapterLinkState state{a->spec.instanceId, EventInstanceName(a->spec), a->spec.mac};
    if (const NetworkSpec* n = a->plugged ? a->emulator->associatedNetwork() : nullptr) {
      state.connected = a->emulator->portOpen();  // no address before a WPA link's keys
      state.bssid = n->bssid;
    }
    states.push_back(state);
  }
  return states;
}

void SystemDaemon::AddCommand(std::string name, Command command) {
  commands_[std::move(name)] = std::move(command);
}

SystemDaemon::Adapter* SystemDaemon::FindAdapter(const json& request, std::string* error) {
  auto it = request.find("adapter");
  if (it == request.end() || !it->is_string()) {
    *error = "which adapter? (\"adapter\": name, instance id or index)";
    return nullptr;
  }
  const std::string wanted = it->get<std::string>();
  for (size_t i = 0; i < adapters_.size(); ++i) {
    const AdapterSpec& s = adapters_[i]->spec;
    if (s.name == wanted || s.instanceId == wanted || std::to_string(i) == wanted) {
      return adapters_[i].get();
    }
  }
  *error = "no adapter \"" + wanted + "\" on this machine";
  return nullptr;
}

json SystemDaemon::Dispatch(const std::string& line, bool* keep) {
  json request = json::parse(line, nullptr, false);
  *keep = request.is_object() && request.value("keep", false) == true;
  if (!request.is_object() || !request.contains("cmd") || !request["cmd"].is_string()) {
    return Error("expected a JSON object with \"cmd\"");
  }
  auto it = commands_.find(request["cmd"].get<std::string>());
  if (it == commands_.end())
    return Error("unknown command \"" + request["cmd"].get<std::string>() + "\"");
  try {
    return it->second(request);
  } catch (const json::exception& e) {
    return Error(std::string("bad request: ") + e.what());
  }
}

void SystemDaemon::RaiseDriverEvents(Adapter& adapter) {
  const AdapterEmulator& e = *adapter.emulator;
  const bool linkUp = e.linkUps() != adapter.seenLinkUps;
  const bool flagsChanged = e.messageFlagChanges() != adapter.seenMessageFlagChanges;
  adapter.seenLinkUps = e.linkUps();
  adapter.seenMessageFlagChanges = e.messageFlagChanges();
  if (!eventSink_.raise || (!linkUp && !flagsChanged)) return;
  auto raise = [&](const char* className) {
    if (eventSink_.wanted && !eventSink_.wanted(className)) return;
    eventSink_.raise(className, EventInstanceName(adapter.spec));
  };
  // The link comes up before the driver can find that nothing it receives decrypts.
  if (linkUp) raise(kMediaConnectEvent);
  if (flagsChanged) raise(kDriverMessageEvent);
}

void SystemDaemon::Accept(int listenFd, Adapter* adapter) {
  for (;;) {
    int fd = ::accept4(listenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) return;  // EAGAIN: all taken; other errors: the client is gone
    if (connections_.size() >= options_.maxConnections && !MakeRoom()) {
      ::close(fd);
      continue;
    }
    auto c = std::make_unique<Connection>();
    c->fd = fd;
    c->adapter = adapter;
    c->lastUsedMs = SteadyMs();
    if (adapter) c->process = PeerProcessName(fd);
    // A control client has the client timeout for each line; a device client may stay idle.
    if (!adapter) c->deadlineMs = c->lastUsedMs + uint64_t(options_.clientTimeoutMs);
    Connection& ref = *c;
    connections_.push_back(std::move(c));
    Pump(ref);  // the request often arrives with the connection
  }
}

// Closes the connection that has been idle longest. False when every connection is busy.
bool SystemDaemon::MakeRoom() {
  Connection* oldest = nullptr;
  for (auto& c : connections_) {
    if (c->replying || !c->in.empty()) continue;
    if (!oldest || c->lastUsedMs < oldest->lastUsedMs) oldest = c.get();
  }
  if (!oldest) return false;
  Close(*oldest);
  return true;
}

// Reads, answers and writes as far as the socket allows without blocking. A device connection goes
// on with the next request after each reply until the client hangs up; a control connection only
// when its line asked to be kept, and idle for no longer than the client timeout.
void SystemDaemon::Pump(Connection& c) {
  uint8_t chunk[65536];
  for (;;) {
    if (c.replying) {
      while (c.sent < c.out.size()) {
        ssize_t n = ::send(c.fd, c.out.data() + c.sent, c.out.size() - c.sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;  // poll for POLLOUT
        if (n <= 0) return Close(c);
        c.sent += size_t(n);
      }
      if (c.closeAfterReply) return Close(c);
      c.replying = false;
      c.out.clear();
      c.sent = 0;
      c.lastUsedMs = SteadyMs();
      c.deadlineMs = c.adapter ? 0 : c.lastUsedMs + uint64_t(options_.clientTimeoutMs);
      continue;  // a client may have sent its next request already
    }
    if (StartReply(c)) continue;
    ssize_t n = ::recv(c.fd, chunk, sizeof chunk, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      // Once a request has begun, the client has the timeout to finish it.
      if (!c.in.empty() && c.deadlineMs == 0)
        c.deadlineMs = SteadyMs() + uint64_t(options_.clientTimeoutMs);
      return;
    }
    if (n <= 0) return Close(c);  // the client hung up (between or inside requests), or failed
    c.in.insert(c.in.end(), chunk, chunk + n);
    if (!c.adapter && c.in.size() > kMaxControlLine &&
        std::find(c.in.begin(), c.in.end(), '\n') == c.in.end()) {
      return Close(c);
    }
  }
}

// Answers the request at the front of the received bytes, if it is complete: the reply is
// queued and the request's bytes dropped. False when more bytes are needed.
bool SystemDaemon::StartReply(Connection& c) {
  if (c.in.empty()) return false;
  if (c.adapter) {
    DeviceRequest request;
    size_t used = 0;
    FrameResult frame = DecodeRequest(c.in, &request, &used);
    if (frame == FrameResult::kNeedMore) return false;
    DeviceReply reply;
    if (frame == FrameResult::kMalformed) {
      // Nothing after a malformed frame can be trusted to start a request.
      reply.status = ERROR_INVALID_PARAMETER;
      c.closeAfterReply = true;
      c.in.clear();
    } else {
      uint32_t count = 0;
      c.adapter->emulator->SetCaller(c.process);
      reply.status =
          uint32_t(c.adapter->emulator->Handle(request.ioctl, request.in, request.out, &count));
      if (reply.status == ERROR_SUCCESS) {
        request.out.resize(std::min<size_t>(count, request.out.size()));
        reply.data = std::move(request.out);
      }
      c.in.erase(c.in.begin(), c.in.begin() + long(used));
      RaiseDriverEvents(*c.adapter);
    }
    c.out = EncodeReply(reply);
  } else {
    auto newline = std::find(c.in.begin(), c.in.end(), '\n');
    if (newline == c.in.end()) return false;
    std::string line(c.in.begin(), newline);
    c.in.erase(c.in.begin(), newline + 1);
    bool keep = false;
    std::string answer = Dispatch(line, &keep).dump() + "\n";
    c.out.assign(answer.begin(), answer.end());
    c.closeAfterReply = !keep;
  }
  c.replying = true;
  c.sent = 0;
  if (c.deadlineMs == 0) c.deadlineMs = SteadyMs() + uint64_t(options_.clientTimeoutMs);
  return true;
}

void SystemDaemon::Close(Connection& c) {
  ::close(c.fd);
  c.fd = -1;
  auto it = std::find_if(connections_.begin(), connections_.end(),
                         [&](const auto& p) { return p.get() == &c; });
  if (it != connections_.end()) connections_.erase(it);
}

void SystemDaemon::Run(int stopFd) {
  std::vector<pollfd> fds;
  std::vector<Adapter*> listenerAdapters;
  std::vector<Connection*> polled;
  for (;;) {
    fds.clear();
    listenerAdapters.clear();
    polled.clear();
    fds.push_back({stopFd, POLLIN, 0});
    fds.push_back({controlFd_, POLLIN, 0});
    for (auto& a : adapters_) {
      if (a->listenFd < 0) continue;
      fds.push_back({a->listenFd, POLLIN, 0});
      listenerAdapters.push_back(a.get());
    }
    const size_t firstConnection = fds.size();
    uint64_t now = SteadyMs();
    uint64_t nextDeadline = UINT64_MAX;
    for (auto& c : connections_) {
      fds.push_back({c->fd, short(c->replying ? POLLOUT : POLLIN), 0});
      polled.push_back(c.get());
      if (c->deadlineMs) nextDeadline = std::min(nextDeadline, c->deadlineMs);
    }
    int timeout = nextDeadline == UINT64_MAX ? -1
                  : nextDeadline <= now      ? 0
                                             : int(std::min<uint64_t>(nextDeadline - now, 60'000));
    int ready = ::poll(fds.data(), fds.size(), timeout);
    if (ready < 0 && errno != EINTR) {
      std::cerr << "kavo9-simd: poll failed: " << std::strerror(errno) << "\n";
      return;
    }
    if (fds[0].revents) return;
    if (ready > 0) {
      if (fds[1].revents & POLLIN) Accept(controlFd_, nullptr);
      // Connections first: accepting may add some, and closing removes them.
      for (size_t i = firstConnection; i < fds.size(); ++i) {
        Connection* c = polled[i - firstConnection];
        if (!fds[i].revents) continue;
        auto alive = std::find_if(connections_.begin(), connections_.end(),
                                  [&](const auto& p) { return p.get() == c; });
        if (alive == connections_.end()) continue;
        if (c->replying && (fds[i].revents & (POLLERR | POLLHUP)))
          Close(*c);
        else
          Pump(*c);
      }
      for (size_t i = 0; i < listenerAdapters.size(); ++i) {
        Adapter* a = listenerAdapters[i];
        // A control command may have unplugged the adapter during this round.
        if ((fds[2 + i].revents & POLLIN) && a->listenFd == fds[2 + i].fd) Accept(a->listenFd, a);
      }
    }
    now = SteadyMs();
    for (size_t i = connections_.size(); i-- > 0;) {
      const uint64_t deadline = connections_[i]->deadlineMs;
      if (deadline && deadline <= now) Close(*connections_[i]);
    }
  }
}

}  // namespace kavo9
