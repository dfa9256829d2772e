#pragma once
// EAPOL-Key frames of the pairwise key exchange, as they travel between the stand-in supplicant
// and the system daemon's authenticator:
//   0 protocol version, 1 packet type (3 = key), 2-3 body length (big-endian),
//   4 descriptor type (254 WPA, 2 RSN), 5-6 key information, 7-8 key length,
//   9-16 replay counter, 17-48 nonce, 49-64 IV, 65-72 RSC, 73-80 reserved, 81-96 MIC,
//   97-98 key data length, then the key data.
// Decoding checks every length before it reads; a frame that does not add up is refused.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "sim/wpa/WpaKeys.h"

namespace kavo9::wpa {

inline constexpr uint8_t kDescriptorWpa = 254;
inline constexpr uint8_t kDescriptorRsn = 2;
// Key-information bits.
inline constexpr uint16_t kInfoVersionMask = 0x0007;
inline constexpr uint16_t kInfoPairwise = 0x0008;
inline constexpr uint16_t kInfoInstall = 0x0040;
inline constexpr uint16_t kInfoAck = 0x0080;
inline constexpr uint16_t kInfoMic = 0x0100;
inline constexpr uint16_t kInfoSecure = 0x0200;

struct EapolKey {
  uint8_t descriptor = kDescriptorRsn;
  uint16_t info = 0;
  uint16_t keyLength = 0;
  uint64_t replay = 0;
  Nonce nonce{};
  Mic mic{};
  std::vector<uint8_t> keyData;

  int Version() const { return info & kInfoVersionMask; }
};

inline constexpr size_t kEapolKeyHeaderBytes = 99;
inline constexpr size_t kMaxKeyData = 512;

std::vector<uint8_t> Encode(const EapolKey& frame);
std::optional<EapolKey> Decode(std::span<const uint8_t> bytes);

// The frame with its MIC computed under `kck` (the frame's own MIC is ignored).
EapolKey WithMic(EapolKey frame, std::span<const uint8_t, kKckBytes> kck);
// Whether the frame's MIC is right under `kck`.
bool MicValid(const EapolKey& frame, std::span<const uint8_t, kKckBytes> kck);

}  // namespace kavo9::wpa
