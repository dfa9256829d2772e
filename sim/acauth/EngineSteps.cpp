// The library thread's work on one port: follow its link, run its key exchange, and deliver the
// events that came of it. Each step changes the port's state at most once, so a callback that
// reads the state sees the state its event announced.

#include <cstring>

#include "sim/acauth/Engine.h"

namespace kavo9::acauth {
namespace {

using nlohmann::json;
using Clock = std::chrono::steady_clock;

bool SsidMatches(const acAssociation& a, const std::string& ssid) {
  const size_t length = std::min<size_t>(a.ssidLength, sizeof a.ssid);
  return ssid.size() == length && std::memcmp(ssid.data(), a.ssid, length) == 0;
}

bool IsPersonal(const acAssociation& a) {
  return a.keyManagement == AC_KM_WPA_PSK || a.keyManagement == AC_KM_WPA2_PSK;
}

// WPA and WPA2 enterprise links, and open or WEP ones the program hands the library (LEAP and
// MD5 through an 802.1X server).
bool IsDot1x(const acAssociation& a) {
  return a.keyManagement == AC_KM_WPA || a.keyManagement == AC_KM_WPA2 ||
         a.keyManagement == AC_KM_OPEN || a.keyManagement == AC_KM_SHARED;
}

}  // namespace

void Engine::Step(int handle) {
  std::string name;
  Phase phase;
  {
    std::lock_guard hold(mutex_);
    Port* port = Find(handle);
    if (!port || port->phase == Phase::kIdle || port->phase == Phase::kEap ||
        port->due > Clock::now()) {
      return;
    }
    name = port->name;
    phase = port->phase;
  }
  if (phase == Phase::kExchange) {
    StepExchange(handle);
    return;
  }
  auto link = daemon_.Ask({{"cmd", "auth"}, {"op", "link"}, {"adapter", name}});
  StepLink(handle, link.value_or(json::object()));
}

void Engine::StepLink(int handle, const json& link) {
  std::lock_guard hold(mutex_);
  Port* port = Find(handle);
  if (!port || port->phase == Phase::kIdle || port->phase == Phase::kExchange ||
      port->phase == Phase::kEap) {
    return;
  }
  const auto now = Clock::now();
  const std::string bssid = TextField(link, "bssid");
  const bool up =
      FlagField(link, "connected") && SsidMatches(port->association, TextField(link, "ssid"));
  if (port->phase == Phase::kWaitLink) {
    if (port->state == AC_STATE_SEE_STATUS) {
      port->state = AC_STATE_CONNECTING;
      port->status = AC_STATUS_NONE;
      port->pending.push_back(AC_PORT_EVENT_STATE);
      port->due = now;
      return;
    }
    port->due = now + std::chrono::milliseconds(kLinkPollMs);
    if (!up) return;
    port->link = AC_LINK_UP;
    port->bssid = bssid;
    port->pending.push_back(AC_PORT_EVENT_LINK);
    port->state = AC_STATE_AUTHENTICATING;
    port->pending.push_back(AC_PORT_EVENT_STATE);
    port->attempts = 0;
    port->due = now;
    if (IsDot1x(port->association)) {
      port->phase = Phase::kEap;
      StartSession(*port);
      return;
    }
    // Pre-shared keys are negotiated here; another association waits on its link.
    port->phase = IsPersonal(port->association) && port->psk ? Phase::kExchange : Phase::kFailed;
    return;
  }
  port->due = now + std::chrono::milliseconds(kIdlePollMs);
  if (up && bssid == port->bssid) return;
  port->link = AC_LINK_DOWN;
  port->status = AC_STATUS_LINK_DOWN;
  port->pending.push_back(AC_PORT_EVENT_STATUS);
  port->phase = Phase::kWaitLink;
  port->state = AC_STATE_CONNECTING;
  port->pending.push_back(AC_PORT_EVENT_STATE);
  port->due = now + std::chrono::milliseconds(kLinkPollMs);
}

void Engine::StepExchange(int handle) {
  PskLink link;
  acObject_ psk;
  uint64_t generation = 0;
  {
    std::lock_guard hold(mutex_);
    Port* port = Find(handle);
    if (!port || !port->psk) return;
    link.port = port->name;
    link.device = port->device;
    link.mac = port->mac;
    link.keyManagement = int(port->association.keyManagement);
    link.cipher = int(port->association.cipher);
    psk = *port->psk;
    generation = port->generation;
  }
  // The pass phrase's PBKDF2 runs here, on the library's thread, once per key.
  if (!psk.pmk) psk.pmk = wpa::PmkFromPassPhrase(psk.text, psk.ssid);
  const PskOutcome outcome = RunPskExchange(daemon_, io_, link, *psk.pmk);

  std::lock_guard hold(mutex_);
  Port* port = Find(handle);
  // Stopped or associated anew meanwhile: this result belongs to an association that is gone.
  if (!port || port->phase != Phase::kExchange || port->generation != generation) return;
  if (port->psk && !port->psk->pmk) port->psk->pmk = psk.pmk;
  const auto now = Clock::now();
  if (outcome == PskOutcome::kDone) {
    port->phase = Phase::kAuthenticated;
    port->state = AC_STATE_AUTHENTICATED;
    port->status = AC_STATUS_NONE;
    port->pending.push_back(AC_PORT_EVENT_STATE);
    port->due = now + std::chrono::milliseconds(kIdlePollMs);
    return;
  }
  port->due = now + std::chrono::milliseconds(kExchangeRetryMs);
  if (++port->attempts < kExchangeAttempts) return;
  port->phase = Phase::kFailed;
  port->state = AC_STATE_SEE_STATUS;
  port->status = AC_STATUS_TIMEOUT;
  port->pending.push_back(AC_PORT_EVENT_STATUS);
}

void Engine::Deliver(int handle) {
  std::lock_guard calling(callbacks_);
  for (;;) {
    acPortEventFn events = nullptr;
    void* context = nullptr;
    int kind = 0;
    {
      std::lock_guard hold(mutex_);
      Port* port = Find(handle);
      if (!port || port->pending.empty()) return;
      kind = port->pending.front();
      port->pending.pop_front();
      events = port->events;
      context = port->context;
    }
    if (events) events(context, kind);
  }
}

}  // namespace kavo9::acauth
