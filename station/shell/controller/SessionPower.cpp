#include "station/shell/controller/SessionPower.h"

#include "common/platform/SessionEvents.h"

namespace kavo9 {

void SessionPower::OnSessionChange(uint32_t wtsCode) {
  StationState& state = c_.state;
  switch (wtsCode) {
    case WTS_CONSOLE_CONNECT:
      state.sessionActive = true;
      state.consoleDisconnected = false;
      break;
    case WTS_CONSOLE_DISCONNECT:
      state.consoleDisconnected = true;
      break;
    case WTS_SESSION_LOCK:
      state.sessionActive = false;
      c_.parts.supplicant.ReleasePorts();
      break;
    case WTS_SESSION_UNLOCK:
      if (state.consoleDisconnected) {
        state.sessionActive = false;
        state.consoleDisconnected = false;
      } else {
        state.sessionActive = true;
      }
      break;
    default:
      break;
  }
}

void SessionPower::OnPowerBroadcast(uint32_t powerEvent, bool ended) {
  const ControllerParts& p = c_.parts;
  if (powerEvent == PBT_APMSUSPEND) {
    for (TimerId id = 0; id <= kLastStoppableTimer; ++id) c_.timers.Kill(id);
    resumeHandled_ = false;
    return;
  }
  if (powerEvent != PBT_APMRESUMEAUTOMATIC && powerEvent != PBT_APMRESUMESUSPEND) return;
  // A wake-up the user caused is announced twice (automatic resume, then resume from suspend);
  // the last connect record is queued again once per wake-up, not once per announcement.
  if (ended || resumeHandled_) return;
  resumeHandled_ = true;
  c_.timers.Set(kTimerTick, kTickMs);
  c_.timers.Set(kTimerScanWait, kScanWaitAfterResumeMs);
  keyError_.OnResume();
  if (!p.supplicant.HasPort() && !c_.state.ServiceManagesAdapter()) p.supplicant.Start();
  if (p.connect.HasLastConnectRecord() && c_.state.radioOn) {
    c_.RunQueueIfWindowAllows(p.connect.RequeueLastRecord());
  }
}

}  // namespace kavo9
