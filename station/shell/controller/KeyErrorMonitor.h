#pragma once
// Whether the connected network seems to use another WEP key than ours: with open authentication
// a wrong key still associates, but nothing received decrypts. First-generation adapters are
// judged by their counters (frames go out, none come in, sampled every 10 s); the others say so
// themselves with the driver's message event.

#include <cstdint>

#include "station/shell/controller/ControllerContext.h"

namespace kavo9 {

class KeyErrorMonitor {
 public:
  explicit KeyErrorMonitor(ControllerContext& context) : c_(context) {}

  // A connect with a WEP key starts watching: a first sample, then one every 10 s.
  void Arm();
  // The next connect stops watching until its own WEP join arms it again.
  void Disarm();
  bool armed() const { return armed_; }
  // The monitor's timer (3) while connected: judge the new sample against the last.
  void OnSampleTimer();
  // The tick found the adapter not connected: no key error, and a fresh start when armed.
  void OnNotConnected();
  // Resume from suspend restarts the sampling of an armed monitor.
  void OnResume();
  // The driver's message event.
  void OnDriverMessage();

 private:
  void TakeSample(bool judge);

  ControllerContext& c_;
  bool armed_ = false;
  uint64_t lastFragments_ = 0;
  uint32_t lastReceived_ = 0;
};

}  // namespace kavo9
