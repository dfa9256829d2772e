#pragma once
// Who the adapter is: driver, EEPROM and firmware versions, the MAC address and the network
// types its bands support.

#include "sim/emulator/EmulatorArea.h"
#include "sim/emulator/EmulatorContext.h"

namespace kavo9::emu {

class IdentityArea : public EmulatorArea {
 public:
  explicit IdentityArea(EmulatorContext& context) : ctx_(context) {}
  std::span<const uint32_t> Codes() const override;
  std::optional<int32_t> Query(uint32_t code, std::span<uint8_t> out, uint32_t* written) override;

 private:
  EmulatorContext& ctx_;
};

}  // namespace kavo9::emu
