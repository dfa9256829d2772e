#include "common/platform/qt/QtEventLoop.h"

#include <QMetaObject>
#include <QTimer>
#include <chrono>

namespace kavo9 {

QtEventLoop::QtEventLoop() : context_(std::make_unique<QObject>()) {}

QtEventLoop::~QtEventLoop() {
  for (auto& [handle, timer] : timers_) delete timer;
}

EventLoop::Handle QtEventLoop::StartTimer(uint32_t periodMs, std::function<void()> fire) {
  Handle handle = ++nextHandle_;
  auto* timer = new QTimer(context_.get());
  timer->setTimerType(Qt::CoarseTimer);
  timer->setInterval(static_cast<int>(periodMs));
  QObject::connect(timer, &QTimer::timeout, context_.get(), std::move(fire));
  timers_[handle] = timer;
  timer->start();
  return handle;
}

void QtEventLoop::StopTimer(Handle handle) {
  auto it = timers_.find(handle);
  if (it == timers_.end()) return;
  it->second->stop();
  it->second->deleteLater();  // it may be the timer whose signal is being delivered
  timers_.erase(it);
}

void QtEventLoop::Post(std::function<void()> task) {
  QMetaObject::invokeMethod(context_.get(), std::move(task), Qt::QueuedConnection);
}

uint64_t QtEventLoop::MonotonicMs() const {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

uint64_t QtEventLoop::UtcFileTime() const {
  using namespace std::chrono;
  auto micros = duration_cast<microseconds>(system_clock::now().time_since_epoch()).count();
  return FileTimeFromUnixMicros(static_cast<uint64_t>(micros));
}

}  // namespace kavo9
