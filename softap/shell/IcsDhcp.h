#pragma once
// The DHCP server of Internet connection sharing, reached through the ICSDHCP library loaded at
// run time: ICSDHCP_EnableDhcpServer(buffer, 0) with 40 bytes of scratch memory at every start-up
// sequence, ICSDHCP_DisableDhcpServer() once when the controller ends. Without the library or
// either entry point the calls are skipped.

#include <array>
#include <memory>

#include "common/platform/DynamicLibrary.h"
#include "softap/shell/ApControllerPorts.h"

namespace kavo9::softap {

inline constexpr const char* kIcsDhcpLibrary = "ICSDHCP.dll";

class IcsDhcp : public ConnectionSharingPort {
 public:
  using EnableFn = int (*)(void* buffer, int value);
  using DisableFn = int (*)();

  // `loader` may be null (no library can be loaded).
  explicit IcsDhcp(DynamicLibraryLoader* loader) : loader_(loader) {}

  void Load() override;
  bool Available() const override { return enable_ && disable_; }
  void Enable() override;
  void DisableAndRelease() override;

 private:
  DynamicLibraryLoader* loader_;
  std::unique_ptr<DynamicLibrary> library_;
  EnableFn enable_ = nullptr;
  DisableFn disable_ = nullptr;
  std::array<uint8_t, 40> scratch_{};
};

}  // namespace kavo9::softap
