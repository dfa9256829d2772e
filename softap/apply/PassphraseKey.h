#pragma once
// The 32-byte pairwise master key of a pre-shared-key network: 64 hexadecimal digits are the key
// itself, any shorter text is a pass phrase hashed with the network name (PBKDF2 with HMAC-SHA1,
// 4096 rounds). Anything else is refused instead of being turned into some key.

#include <array>
#include <optional>
#include <string_view>

namespace kavo9::softap {

using Pmk = std::array<uint8_t, 32>;

// The pass-phrase hash; the salt is used up to its first 32 bytes. nullopt for an empty pass
// phrase or one of 64 characters or more.
std::optional<Pmk> PassphraseHash(std::string_view passphrase, std::string_view salt);
// The key for a stored WPAPSK: 64 hexadecimal digits decoded, else the hash with `salt`.
// nullopt when it is 64 characters that are not all hexadecimal, longer, or empty.
std::optional<Pmk> PreSharedKey(std::string_view wpapsk, std::string_view salt);

}  // namespace kavo9::softap
