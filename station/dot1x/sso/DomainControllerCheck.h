#pragma once
// The domain-controller check after a successful 802.1X authentication, as status lines: the
// domain of the Windows logon (from the single-sign-on key), its controller, and whether the
// controller answers on the network — up to seven opens of a file on its NETLOGON share, 500 ms
// apart. Any answer of the server counts, a refusal or "not found" included. The check never
// fails the authentication; it only adds lines.
//
// It runs as timer steps on the caller's event loop (nothing waits there) and calls `done` once
// at the end. Every handle an open hands out is closed again at once.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "common/platform/Domain.h"
#include "common/platform/EventLoop.h"
#include "common/platform/Registry.h"

namespace kavo9::sso {

class DomainControllerCheck {
 public:
  static constexpr int kProbeAttempts = 7;
  static constexpr uint32_t kProbePauseMs = 500;
  static constexpr size_t kMaxDomainLength = 127;
  static constexpr uint32_t kLookupFlags = DS_FORCE_REDISCOVERY | DS_RETURN_FLAT_NAME;

  using LineFn = std::function<void(std::string_view)>;
  DomainControllerCheck(Registry& registry, Domain& domain, EventLoop& loop, LineFn line,
                        std::function<void()> done);
  ~DomainControllerCheck() { Cancel(); }
  DomainControllerCheck(const DomainControllerCheck&) = delete;
  DomainControllerCheck& operator=(const DomainControllerCheck&) = delete;

  // A second start while a check runs is ignored.
  void Start();
  // Stops a running check without `done`.
  void Cancel();
  bool Running() const { return running_; }

  // Whether an open's error says the controller answered.
  static bool ControllerAnswered(uint32_t error);

 private:
  void Probe();
  void Finish(std::string_view line);

  Registry& registry_;
  Domain& domain_;
  EventLoop& loop_;
  LineFn line_;
  std::function<void()> done_;
  std::string path_;
  int attempts_ = 0;
  bool running_ = false;
  EventLoop::Handle timer_ = 0;
};

}  // namespace kavo9::sso
