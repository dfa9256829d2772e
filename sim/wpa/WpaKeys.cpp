#include "sim/wpa/WpaKeys.h"

#include <openssl/evp.h>
#include <openssl/hmac.h>
#include <openssl/rand.h>

#include <algorithm>
#include <string>

namespace kavo9::wpa {
namespace {

constexpr size_t kHexPmkDigits = 64;
constexpr size_t kMinPassPhrase = 8;
constexpr size_t kMaxPassPhrase = 63;
constexpr size_t kSha1Bytes = 20;
constexpr size_t kTkipKeyBytes = 32;
constexpr size_t kCcmpKeyBytes = 16;
constexpr int kMd5Version = 1;
constexpr int kSha1Version = 2;

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

Pmk PmkFromPassPhrase(std::string_view passPhrase, std::string_view ssid) {
  Pmk pmk{};
  PKCS5_PBKDF2_HMAC_SHA1(passPhrase.data(), int(passPhrase.size()),
                         reinterpret_cast<const unsigned char*>(ssid.data()), int(ssid.size()),
                         kPskRounds, int(pmk.size()), pmk.data());
  return pmk;
}

std::optional<Pmk> PmkFromPreSharedKey(std::string_view key, std::string_view ssid) {
  if (key.size() == kHexPmkDigits) {
    Pmk pmk{};
    for (size_t i = 0; i < pmk.size(); ++i) {
      const int high = HexDigit(key[2 * i]);
      const int low = HexDigit(key[2 * i + 1]);
      if (high < 0 || low < 0) return std::nullopt;
      pmk[i] = uint8_t(high * 16 + low);
    }
    return pmk;
  }
  if (key.size() < kMinPassPhrase || key.size() > kMaxPassPhrase) return std::nullopt;
  const bool printable =
      std::all_of(key.begin(), key.end(), [](char c) { return c >= 0x20 && c <= 0x7E; });
  if (!printable) return std::nullopt;
  return PmkFromPassPhrase(key, ssid);
}

std::vector<uint8_t> Prf(std::span<const uint8_t> key, std::string_view label,
                         std::span<const uint8_t> data, size_t bytes) {
  std::vector<uint8_t> input(label.begin(), label.end());
  input.push_back(0);
  input.insert(input.end(), data.begin(), data.end());
  input.push_back(0);  // the counter
  std::vector<uint8_t> out;
  out.reserve(bytes + kSha1Bytes);
  for (uint8_t counter = 0; out.size() < bytes; ++counter) {
    input.back() = counter;
    unsigned char block[kSha1Bytes];
    unsigned int length = 0;
    HMAC(EVP_sha1(), key.data(), int(key.size()), input.data(), input.size(), block, &length);
    out.insert(out.end(), block, block + length);
  }
  out.resize(bytes);
  return out;
}

Ptk DerivePtk(const Pmk& pmk, const Address& authenticator, const Address& supplicant,
              const Nonce& aNonce, const Nonce& sNonce, PairwiseCipher cipher) {
  std::vector<uint8_t> data;
  const auto& [lowAddress, highAddress] = std::minmax(authenticator, supplicant);
  const auto& [lowNonce, highNonce] = std::minmax(aNonce, sNonce);
  for (const auto* part : {&lowAddress, &highAddress})
    data.insert(data.end(), part->begin(), part->end());
  for (const auto* part : {&lowNonce, &highNonce})
    data.insert(data.end(), part->begin(), part->end());
  const size_t tkBytes = cipher == PairwiseCipher::kTkip ? kTkipKeyBytes : kCcmpKeyBytes;
  const std::vector<uint8_t> bits =
      Prf(pmk, "Pairwise key expansion", data, kKckBytes + kKekBytes + tkBytes);
  Ptk ptk;
  std::copy_n(bits.begin(), kKckBytes, ptk.kck.begin());
  std::copy_n(bits.begin() + kKckBytes, kKekBytes, ptk.kek.begin());
  ptk.tk.assign(bits.begin() + kKckBytes + kKekBytes, bits.end());
  return ptk;
}

std::optional<Mic> KeyMic(int version, std::span<const uint8_t, kKckBytes> kck,
                          std::span<const uint8_t> frame) {
  const EVP_MD* md = version == kMd5Version    ? EVP_md5()
                     : version == kSha1Version ? EVP_sha1()
                                               : nullptr;
  if (!md) return std::nullopt;
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  HMAC(md, kck.data(), int(kck.size()), frame.data(), frame.size(), digest, &length);
  Mic mic{};
  std::copy_n(digest, mic.size(), mic.begin());
  return mic;
}

Nonce RandomNonce() {
  Nonce nonce{};
  RAND_bytes(nonce.data(), int(nonce.size()));
  return nonce;
}

}  // namespace kavo9::wpa
