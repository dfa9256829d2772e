#pragma once
// What the driver measures of the link: the signal at each of its receive antennas (an antenna
// the adapter lacks is refused), the signal-to-noise ratios, the noise level, the link quality,
// the transmit and receive rates that follow the radio settings and what the network offers, the
// byte counters the counters area moves, and the peer's IPv4 address. Everything reads as
// "nothing" while not associated.

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
  // The noise floor of this moment: a few dB around kNoiseDbm.
  int32_t NoiseDbm() const;
  uint32_t ChannelQuality() const;
  PeerRadio Peer() const;
  std::optional<int32_t> AnswerLinkRate(std::span<uint8_t> out, uint32_t* written) const;

  EmulatorContext& ctx_;
};

}  // namespace kavo9::emu
