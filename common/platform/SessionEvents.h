#pragma once
// Terminal-services session notifications and power broadcasts.
//
// Session notifications reach a program only after it registers for its own session
// (WTSRegisterSessionNotification); power broadcasts reach every program without registering.
// Callbacks may arrive on any thread: a receiver that touches its state posts to its loop.

#include <cstdint>
#include <functional>

namespace kavo9 {

// The WM_WTSSESSION_CHANGE codes the programs react to (other codes pass through unchanged).
enum : uint32_t {
  WTS_CONSOLE_CONNECT = 0x1,
  WTS_CONSOLE_DISCONNECT = 0x2,
  WTS_SESSION_LOCK = 0x7,
  WTS_SESSION_UNLOCK = 0x8,
};

// The WM_POWERBROADCAST events the programs react to.
enum : uint32_t { PBT_APMSUSPEND = 0x4, PBT_APMRESUMEAUTOMATIC = 0x12, PBT_APMRESUMESUSPEND = 0x7 };

class SessionEvents {
 public:
  using SessionCallback = std::function<void(uint32_t wtsCode)>;
  using PowerCallback = std::function<void(uint32_t powerEvent)>;

  virtual ~SessionEvents() = default;
  // Starts delivering this session's changes to `callback`. False when the facility is missing
  // (the notification library or its function is not there); nothing is delivered then.
  // Registering again replaces the callback.
  virtual bool RegisterSessionNotification(SessionCallback callback) = 0;
  // Stops the session changes; harmless when not registered.
  virtual void UnregisterSessionNotification() = 0;
  // Where power broadcasts go (null: nowhere). Always available.
  virtual void SetPowerCallback(PowerCallback callback) = 0;
};

}  // namespace kavo9
