#pragma once
// The checks that follow a successful authentication, as status lines: the link (up to 15 looks
// one second apart), the address (DHCP: up to 30 reads, then a renewal), IPX, and after two
// seconds the end marker. They run as timer steps on the user-interface thread: nothing waits
// there, and one run at a time (a second start while one runs is ignored).

#include <cstdint>
#include <functional>
#include <string_view>

#include "common/platform/EventLoop.h"
#include "station/dot1x/supplicant/Supplicant.h"

namespace kavo9::dot1x {

// A further check after IPX (the domain controller's), run on the same loop; it calls `done` once
// when its lines are written.
class PostAuthStep {
 public:
  virtual ~PostAuthStep() = default;
  virtual void Start(std::function<void()> done) = 0;
  virtual void Cancel() = 0;
};

class PostAuthCheck {
 public:
  static constexpr int kLinkLooks = 15;
  static constexpr uint32_t kLinkLookMs = 1000;
  static constexpr int kAddressReads = 30;
  static constexpr uint32_t kEndDelayMs = 2000;

  using LineFn = std::function<void(std::string_view)>;
  PostAuthCheck(Supplicant& library, EventLoop& loop, LineFn line, std::function<void()> done);
  ~PostAuthCheck() { Cancel(); }

  void Start(int handle);
  void Cancel();
  // The check that runs after IPX and before the end marker's delay; none when null.
  void SetFurtherStep(PostAuthStep* step) { further_ = step; }
  bool Running() const { return running_; }

 private:
  void LookAtLink();
  void CheckAddress();
  void WaitForEnd();
  void Finish();

  Supplicant& library_;
  EventLoop& loop_;
  LineFn line_;
  std::function<void()> done_;
  PostAuthStep* further_ = nullptr;
  int handle_ = 0;
  int looks_ = 0;
  bool running_ = false;
  EventLoop::Handle timer_ = 0;
};

}  // namespace kavo9::dot1x
