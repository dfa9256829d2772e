#pragma once
// The EventLoop of the programs: QTimer for timers, queued calls for Post, steady and system
// clocks for time. Lives on the thread that created it (the user-interface thread).

#include <QObject>
#include <memory>
#include <unordered_map>

#include "common/platform/EventLoop.h"

class QTimer;

namespace kavo9 {

class QtEventLoop : public EventLoop {
 public:
  QtEventLoop();
  ~QtEventLoop() override;

  Handle StartTimer(uint32_t periodMs, std::function<void()> fire) override;
  void StopTimer(Handle handle) override;
  void Post(std::function<void()> task) override;
  uint64_t MonotonicMs() const override;
  uint64_t UtcFileTime() const override;

 private:
  std::unique_ptr<QObject> context_;
  std::unordered_map<Handle, QTimer*> timers_;
  Handle nextHandle_ = 0;
};

}  // namespace kavo9
