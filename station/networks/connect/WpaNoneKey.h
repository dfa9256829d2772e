#pragma once
// The pairwise master key of a pre-shared key: 64 hexadecimal digits as they spell, or
// PBKDF2-HMAC-SHA1 of the pass phrase with the SSID as salt, 4,096 iterations, 32 bytes.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace kavo9::connect {

inline constexpr int kPskIterations = 4096;
using Pmk = std::array<uint8_t, 32>;

// PBKDF2-HMAC-SHA1 of `passPhrase` with `ssid` as salt.
Pmk DerivePmk(std::string_view passPhrase, std::string_view ssid);
// The PMK of a stored or typed pre-shared key; nullopt for a key that is neither a pass phrase of
// 8 to 63 printable characters nor 64 hexadecimal digits.
std::optional<Pmk> PmkFromPreSharedKey(std::string_view key, std::string_view ssid);

}  // namespace kavo9::connect
