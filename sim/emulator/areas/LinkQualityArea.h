#pragma once
// What the driver measures of the link: the signal at its three antennas, the signal-to-noise
// ratios, the noise level, and the transmit and receive rates that follow the radio settings and
// what the network offers. Everything reads as "nothing" while not associated.

#include "sim/emulator/EmulatorArea.h"
#include "sim/emulator/EmulatorContext.h"

namespace kavo9::emu {

class LinkQualityArea : public EmulatorArea {
 public:
  // Every measurement sits on this noise floor.
  static constexpr int kNoiseDbm = -92;

  explicit LinkQualityArea(EmulatorContext& context) : ctx_(context) {}
  std::span<const uint32_t> Codes() const override;
  std::optional<int32_t> Query(uint32_t code, std::span<uint8_t> out, uint32_t* written) override;

 private:
  int32_t CurrentRssi() const;
  int32_t AntennaRssi(int offsetDb) const;
  PeerRadio Peer() const;
  std::optional<int32_t> AnswerLinkRate(std::span<uint8_t> out, uint32_t* written) const;

  EmulatorContext& ctx_;
};

}  // namespace kavo9::emu
