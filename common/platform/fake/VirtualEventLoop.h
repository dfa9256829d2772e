#pragma once
// An EventLoop on virtual time for tests: nothing fires until the test advances the clock.

#include <deque>
#include <mutex>
#include <set>
#include <unordered_map>

#include "common/platform/EventLoop.h"

namespace kavo9 {

class VirtualEventLoop : public EventLoop {
 public:
  // `startFileTime` is the UTC file time at virtual time 0.
  explicit VirtualEventLoop(uint64_t startFileTime = FileTimeFromUnixMicros(1'780'000'000'000'000));

  Handle StartTimer(uint32_t periodMs, std::function<void()> fire) override;
  void StopTimer(Handle handle) override;
  void Post(std::function<void()> task) override;
  uint64_t MonotonicMs() const override { return nowMs_; }
  uint64_t UtcFileTime() const override { return startFileTime_ + nowMs_ * 10'000; }

  // Moves virtual time forward by `ms`, running posted tasks first and then every timer that falls
  // due, in order of due time (ties in order of starting), with time set to each one's due time.
  void Advance(uint64_t ms);
  // Runs posted tasks (and tasks they post) without moving time.
  void RunPosted();
  size_t ActiveTimerCount() const { return timers_.size(); }

 private:
  struct Timer {
    uint64_t dueMs;
    uint32_t periodMs;
    std::function<void()> fire;
  };
  std::unordered_map<Handle, Timer> timers_;
  std::set<std::pair<uint64_t, Handle>> queue_;  // (due, handle): handles grow, so ties keep order
  Handle nextHandle_ = 0;
  uint64_t nowMs_ = 0;
  uint64_t startFileTime_;
  std::mutex postedMutex_;
  std::deque<std::function<void()>> posted_;
};

}  // namespace kavo9
