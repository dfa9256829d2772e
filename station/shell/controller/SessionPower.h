#pragma once
// Session and power notifications: a locked or disconnected session stops the utility's
// connecting, and a wake-up restarts the timers and queues the last connect record again.

#include <cstdint>

#include "station/shell/controller/ControllerContext.h"
#include "station/shell/controller/KeyErrorMonitor.h"

namespace kavo9 {

class SessionPower {
 public:
  SessionPower(ControllerContext& context, KeyErrorMonitor& keyError)
      : c_(context), keyError_(keyError) {}

  void OnSessionChange(uint32_t wtsCode);
  // `ended`: the controller has ended (Exit), so a wake-up restarts nothing.
  void OnPowerBroadcast(uint32_t powerEvent, bool ended);

 private:
  ControllerContext& c_;
  KeyErrorMonitor& keyError_;
  bool resumeHandled_ = false;  // since the last suspend
};

}  // namespace kavo9
