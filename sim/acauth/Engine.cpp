#include "sim/acauth/Engine.h"

#include <cstdio>
#include <cstring>

namespace kavo9::acauth {
namespace {

using nlohmann::json;
using Clock = std::chrono::steady_clock;

bool ParseMacText(const std::string& text, wpa::Address* mac) {
  if (text.size() != 17) return false;
  for (size_t i = 0; i < mac->size(); ++i) {
    char* end = nullptr;
    const std::string pair = text.substr(3 * i, 2);
    const unsigned long v = std::strtoul(pair.c_str(), &end, 16);
    if (end != pair.c_str() + 2) return false;
    (*mac)[i] = uint8_t(v);
  }
  return true;
}

bool ParseAddress(const std::string& text, uint8_t out[4]) {
  unsigned a = 0, b = 0, c = 0, d = 0;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%u.%u.%u.%u%c", &a, &b, &c, &d, &tail) != 4) return false;
  if (a > 255 || b > 255 || c > 255 || d > 255) return false;
  out[0] = uint8_t(a), out[1] = uint8_t(b), out[2] = uint8_t(c), out[3] = uint8_t(d);
  return true;
}

}  // namespace

Engine::Engine(std::filesystem::path machineDir)
    : machineDir_(machineDir), daemon_(machineDir), io_(machineDir), thread_([this] { Run(); }) {}

Engine::~Engine() {
  std::vector<Session> sessions;
  {
    std::lock_guard hold(mutex_);
    stopping_ = true;
    for (auto& [handle, port] : ports_) StopSession(port);
    sessions.swap(sessions_);
  }
  desk_.WakeAll();
  wake_.notify_all();
  thread_.join();
  for (Session& s : sessions) {
    if (s.thread.joinable()) s.thread.join();
  }
}

std::vector<Engine::PortInfo> Engine::ListPorts() const {
  std::vector<PortInfo> out;
  auto answer = daemon_.Ask({{"cmd", "auth"}, {"op", "ports"}});
  if (!answer || !answer->contains("ports") || !(*answer)["ports"].is_array()) return out;
  for (const json& p : (*answer)["ports"]) {
    if (!p.is_object()) continue;
    PortInfo info;
    info.name = TextField(p, "name");
    info.device = TextField(p, "device");
    info.media = NumberField(p, "media");
    if (info.name.empty() || info.name.size() >= AC_PORT_NAME_BYTES ||
        !ParseMacText(TextField(p, "mac"), &info.mac)) {
      continue;
    }
    out.push_back(info);
  }
  return out;
}

int Engine::NextPortName(const char* previous, char* name) {
  if (!name) return AC_ERR_ARGUMENT;
  const std::vector<PortInfo> ports = ListPorts();
  size_t next = 0;
  if (previous && *previous) {
    while (next < ports.size() && ports[next].name != previous) ++next;
    ++next;
  }
  if (next >= ports.size()) return AC_ERR_NO_MORE;
  std::memset(name, 0, AC_PORT_NAME_BYTES);
  std::memcpy(name, ports[next].name.data(), ports[next].name.size());
  return AC_OK;
}

int Engine::PortAttr(const char* name, acPortAttr* attr) {
  if (!name || !attr) return AC_ERR_ARGUMENT;
  for (const PortInfo& p : ListPorts()) {
    if (p.name != name) continue;
    *attr = acPortAttr{};
    std::memcpy(attr->mac, p.mac.data(), p.mac.size());
    attr->media = p.media;
    // AES, TKIP, WEP, none (bit order of the binding).
    attr->ciphers = 0x0F;
    // Open, shared, WPA-1X, WPA-PSK, 802.11i-1X and 802.11i-PSK.
    attr->keyManagement = 0x01 | 0x02 | 0x04 | 0x08 | 0x20 | 0x40;
    return AC_OK;
  }
  return AC_ERR_NO_PORT;
}

int Engine::Attach(int* handle, const char* name, void* context, acPortEventFn events,
                   acCredRequestFn requests) {
  if (!handle || !name) return AC_ERR_ARGUMENT;
  for (const PortInfo& p : ListPorts()) {
    if (p.name != name) continue;
    std::lock_guard hold(mutex_);
    Port port;
    port.handle = nextHandle_++;
    port.name = p.name;
    port.device = p.device;
    port.mac = p.mac;
    port.context = context;
    port.events = events;
    port.requests = requests;
    *handle = port.handle;
    ports_.emplace(port.handle, std::move(port));
    return AC_OK;
  }
  return AC_ERR_NO_PORT;
}

int Engine::Detach(int handle) {
  {
    std::lock_guard hold(mutex_);
    Port* port = Find(handle);
    if (!port) return AC_ERR_NO_PORT;
    StopSession(*port);
    ports_.erase(handle);
  }
  desk_.Forget(handle);
  std::lock_guard wait(callbacks_);  // a callback under way ends first
  return AC_OK;
}

Engine::Port* Engine::Find(int handle) {
  auto it = ports_.find(handle);
  return it == ports_.end() ? nullptr : &it->second;
}

int Engine::SetPsk(int handle, const acObject_* psk) {
  if (!psk || psk->kind != acObject_::Kind::kPsk) return AC_ERR_ARGUMENT;
  std::lock_guard hold(mutex_);
  Port* port = Find(handle);
  if (!port) return AC_ERR_NO_PORT;
  port->psk = *psk;
  return AC_OK;
}

int Engine::Authorize(int handle) {
  std::lock_guard hold(mutex_);
  return Find(handle) ? AC_OK : AC_ERR_NO_PORT;
}

int Engine::Associate(int handle, const acAssociation& association) {
  {
    std::lock_guard hold(mutex_);
    Port* port = Find(handle);
    if (!port) return AC_ERR_NO_PORT;
    StopSession(*port);
    port->association = association;
    ++port->generation;
    port->phase = Phase::kWaitLink;
    port->attempts = 0;
    port->link = AC_LINK_DOWN;
    // "Starting", then "connecting", told on the library's thread.
    port->state = AC_STATE_SEE_STATUS;
    port->status = AC_STATUS_STARTING;
    port->pending = {AC_PORT_EVENT_STATE};
    port->due = Clock::now();
  }
  Wake();
  return AC_OK;
}

int Engine::Stop(int handle) {
  std::lock_guard hold(mutex_);
  Port* port = Find(handle);
  if (!port) return AC_ERR_NO_PORT;
  StopSession(*port);
  ++port->generation;
  port->phase = Phase::kIdle;
  port->state = AC_STATE_IDLE;
  port->status = AC_STATUS_NONE;
  port->pending.clear();
  return AC_OK;
}

int Engine::SetCcx(int handle, bool on) {
  std::lock_guard hold(mutex_);
  Port* port = Find(handle);
  if (!port) return AC_ERR_NO_PORT;
  port->ccx = on;
  return AC_OK;
}

int Engine::SetRadioConfig(int handle, uint32_t config) {
  std::lock_guard hold(mutex_);
  Port* port = Find(handle);
  if (!port) return AC_ERR_NO_PORT;
  port->radioConfig = config;
  return AC_OK;
}

int Engine::RadioConfig(int handle, uint32_t* config) {
  std::lock_guard hold(mutex_);
  Port* port = Find(handle);
  if (!port || !config) return port ? AC_ERR_ARGUMENT : AC_ERR_NO_PORT;
  *config = port->radioConfig;
  return AC_OK;
}

int Engine::SetRogueApTimeout(int handle, int seconds) {
  std::lock_guard hold(mutex_);
  Port* port = Find(handle);
  if (!port) return AC_ERR_NO_PORT;
  port->rogueApTimeout = seconds;
  return AC_OK;
}

int Engine::LinkState(int handle, int* state) {
  std::lock_guard hold(mutex_);
  Port* port = Find(handle);
  if (!port || !state) return port ? AC_ERR_ARGUMENT : AC_ERR_NO_PORT;
  *state = port->link;
  return AC_OK;
}

int Engine::State(int handle, int* state) {
  std::lock_guard hold(mutex_);
  Port* port = Find(handle);
  if (!port || !state) return port ? AC_ERR_ARGUMENT : AC_ERR_NO_PORT;
  *state = port->state;
  return AC_OK;
}

int Engine::Status(int handle, int* status) {
  std::lock_guard hold(mutex_);
  Port* port = Find(handle);
  if (!port || !status) return port ? AC_ERR_ARGUMENT : AC_ERR_NO_PORT;
  *status = port->status;
  return AC_OK;
}

int Engine::IpConnected(int handle, int* connected) {
  std::lock_guard hold(mutex_);
  Port* port = Find(handle);
  if (!port || !connected) return port ? AC_ERR_ARGUMENT : AC_ERR_NO_PORT;
  *connected = port->phase == Phase::kAuthenticated ? 1 : 0;
  return AC_OK;
}

int Engine::IpAddress(int handle, uint8_t address[4]) {
  std::string name;
  {
    std::lock_guard hold(mutex_);
    Port* port = Find(handle);
    if (!port || !address) return port ? AC_ERR_ARGUMENT : AC_ERR_NO_PORT;
    name = port->name;
  }
  std::memset(address, 0, 4);
  auto link = daemon_.Ask({{"cmd", "auth"}, {"op", "link"}, {"adapter", name}});
  if (link) ParseAddress(TextField(*link, "ip"), address);
  return AC_OK;
}

void Engine::Wake() {
  wake_.notify_all();
}

void Engine::Run() {
  std::unique_lock hold(mutex_);
  while (!stopping_) {
    auto next = Clock::now() + std::chrono::milliseconds(kIdlePollMs);
    std::vector<int> due;
    for (const auto& [handle, port] : ports_) {
      // An 802.1X conversation runs on its own thread until it ends.
      if ((port.phase == Phase::kIdle || port.phase == Phase::kEap) && port.pending.empty())
        continue;
      if (port.due <= Clock::now() || !port.pending.empty()) {
        due.push_back(handle);
      } else {
        next = std::min(next, port.due);
      }
    }
    if (due.empty()) {
      wake_.wait_until(hold, next);
      continue;
    }
    hold.unlock();
    for (int handle : due) {
      Deliver(handle);
      Step(handle);
      Deliver(handle);
    }
    hold.lock();
  }
}

}  // namespace kavo9::acauth
