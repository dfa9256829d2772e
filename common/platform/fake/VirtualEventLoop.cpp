#include "common/platform/fake/VirtualEventLoop.h"

namespace kavo9 {

VirtualEventLoop::VirtualEventLoop(uint64_t startFileTime) : startFileTime_(startFileTime) {}

EventLoop::Handle VirtualEventLoop::StartTimer(uint32_t periodMs, std::function<void()> fire) {
  Handle handle = ++nextHandle_;
  // A zero period would fire forever at one instant; window timers treat it as the minimum.
  uint32_t period = periodMs == 0 ? 1 : periodMs;
  timers_[handle] = Timer{nowMs_ + period, period, std::move(fire)};
  queue_.insert({nowMs_ + period, handle});
  return handle;
}

void VirtualEventLoop::StopTimer(Handle handle) {
  auto it = timers_.find(handle);
  if (it == timers_.end()) return;
  queue_.erase({it->second.dueMs, handle});
  timers_.erase(it);
}

void VirtualEventLoop::Post(std::function<void()> task) {
  std::lock_guard lock(postedMutex_);
  posted_.push_back(std::move(task));
}

void VirtualEventLoop::RunPosted() {
  for (;;) {
    std::function<void()> task;
    {
      std::lock_guard lock(postedMutex_);
      if (posted_.empty()) return;
      task = std::move(posted_.front());
      posted_.pop_front();
    }
    task();
  }
}

void VirtualEventLoop::Advance(uint64_t ms) {
  const uint64_t end = nowMs_ + ms;
  RunPosted();
  while (!queue_.empty() && queue_.begin()->first <= end) {
    auto [due, handle] = *queue_.begin();
    queue_.erase(queue_.begin());
    nowMs_ = due;
    Timer& timer = timers_.at(handle);
    timer.dueMs = due + timer.periodMs;
    queue_.insert({timer.dueMs, handle});
    auto fire = timer.fire;  // the timer may stop itself while firing
    fire();
    RunPosted();
  }
  nowMs_ = end;
  RunPosted();
}

}  // namespace kavo9
