#include "station/networks/link/SignalHistory.h"

namespace kavo9::link {

void SignalHistory::AddLinked(uint64_t nowMs, int signalDbm, int noiseDbm) {
  Add({nowMs, true, signalDbm, noiseDbm});
}

void SignalHistory::AddGap(uint64_t nowMs) {
  Add({nowMs, false, 0, 0});
}

void SignalHistory::Add(const SignalSample& sample) {
  // A clock that went back (it never should) starts the history over rather than unsorting it.
  if (!samples_.empty() && sample.timeMs < samples_.back().timeMs) samples_.clear();
  samples_.push_back(sample);
  while (!samples_.empty() && sample.timeMs - samples_.front().timeMs > kSpanMs) {
    samples_.pop_front();
  }
}

}  // namespace kavo9::link
