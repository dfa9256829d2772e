// The 802.1X conversations of the engine's ports: each runs on a session thread of its own, so
// that a request the program puts off (a dialog, a file) holds up nothing else. A session's
// requests and events reach the program on that thread; a stopped session's results are dropped.

#include "sim/acauth/EapClient.h"
#include "sim/acauth/Engine.h"

namespace kavo9::acauth {

using Clock = std::chrono::steady_clock;

class Engine::PortSession : public SessionHost {
 public:
  PortSession(Engine& engine, int handle, uint64_t generation,
              std::shared_ptr<SessionControl> control)
      : engine_(engine), handle_(handle), generation_(generation), control_(std::move(control)) {}

  std::optional<CredAnswer> Ask(uint32_t type, uint32_t level, CredContext context) override {
    if (Stopped()) return std::nullopt;
    auto request = engine_.desk_.Open(handle_, type, level, std::move(context));
    acCredRequestFn requests = nullptr;
    void* portContext = nullptr;
    {
      std::lock_guard hold(engine_.mutex_);
      Port* port = engine_.Find(handle_);
      if (!port || port->generation != generation_) return std::nullopt;
      requests = port->requests;
      portContext = port->context;
    }
    engine_.Deliver(handle_);  // what happened before comes first
    if (requests) {
      std::lock_guard calling(engine_.callbacks_);
      requests(portContext, &request->record);
    }
    auto control = control_;
    return engine_.desk_.Await(
        request, [control] { return control->stopped.load(); }, kAnswerWait);
  }

  void Tell(int state, int status, int kind) override {
    {
      std::lock_guard hold(engine_.mutex_);
      Port* port = engine_.Find(handle_);
      if (!port || port->generation != generation_ || Stopped()) return;
      port->state = state;
      port->status = status;
      port->pending.push_back(kind);
    }
    engine_.Deliver(handle_);
  }

  bool Stopped() const override { return control_->stopped.load(); }

  void Pause(std::chrono::milliseconds ms) override {
    std::unique_lock hold(control_->mutex);
    control_->wake.wait_for(hold, ms, [this] { return control_->stopped.load(); });
  }

 private:
  Engine& engine_;
  int handle_;
  uint64_t generation_;
  std::shared_ptr<SessionControl> control_;
};

void Engine::StartSession(Port& port) {
  ReapSessions();
  StopSession(port);
  auto control = std::make_shared<SessionControl>();
  port.session = control;
  PskLink link;
  link.port = port.name;
  link.device = port.device;
  link.mac = port.mac;
  link.keyManagement = int(port.association.keyManagement);
  link.cipher = int(port.association.cipher);
  Session session;
  session.control = control;
  session.thread = std::thread(&Engine::RunSession, this, port.handle, port.generation, control,
                               std::move(link));
  sessions_.push_back(std::move(session));
}

void Engine::StopSession(Port& port) {
  if (!port.session) return;
  {
    std::lock_guard hold(port.session->mutex);
    port.session->stopped = true;
  }
  port.session->wake.notify_all();
  port.session.reset();
  desk_.WakeAll();
}

void Engine::ReapSessions() {
  for (auto it = sessions_.begin(); it != sessions_.end();) {
    if (!it->control->finished) {
      ++it;
      continue;
    }
    if (it->thread.joinable()) it->thread.join();
    it = sessions_.erase(it);
  }
}

void Engine::RunSession(int handle, uint64_t generation, std::shared_ptr<SessionControl> control,
                        PskLink link) {
  {
    PortSession host(*this, handle, generation, control);
    SimulatedDeviceIo io(machineDir_);
    EapClient client(host, daemon_, io, std::move(link));
    EapOutcome outcome;
    try {
      outcome = client.Run();
    } catch (const std::exception&) {
      // Nothing the daemon sends may take the program down with the library.
      outcome.status = AC_STATUS_REJECTED;
    }
    bool tell = false;
    {
      std::lock_guard hold(mutex_);
      Port* port = Find(handle);
      if (port && port->generation == generation && !control->stopped) {
        const auto now = Clock::now();
        port->session.reset();
        if (outcome.authenticated) {
          port->phase = Phase::kAuthenticated;
          port->state = AC_STATE_AUTHENTICATED;
          port->status = AC_STATUS_NONE;
          port->pending.push_back(AC_PORT_EVENT_STATE);
        } else {
          port->phase = Phase::kFailed;
          port->state = AC_STATE_SEE_STATUS;
          port->status = outcome.status ? outcome.status : AC_STATUS_REJECTED;
          port->pending.push_back(AC_PORT_EVENT_STATUS);
        }
        port->due = now + std::chrono::milliseconds(kIdlePollMs);
        tell = true;
      }
    }
    if (tell) Deliver(handle);
    Wake();
  }
  control->finished = true;
}

}  // namespace kavo9::acauth
