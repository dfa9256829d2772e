#pragma once
// The security settings of a station link as far as this driver checks them: authentication
// mode, encryption status and the four WEP key slots. It registers the join check for WEP
// networks: with open authentication a wrong key still associates, but nothing received
// decrypts (the driver reports a key error); shared-key authentication fails the challenge.
// WPA and WPA2 are left to an area that negotiates them; until one registers, they are refused.

#include <array>
#include <vector>

#include "sim/emulator/EmulatorArea.h"
#include "sim/emulator/EmulatorContext.h"

namespace kavo9::emu {

class KeysArea : public EmulatorArea {
 public:
  explicit KeysArea(EmulatorContext& context);
  std::span<const uint32_t> Codes() const override;
  void Load() override;
  std::optional<int32_t> Query(uint32_t code, std::span<uint8_t> out, uint32_t* written) override;
  std::optional<int32_t> Set(uint32_t code, std::span<const uint8_t> value) override;

 private:
  void Defaults();
  int32_t AddKey(std::span<const uint8_t> record);
  std::optional<JoinVerdict> CheckWep(const NetworkSpec& network) const;

  uint32_t authentication_ = 0;
  uint32_t encryption_ = 0;
  std::array<std::vector<uint8_t>, 4> wepKeys_;  // by slot; empty when not set
  uint32_t transmitKey_ = 0;
};

}  // namespace kavo9::emu
