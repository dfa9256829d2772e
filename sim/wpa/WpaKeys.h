#pragma once
// The key hierarchy of WPA and WPA2 personal networks, shared by the stand-in supplicant library
// and the system daemon's authenticator:
//  - the pairwise master key (PMK) of a pre-shared key: 64 hexadecimal digits as they spell, or
//    PBKDF2-HMAC-SHA1 of a pass phrase of 8 to 63 characters with the SSID as salt, 4,096 rounds;
//  - the 802.11 pseudo-random function PRF-n (HMAC-SHA1 over label, 0, data, counter);
//  - the pairwise transient key (PTK) of one association, from the PMK, both addresses and both
//    nonces, split into the key-confirmation key (KCK), key-encryption key (KEK) and temporal key;
//  - the MIC of an EAPOL-Key frame: HMAC-MD5 (descriptor version 1, TKIP) or HMAC-SHA1-128
//    (version 2, CCMP), keyed with the KCK.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace kavo9::wpa {

inline constexpr int kPskRounds = 4096;
inline constexpr size_t kPmkBytes = 32;
inline constexpr size_t kNonceBytes = 32;
inline constexpr size_t kMicBytes = 16;
inline constexpr size_t kKckBytes = 16;
inline constexpr size_t kKekBytes = 16;
using Pmk = std::array<uint8_t, kPmkBytes>;
using Nonce = std::array<uint8_t, kNonceBytes>;
using Mic = std::array<uint8_t, kMicBytes>;
using Address = std::array<uint8_t, 6>;

// PBKDF2-HMAC-SHA1(passPhrase, ssid, 4096, 32).
Pmk PmkFromPassPhrase(std::string_view passPhrase, std::string_view ssid);
// The PMK of a pre-shared key as a user or a scenario writes it; nullopt for a key that is
// neither 8 to 63 printable characters nor 64 hexadecimal digits.
std::optional<Pmk> PmkFromPreSharedKey(std::string_view key, std::string_view ssid);

// PRF-(8 * bytes)(key, label, data).
std::vector<uint8_t> Prf(std::span<const uint8_t> key, std::string_view label,
                         std::span<const uint8_t> data, size_t bytes);

// Which cipher the temporal key is for: its length follows (TKIP 32 bytes, CCMP 16).
enum class PairwiseCipher { kTkip, kCcmp };

struct Ptk {
  std::array<uint8_t, kKckBytes> kck{};
  std::array<uint8_t, kKekBytes> kek{};
  std::vector<uint8_t> tk;
};

// "Pairwise key expansion" over min(AA, SPA) | max(AA, SPA) | min(ANonce, SNonce) |
// max(ANonce, SNonce).
Ptk DerivePtk(const Pmk& pmk, const Address& authenticator, const Address& supplicant,
              const Nonce& aNonce, const Nonce& sNonce, PairwiseCipher cipher);

// The MIC of `frame` (whose MIC field must be zero) for descriptor `version` (1 HMAC-MD5,
// 2 HMAC-SHA1 cut to 16 bytes); nullopt for another version.
std::optional<Mic> KeyMic(int version, std::span<const uint8_t, kKckBytes> kck,
                          std::span<const uint8_t> frame);

// A fresh random nonce (OpenSSL's generator).
Nonce RandomNonce();

}  // namespace kavo9::wpa
