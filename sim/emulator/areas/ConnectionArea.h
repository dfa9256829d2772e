#pragma once
// Joining and leaving: the desired SSID or BSSID, the infrastructure mode, the configuration's
// channel, disassociation, and what the driver reports of the association (media status, link
// state, message flags, the current configuration). A join picks the strongest network in range
// that matches, in the infrastructure mode asked for, and that the security areas admit; a refused
// join leaves its failure in the link state. In ad hoc mode an SSID nobody in range uses starts a
// network of our own on the configuration's channel. The link drops when the network leaves the
// world, goes out of range, or the adapter stops listening; a network that comes back can be
// joined again.

#include <functional>
#include <optional>
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
  void StartOwnIbss();
  void Leave();
  // An ad hoc network of this SSID is in range (joined or refused, it is not started anew).
  bool HeardAdhoc(const std::string& ssid) const;
  uint32_t LinkState() const;

  EmulatorContext& ctx_;
  uint32_t infrastructureMode_ = 0;
  std::string desiredSsid_;
  uint32_t desiredKhz_ = 0;          // the configuration's DSConfig as last set
  bool ownIbss_ = false;             // the ad hoc network we started ourselves
  std::optional<uint32_t> failure_;  // the link state of the last refused join
};

}  // namespace kavo9::emu
