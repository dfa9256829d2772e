#include "softap/shell/IcsDhcp.h"

namespace kavo9::softap {

void IcsDhcp::Load() {
  if (!loader_ || library_) return;
  library_ = loader_->Load(kIcsDhcpLibrary);
  if (!library_) return;
  enable_ = library_->Function<EnableFn>("ICSDHCP_EnableDhcpServer");
  disable_ = library_->Function<DisableFn>("ICSDHCP_DisableDhcpServer");
}

void IcsDhcp::Enable() {
  if (!Available()) return;
  scratch_.fill(0);
  enable_(scratch_.data(), 0);
}

void IcsDhcp::DisableAndRelease() {
  if (Available()) disable_();
  enable_ = nullptr;
  disable_ = nullptr;
  library_.reset();
}

}  // namespace kavo9::softap
