#pragma once
// Quality of service and direct links: the WMM switch, the power-save (APSD) word and the DLS
// switch and link table. The driver keeps bits 5-6 of the APSD word itself (its service period
// length) whatever a set says. A direct link is set up with a peer of the network the station is
// associated with; a peer accepts only while WMM and DLS are both on, and a link that is not
// accepted stays pending. Switching either off drops the links that are up; losing the
// association drops them all.

#include <array>
#include <vector>

#include "sim/emulator/EmulatorArea.h"
#include "sim/emulator/EmulatorContext.h"

namespace kavo9::emu {

class WmmArea : public EmulatorArea {
 public:
  explicit WmmArea(EmulatorContext& context) : ctx_(context) {}
  std::span<const uint32_t> Codes() const override;
  void Load() override;
  void Advance(uint64_t nowMs) override;
  std::optional<int32_t> Query(uint32_t code, std::span<uint8_t> out, uint32_t* written) override;
  std::optional<int32_t> Set(uint32_t code, std::span<const uint8_t> value) override;

 private:
  struct Link {
    uint16_t timeout = 0;
    MacAddress peer{};
    uint8_t status = 0;
  };
  bool Accepting() const { return wmm_ && dls_ && ctx_.connected; }
  int32_t SetLink(std::span<const uint8_t> entry);

  EmulatorContext& ctx_;
  bool wmm_ = false;
  bool dls_ = false;
  uint32_t apsd_ = 0;
  std::vector<Link> links_;
};

}  // namespace kavo9::emu
