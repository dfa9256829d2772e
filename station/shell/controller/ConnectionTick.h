#pragma once
// The connection poll every controller tick ends with: media status, BSSID, SSID and link state
// from the driver, the tray icon's state and signal, the every-90th-tick scan while not connected,
// the reconnect counter and the reconnect check.

#include "station/shell/controller/ControllerContext.h"
#include "station/shell/controller/KeyErrorMonitor.h"

namespace kavo9 {

class ConnectionTick {
 public:
  ConnectionTick(ControllerContext& context, KeyErrorMonitor& keyError)
      : c_(context), keyError_(keyError) {}

  // `timer` is the timer whose tick this is (the key-error sample is taken on its own timer).
  void Poll(TimerId timer);
  uint32_t reconnectTick() const { return reconnectTick_; }

 private:
  void ShowSignalState();

  ControllerContext& c_;
  KeyErrorMonitor& keyError_;
  uint32_t reconnectTick_ = 0;
};

}  // namespace kavo9
