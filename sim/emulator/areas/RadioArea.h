#pragma once
// The radio: operating mode (station or access point), the radio switch, and the settings the
// driver's radio keeps (wireless mode, country region, 802.11n records, rates), which live in
// the shared context because scans and links follow them.

#include <vector>

#include "sim/emulator/EmulatorArea.h"
#include "sim/emulator/EmulatorContext.h"

namespace kavo9::emu {

class RadioArea : public EmulatorArea {
 public:
  explicit RadioArea(EmulatorContext& context);
  std::span<const uint32_t> Codes() const override { return codes_; }
  std::optional<int32_t> Query(uint32_t code, std::span<uint8_t> out, uint32_t* written) override;
  std::optional<int32_t> Set(uint32_t code, std::span<const uint8_t> value) override;

 private:
  EmulatorContext& ctx_;
  std::vector<uint32_t> codes_;
};

}  // namespace kavo9::emu
