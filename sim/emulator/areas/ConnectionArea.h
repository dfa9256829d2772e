#pragma once
// Joining and leaving: the desired SSID or BSSID, the infrastructure mode, disassociation, and
// what the driver reports of the association (media status, link state, message flags, the
// current configuration). A join picks the strongest network in range that matches, in the
// infrastructure mode asked for, and that the security areas admit; the link drops when the
// network leaves the world, goes out of range, or the adapter stops listening.

#include <functional>
#include <string>

#include "sim/emulator/EmulatorArea.h"
#include "sim/emulator/EmulatorContext.h"

namespace kavo9::emu {

class ConnectionArea : public EmulatorArea {
 public:
  explicit ConnectionArea(EmulatorContext& context) : ctx_(context) {}
  std::span<const uint32_t> Codes() const override;
  void Load() override;
  void Advance(uint64_t nowMs) override;
  std::optional<int32_t> Query(uint32_t code, std::span<uint8_t> out, uint32_t* written) override;
  std::optional<int32_t> Set(uint32_t code, std::span<const uint8_t> value) override;

 private:
  bool Join(const std::function<bool(const NetworkSpec&)>& match);
  uint32_t LinkState() const;

  EmulatorContext& ctx_;
  uint32_t infrastructureMode_ = 0;
  std::string desiredSsid_;
};

}  // namespace kavo9::emu
