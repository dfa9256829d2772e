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
  bool Running() const { return running_; }

 private:
  void LookAtLink();
  void CheckAddress();
  void Finish();

  Supplicant& library_;
  EventLoop& loop_;
  LineFn line_;
  std::function<void()> done_;
  int handle_ = 0;
  int looks_ = 0;
  bool running_ = false;
  EventLoop::Handle timer_ = 0;
};

}  // namespace kavo9::dot1x
