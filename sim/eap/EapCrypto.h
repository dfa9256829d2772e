#pragma once
// The arithmetic of the password methods, as both ends of an authentication compute it:
//  - NtPasswordHash: MD4 of the password in UTF-16LE; HashNtPasswordHash: MD4 of that;
//  - ChallengeResponse: the 8-byte challenge DES-encrypted under the three 7-byte thirds of the
//    hash padded to 21 bytes (MS-CHAP, LEAP);
//  - MS-CHAPv2: the challenge hash, the NT-Response and the authenticator response "S=...";
//  - MD5-Challenge and CHAP: MD5(id, password, challenge).
// Byte strings are std::vector<uint8_t>; hex text helpers for the JSON the two ends exchange.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kavo9::eap {

using Bytes = std::vector<uint8_t>;

Bytes NtPasswordHash(std::string_view password);
Bytes HashNtPasswordHash(std::span<const uint8_t> hash);
Bytes ChallengeResponse(std::span<const uint8_t> challenge, std::span<const uint8_t> hash);

Bytes ChallengeHash(std::span<const uint8_t> peerChallenge,
                    std::span<const uint8_t> authenticatorChallenge, std::string_view userName);
Bytes GenerateNtResponse(std::span<const uint8_t> authenticatorChallenge,
                         std::span<const uint8_t> peerChallenge, std::string_view userName,
                         std::string_view password);
// "S=" and 40 upper-case hexadecimal digits.
std::string GenerateAuthenticatorResponse(std::string_view password,
                                          std::span<const uint8_t> ntResponse,
                                          std::span<const uint8_t> peerChallenge,
                                          std::span<const uint8_t> authenticatorChallenge,
                                          std::string_view userName);

// The user name part of an identity: after "DOMAIN\", before "@realm". MS-CHAPv2 hashes it,
// and it is an EAP-FAST PAC's I-ID.
std::string UserNameOf(std::string_view identity);

Bytes Md5Challenge(uint8_t id, std::string_view password, std::span<const uint8_t> challenge);

Bytes HmacSha256(std::span<const uint8_t> key, std::span<const uint8_t> data);
Bytes RandomBytes(size_t count);
// Constant-time comparison of two byte strings of the same length.
bool SameBytes(std::span<const uint8_t> a, std::span<const uint8_t> b);

std::string Hex(std::span<const uint8_t> bytes);
std::optional<Bytes> FromHex(std::string_view text);

}  // namespace kavo9::eap
