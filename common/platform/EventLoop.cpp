#include "common/platform/EventLoop.h"

namespace kavo9 {

TimerId EventLoop::SetThreadTimer(uint32_t periodMs, std::function<void(TimerId)> fire) {
  TimerId id = ++nextThreadTimerId_;
  if (id == 0) id = ++nextThreadTimerId_;
  threadTimers_[id] = StartTimer(periodMs, [fire = std::move(fire), id] { fire(id); });
  return id;
}

void EventLoop::KillThreadTimer(TimerId id) {
  auto it = threadTimers_.find(id);
  if (it == threadTimers_.end()) return;
  Handle handle = it->second;
  threadTimers_.erase(it);
  StopTimer(handle);
}

WindowTimers::WindowTimers(EventLoop& loop, std::function<void(TimerId)> onTimer)
    : loop_(loop), onTimer_(std::move(onTimer)) {}

WindowTimers::~WindowTimers() {
  KillAll();
}

void WindowTimers::Set(TimerId id, uint32_t periodMs) {
  Kill(id);
  running_[id] = loop_.StartTimer(periodMs, [this, id] { onTimer_(id); });
}

void WindowTimers::Kill(TimerId id) {
  auto it = running_.find(id);
  if (it == running_.end()) return;
  EventLoop::Handle handle = it->second;
  running_.erase(it);
  loop_.StopTimer(handle);
}

void WindowTimers::KillAll() {
  while (!running_.empty()) Kill(running_.begin()->first);
}

}  // namespace kavo9
