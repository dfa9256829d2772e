#include "station/dot1x/supplicant/PostAuthCheck.h"

#include <array>
#include <string>

namespace kavo9::dot1x {
namespace {

std::string Dotted(const std::array<uint8_t, 4>& a) {
  return std::to_string(a[0]) + "." + std::to_string(a[1]) + "." + std::to_string(a[2]) + "." +
         std::to_string(a[3]);
}

}  // namespace

PostAuthCheck::PostAuthCheck(Supplicant& library, EventLoop& loop, LineFn line,
                             std::function<void()> done)
    : library_(library), loop_(loop), line_(std::move(line)), done_(std::move(done)) {}

void PostAuthCheck::Start(int handle) {
  if (running_) return;
  running_ = true;
  handle_ = handle;
  looks_ = 0;
  LookAtLink();
}

void PostAuthCheck::Cancel() {
  if (timer_) loop_.StopTimer(timer_);
  timer_ = 0;
  if (running_ && further_) further_->Cancel();
  running_ = false;
}

void PostAuthCheck::LookAtLink() {
  int connected = 0;
  if (library_.IpIsConnected(handle_, &connected) == AC_OK && connected) {
    line_("Network Link is connected.");
    CheckAddress();
    return;
  }
  if (++looks_ >= kLinkLooks) {
    line_("Network Link is NOT connected.");
    CheckAddress();
    return;
  }
  if (!timer_) {
    timer_ = loop_.StartTimer(kLinkLookMs, [this] { LookAtLink(); });
  }
}

void PostAuthCheck::CheckAddress() {
  if (timer_) loop_.StopTimer(timer_);
  timer_ = 0;
  int dhcp = 0;
  library_.IpDhcpIsEnabled(handle_, &dhcp);
  std::array<uint8_t, 4> address{};
  if (dhcp) {
    line_("DHCP is Enabled.");
    for (int i = 0; i < kAddressReads; ++i) {
      address = {};
      if (library_.IpGetConfig(handle_, &address) == AC_OK && address != std::array<uint8_t, 4>{}) {
        break;
      }
    }
    if (address != std::array<uint8_t, 4>{}) {
      line_("Succeed. IP address is " + Dotted(address) + ".");
    } else {
      library_.IpDhcpRenew(handle_);
      int connected = 0;
      library_.IpIsConnected(handle_, &connected);
      line_("Network Link is NO IP address.");
    }
  } else {
    library_.IpGetConfig(handle_, &address);
    line_("DHCP is Disabled - Static IP.");
    line_("Static IP address is " + Dotted(address) + ".");
  }
  // The simulated machine has no IPX stack.
  line_("Detecting IPX Frame Type.");
  line_("IPX protocol is not installed on this machine.");
  if (further_) {
    further_->Start([this] {
      if (running_) WaitForEnd();
    });
  } else {
    WaitForEnd();
  }
}

void PostAuthCheck::WaitForEnd() {
  timer_ = loop_.StartTimer(kEndDelayMs, [this] { Finish(); });
}

void PostAuthCheck::Finish() {
  Cancel();
  if (done_) done_();
}

}  // namespace kavo9::dot1x
