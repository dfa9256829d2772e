#pragma once
// The program's one user-interface thread: timers, posted calls and clocks.
//
// Everything the programs do runs from timers and posted calls on one thread. Two
// implementations exist: the Qt one (common/platform/qt) for the programs and the virtual-time one
// (VirtualEventLoop) for tests, where Advance(ms) fires due timers in time order without sleeping.
// Nothing in the programs sleeps or reads the system clock directly; they ask this interface.

#include <cstdint>
#include <functional>
#include <map>

namespace kavo9 {

using TimerId = uint32_t;

class EventLoop {
 public:
  using Handle = uint64_t;  // a running timer; 0 is never a valid handle

  virtual ~EventLoop() = default;

  // Starts a periodic timer that calls `fire` every `periodMs` until stopped. A timer may stop
  // itself (or any other) from inside `fire`. Called on the loop's thread only.
  virtual Handle StartTimer(uint32_t periodMs, std::function<void()> fire) = 0;
  // Stops a timer; unknown or already stopped handles are ignored.
  virtual void StopTimer(Handle handle) = 0;

  // Queues `task` to run on the loop's thread. Safe to call from any thread.
  virtual void Post(std::function<void()> task) = 0;

  // Milliseconds of a monotonic clock (the tick count).
  virtual uint64_t MonotonicMs() const = 0;
  // UTC time as a file time: 100-ns intervals since 1601-01-01.
  virtual uint64_t UtcFileTime() const = 0;

  // Thread timers: a timer without a window. Each gets a fresh non-zero id that identifies it when
  // it fires; KillThreadTimer stops it. Ids are never reused while the loop lives.
  TimerId SetThreadTimer(uint32_t periodMs, std::function<void(TimerId)> fire);
  void KillThreadTimer(TimerId id);
  bool IsThreadTimerActive(TimerId id) const { return threadTimers_.count(id) != 0; }

 private:
  std::map<TimerId, Handle> threadTimers_;
  TimerId nextThreadTimerId_ = 0x7FF0;
};

// The numbered timers of one window-like owner, with the semantics of window timers: setting an
// id that is already running restarts it with the new period; the timers stop when the owner
// (and so this member) is destroyed.
class WindowTimers {
 public:
  WindowTimers(EventLoop& loop, std::function<void(TimerId)> onTimer);
  ~WindowTimers();
  WindowTimers(const WindowTimers&) = delete;
  WindowTimers& operator=(const WindowTimers&) = delete;

  void Set(TimerId id, uint32_t periodMs);
  void Kill(TimerId id);
  void KillAll();
  bool IsSet(TimerId id) const { return running_.count(id) != 0; }

 private:
  EventLoop& loop_;
  std::function<void(TimerId)> onTimer_;
  std::map<TimerId, EventLoop::Handle> running_;
};

// Converts between file time and Unix time.
constexpr uint64_t kFileTimeUnixEpoch = 116444736000000000ULL;  // 1970-01-01 as a file time
constexpr uint64_t FileTimeFromUnixMicros(uint64_t micros) {
  return kFileTimeUnixEpoch + micros * 10;
}

}  // namespace kavo9
