#pragma once
// The scan cycle: a scan takes its time (longer when it includes 5 GHz channels), then the list
// holds the networks of the world heard on the adapter's channels, each signal with a little
// spread. The driver scans as soon as it loads; switching the radio off abandons a scan under
// way, and an access point or a switched-off radio hears nothing.

#include <vector>

#include "sim/emulator/EmulatorArea.h"
#include "sim/emulator/EmulatorContext.h"

namespace kavo9::emu {

class ScanArea : public EmulatorArea {
 public:
  // A scan of the 2.4 GHz band takes this long; one that includes 5 GHz channels the longer time.
  static constexpr uint64_t kScanMs24 = 1500;
  static constexpr uint64_t kScanMs5 = 3500;

  explicit ScanArea(EmulatorContext& context) : ctx_(context) {}
  std::span<const uint32_t> Codes() const override;
  void Load() override;
  void Advance(uint64_t nowMs) override;
  std::optional<int32_t> Query(uint32_t code, std::span<uint8_t> out, uint32_t* written) override;
  std::optional<int32_t> Set(uint32_t code, std::span<const uint8_t> value) override;

  bool scanning() const { return scanning_; }

 private:
  void Complete(uint64_t nowMs);

  EmulatorContext& ctx_;
  bool scanning_ = false;
  bool radioWasOn_ = true;
  uint64_t doneMs_ = 0;
  std::vector<uint8_t> list_;  // the encoded list of the last completed scan
};

}  // namespace kavo9::emu
