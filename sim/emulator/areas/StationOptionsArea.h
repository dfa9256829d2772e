#pragma once
// The station options record (TX burst, turbo rate, b/g protection, short slot, ad hoc OFDM,
// the radio word and two reserved words) as the driver reads it from the adapter key.

#include <array>

#include "sim/emulator/EmulatorArea.h"
#include "sim/emulator/EmulatorContext.h"

namespace kavo9::emu {

class StationOptionsArea : public EmulatorArea {
 public:
  explicit StationOptionsArea(EmulatorContext& context) : ctx_(context) {}
  std::span<const uint32_t> Codes() const override;
  void Load() override;
  std::optional<int32_t> Query(uint32_t code, std::span<uint8_t> out, uint32_t* written) override;
  std::optional<int32_t> Set(uint32_t code, std::span<const uint8_t> value) override;

 private:
  EmulatorContext& ctx_;
  std::array<uint32_t, 8> words_{};
};

}  // namespace kavo9::emu
