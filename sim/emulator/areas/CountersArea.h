#pragma once
// The driver's counters: they move with the time the adapter is associated (receive counters
// only while what it receives decrypts), and start again from zero when cleared or reloaded.
// The link's byte counters (reported by the link-quality area) follow a traffic pattern that
// swells and ebbs over a minute; a freshly loaded driver starts them just below the 32-bit wrap,
// so every session sees them wrap soon, and a clear sets them to zero.

#include "sim/emulator/EmulatorArea.h"
#include "sim/emulator/EmulatorContext.h"

namespace kavo9::emu {

class CountersArea : public EmulatorArea {
 public:
  explicit CountersArea(EmulatorContext& context) : ctx_(context) {}
  std::span<const uint32_t> Codes() const override;
  void Load() override;
  void Advance(uint64_t nowMs) override;
  std::optional<int32_t> Query(uint32_t code, std::span<uint8_t> out, uint32_t* written) override;
  std::optional<int32_t> Set(uint32_t code, std::span<const uint8_t> value) override;

 private:
  // Bytes per second carried in the two-second slot `slot`, sent and received.
  static uint64_t TxBytesPerSecond(uint64_t slot);
  static uint64_t RxBytesPerSecond(uint64_t slot);
  // The bytes carried between `fromMs` and `toMs` of associated time.
  void CarryTraffic(uint64_t fromMs, uint64_t toMs, bool receiving);

  std::vector<uint8_t> Statistics() const;

  EmulatorContext& ctx_;
  uint64_t lastAdvanceMs_ = 0;
  uint64_t countedMs_ = 0;   // associated time since the counters were last cleared
  uint64_t receivedMs_ = 0;  // the part of it in which received frames decrypted
};

}  // namespace kavo9::emu
