#pragma once
// The chip's register files behind OID_VND_REGISTER_ACCESS: MAC and RF registers of 32 bits,
// BBP registers of 8 bits and the 16-bit EEPROM words, seeded from the scenario. The EEPROM
// holds the chip id, the versions and the MAC address unless the scenario says otherwise.

#include <array>
#include <map>

#include "sim/emulator/EmulatorArea.h"
#include "sim/emulator/EmulatorContext.h"

namespace kavo9::emu {

class RegistersArea : public EmulatorArea {
 public:
  explicit RegistersArea(EmulatorContext& context) : ctx_(context) {}
  std::span<const uint32_t> Codes() const override;
  void Load() override;
  std::optional<int32_t> Query(uint32_t code, std::span<uint8_t> out, uint32_t* written) override;
  std::optional<int32_t> Set(uint32_t code, std::span<const uint8_t> value) override;

 private:
  uint32_t Read(uint32_t type, uint32_t offset) const;

  EmulatorContext& ctx_;
  std::array<std::map<uint32_t, uint32_t>, 4> files_;
};

}  // namespace kavo9::emu
