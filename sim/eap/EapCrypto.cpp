// MD4 and single DES live only in OpenSSL's low-level interface now (its providers keep them in
// the legacy module); the password methods need both.
#define OPENSSL_SUPPRESS_DEPRECATED 1

#include "sim/eap/EapCrypto.h"

#include <openssl/crypto.h>
#include <openssl/des.h>
#include <openssl/evp.h>
#include <openssl/hmac.h>
#include <openssl/md4.h>
#include <openssl/rand.h>

#include <cctype>
#include <cstring>

namespace kavo9::eap {
namespace {

// UTF-8 to UTF-16LE; a malformed sequence counts as one byte of U+FFFD.
Bytes Utf16Le(std::string_view text) {
  Bytes out;
  for (size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    uint32_t cp = 0xFFFD;
    size_t used = 1;
    auto cont = [&](size_t k) {
      return i + k < text.size() && (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
    };
    if (c < 0x80) {
      cp = c;
    } else if ((c & 0xE0) == 0xC0 && cont(1)) {
      cp = (c & 0x1Fu) << 6 | (text[i + 1] & 0x3F);
      used = 2;
    } else if ((c & 0xF0) == 0xE0 && cont(1) && cont(2)) {
      cp = (c & 0x0Fu) << 12 | (text[i + 1] & 0x3Fu) << 6 | (text[i + 2] & 0x3F);
      used = 3;
    } else if ((c & 0xF8) == 0xF0 && cont(1) && cont(2) && cont(3)) {
      cp = (c & 0x07u) << 18 | (text[i + 1] & 0x3Fu) << 12 | (text[i + 2] & 0x3Fu) << 6 |
           (text[i + 3] & 0x3F);
      used = 4;
    }
    i += used;
    auto put = [&](uint32_t unit) {
      out.push_back(uint8_t(unit & 0xFF));
      out.push_back(uint8_t(unit >> 8));
    };
    if (cp >= 0x10000) {
      cp -= 0x10000;
      put(0xD800 | (cp >> 10));
      put(0xDC00 | (cp & 0x3FF));
    } else {
      put(cp);
    }
  }
  return out;
}

Bytes Md4(std::span<const uint8_t> data) {
  Bytes out(MD4_DIGEST_LENGTH);
  MD4(data.data(), data.size(), out.data());
  return out;
}

Bytes Digest(const EVP_MD* md, std::initializer_list<std::span<const uint8_t>> parts) {
  Bytes out(EVP_MAX_MD_SIZE);
  unsigned length = 0;
  EVP_MD_CTX* ctx = EVP_MD_CTX_new();
  EVP_DigestInit_ex(ctx, md, nullptr);
  for (auto part : parts) EVP_DigestUpdate(ctx, part.data(), part.size());
  EVP_DigestFinal_ex(ctx, out.data(), &length);
  EVP_MD_CTX_free(ctx);
  out.resize(length);
  return out;
}

std::span<const uint8_t> Span(std::string_view text) {
  return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

// One DES block under a 7-byte key spread over 8 bytes with parity.
void DesEncrypt(const uint8_t clear[8], const uint8_t key7[7], uint8_t cipher[8]) {
  DES_cblock key;
  key[0] = key7[0];
  for (int i = 1; i < 7; ++i) key[i] = uint8_t(key7[i - 1] << (8 - i) | key7[i] >> i);
  key[7] = uint8_t(key7[6] << 1);
  for (auto& b : key) b &= 0xFE;
  DES_set_odd_parity(&key);
  DES_key_schedule schedule;
  DES_set_key_unchecked(&key, &schedule);
  DES_cblock in, out;
  std::memcpy(in, clear, 8);
  DES_ecb_encrypt(&in, &out, &schedule, DES_ENCRYPT);
  std::memcpy(cipher, out, 8);
}

}  // namespace

Bytes NtPasswordHash(std::string_view password) {
  return Md4(Utf16Le(password));
}

Bytes HashNtPasswordHash(std::span<const uint8_t> hash) {
  return Md4(hash);
}

Bytes ChallengeResponse(std::span<const uint8_t> challenge, std::span<const uint8_t> hash) {
  Bytes out(24, 0);
  if (challenge.size() != 8 || hash.size() != 16) return out;
  uint8_t padded[21] = {};
  std::memcpy(padded, hash.data(), 16);
  for (int i = 0; i < 3; ++i) DesEncrypt(challenge.data(), padded + 7 * i, out.data() + 8 * i);
  return out;
}

Bytes ChallengeHash(std::span<const uint8_t> peerChallenge,
                    std::span<const uint8_t> authenticatorChallenge, std::string_view userName) {
  Bytes digest = Digest(EVP_sha1(), {peerChallenge, authenticatorChallenge, Span(userName)});
  digest.resize(8);
  return digest;
}

Bytes GenerateNtResponse(std::span<const uint8_t> authenticatorChallenge,
                         std::span<const uint8_t> peerChallenge, std::string_view userName,
                         std::string_view password) {
  return ChallengeResponse(ChallengeHash(peerChallenge, authenticatorChallenge, userName),
                           NtPasswordHash(password));
}

std::string GenerateAuthenticatorResponse(std::string_view password,
                                          std::span<const uint8_t> ntResponse,
                                          std::span<const uint8_t> peerChallenge,
                                          std::span<const uint8_t> authenticatorChallenge,
                                          std::string_view userName) {
  static const char kMagic1[] = "Magic server to client signing constant";
  static const char kMagic2[] = "Pad to make it do more than one iteration";
  const Bytes hashHash = HashNtPasswordHash(NtPasswordHash(password));
  const Bytes digest =
      Digest(EVP_sha1(), {hashHash, ntResponse, Span({kMagic1, sizeof kMagic1 - 1})});
  const Bytes challenge = ChallengeHash(peerChallenge, authenticatorChallenge, userName);
  const Bytes final = Digest(EVP_sha1(), {digest, challenge, Span({kMagic2, sizeof kMagic2 - 1})});
  std::string text = "S=";
  for (char c : Hex(final)) text += char(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

std::string UserNameOf(std::string_view identity) {
  std::string_view name = identity.substr(0, identity.find('@'));
  const size_t slash = name.find('\\');
  return std::string(slash == std::string_view::npos ? name : name.substr(slash + 1));
}

Bytes Md5Challenge(uint8_t id, std::string_view password, std::span<const uint8_t> challenge) {
  const uint8_t idByte[1] = {id};
  return Digest(EVP_md5(), {idByte, Span(password), challenge});
}

Bytes HmacSha256(std::span<const uint8_t> key, std::span<const uint8_t> data) {
  Bytes out(32);
  unsigned length = 0;
  HMAC(EVP_sha256(), key.data(), int(key.size()), data.data(), data.size(), out.data(), &length);
  out.resize(length);
  return out;
}

Bytes RandomBytes(size_t count) {
  Bytes out(count);
  if (count && RAND_bytes(out.data(), int(count)) != 1) out.assign(count, 0);
  return out;
}

bool SameBytes(std::span<const uint8_t> a, std::span<const uint8_t> b) {
  return a.size() == b.size() && CRYPTO_memcmp(a.data(), b.data(), a.size()) == 0;
}

std::string Hex(std::span<const uint8_t> bytes) {
  static const char* kDigits = "0123456789abcdef";
  std::string out;
  for (uint8_t b : bytes) {
    out += kDigits[b >> 4];
    out += kDigits[b & 15];
  }
  return out;
}

std::optional<Bytes> FromHex(std::string_view text) {
  if (text.size() % 2) return std::nullopt;
  Bytes out;
  for (size_t i = 0; i < text.size(); i += 2) {
    int v = 0;
    for (char c : text.substr(i, 2)) {
      const int d = c >= '0' && c <= '9'   ? c - '0'
                    : c >= 'a' && c <= 'f' ? c - 'a' + 10
                    : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                           : -1;
      if (d < 0) return std::nullopt;
      v = v * 16 + d;
    }
    out.push_back(uint8_t(v));
  }
  return out;
}

}  // namespace kavo9::eap
