#pragma once
// The security settings of a station link as far as this driver checks them: authentication
// mode, encryption status, the four WEP key slots and the WPA key. It registers the join check
// for every network:
//  - open: open (or automatic) authentication with encryption disabled;
//  - WEP: with open authentication a wrong key still associates, but nothing received decrypts
//    (the driver reports a key error); shared-key authentication fails the challenge;
//  - WPA-None (an ad hoc network with a pre-shared key): the installed 32-byte key must be the
//    network's PMK (PBKDF2-HMAC-SHA1 of its pass phrase, the SSID as salt);
//  - WPA and WPA2 (personal or enterprise): the authentication mode and cipher must fit; the
//    association comes up with its port closed, and only the 802.1X/key exchange opens it: the
//    port opens when the station installs the pairwise key the authenticator agreed with it.
//  - an open or WEP network with an 802.1X server: the port also stays closed until the server
//    accepts the station (the authenticator then opens it).
// The encryption status reads "key absent" (2, 5, 7) while the cipher is set without its key.

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
  uint32_t EncryptionStatus() const;
  std::optional<JoinVerdict> Check(const NetworkSpec& network) const;
  JoinVerdict CheckWep(const NetworkSpec& network) const;
  JoinVerdict CheckWpaNone(const NetworkSpec& network) const;
  JoinVerdict CheckWpa(const NetworkSpec& network) const;
  bool CipherFits(const NetworkSpec& network) const;

  uint32_t authentication_ = 0;
  uint32_t encryption_ = 0;
  std::array<std::vector<uint8_t>, 4> wepKeys_;  // by slot; empty when not set
  uint32_t transmitKey_ = 0;
  std::vector<uint8_t> wpaKey_;  // the key installed under a WPA authentication mode
  EmulatorContext& ctx_;
};

}  // namespace kavo9::emu
