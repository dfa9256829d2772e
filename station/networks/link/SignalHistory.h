#pragma once
// The last ten minutes of the link's signal, noise and signal-to-noise ratio, one reading per
// refresh, kept with its time so that a time the panel was hidden or the link was down shows as a
// gap instead of being squeezed out.

#include <cstdint>
#include <deque>

namespace kavo9::link {

struct SignalSample {
  uint64_t timeMs = 0;
  bool linked = false;  // false: not connected at that moment (a gap)
  int signalDbm = 0;
  int noiseDbm = 0;
  int SnrDb() const { return signalDbm - noiseDbm; }
};

class SignalHistory {
 public:
  static constexpr uint64_t kSpanMs = 10 * 60 * 1000;

  void AddLinked(uint64_t nowMs, int signalDbm, int noiseDbm);
  void AddGap(uint64_t nowMs);
  void Clear() { samples_.clear(); }
  // Oldest first; nothing older than kSpanMs before the newest.
  const std::deque<SignalSample>& Samples() const { return samples_; }
  uint64_t NewestMs() const { return samples_.empty() ? 0 : samples_.back().timeMs; }

 private:
  void Add(const SignalSample& sample);
  std::deque<SignalSample> samples_;
};

}  // namespace kavo9::link
