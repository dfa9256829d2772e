#include "sim/daemon/eap/PacSeal.h"

#include <openssl/evp.h>

#include <memory>

#include <nlohmann/json.hpp>

namespace kavo9::eap {
namespace {

constexpr size_t kNonceBytes = 12;
constexpr size_t kTagBytes = 16;
using CipherPtr = std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)>;

}  // namespace

Bytes SealPac(std::span<const uint8_t> secret, const PacContents& pac) {
  const std::string clear =
      nlohmann::json{{"iid", pac.iid}, {"key", Hex(pac.key)}, {"expires", pac.expires}}.dump();
  Bytes out = RandomBytes(kNonceBytes);
  out.resize(kNonceBytes + clear.size() + kTagBytes);
  CipherPtr ctx(EVP_CIPHER_CTX_new(), EVP_CIPHER_CTX_free);
  int length = 0;
  if (secret.size() != 32 ||
      EVP_EncryptInit_ex(ctx.get(), EVP_aes_256_gcm(), nullptr, secret.data(), out.data()) != 1 ||
      EVP_EncryptUpdate(ctx.get(), out.data() + kNonceBytes, &length,
                        reinterpret_cast<const uint8_t*>(clear.data()), int(clear.size())) != 1 ||
      EVP_EncryptFinal_ex(ctx.get(), out.data() + kNonceBytes + length, &length) != 1 ||
      EVP_CIPHER_CTX_ctrl(ctx.get(), EVP_CTRL_GCM_GET_TAG, kTagBytes,
                          out.data() + kNonceBytes + clear.size()) != 1) {
    return {};
  }
  return out;
}

std::optional<PacContents> OpenPac(std::span<const uint8_t> secret,
                                   std::span<const uint8_t> opaque) {
  if (secret.size() != 32 || opaque.size() <= kNonceBytes + kTagBytes) return std::nullopt;
  const size_t sealed = opaque.size() - kNonceBytes - kTagBytes;
  Bytes clear(sealed);
  Bytes tag(opaque.end() - kTagBytes, opaque.end());
  CipherPtr ctx(EVP_CIPHER_CTX_new(), EVP_CIPHER_CTX_free);
  int length = 0;
  if (EVP_DecryptInit_ex(ctx.get(), EVP_aes_256_gcm(), nullptr, secret.data(), opaque.data()) !=
          1 ||
      EVP_DecryptUpdate(ctx.get(), clear.data(), &length, opaque.data() + kNonceBytes,
                        int(sealed)) != 1 ||
      EVP_CIPHER_CTX_ctrl(ctx.get(), EVP_CTRL_GCM_SET_TAG, kTagBytes, tag.data()) != 1 ||
      EVP_DecryptFinal_ex(ctx.get(), clear.data() + length, &length) != 1) {
    return std::nullopt;
  }
  const auto doc = nlohmann::json::parse(clear.begin(), clear.end(), nullptr, false);
  if (!doc.is_object() || !doc.contains("iid") || !doc["iid"].is_string() || !doc.contains("key") ||
      !doc["key"].is_string() || !doc.contains("expires") || !doc["expires"].is_number_integer()) {
    return std::nullopt;
  }
  PacContents pac;
  pac.iid = doc["iid"].get<std::string>();
  pac.key = FromHex(doc["key"].get<std::string>()).value_or(Bytes{});
  pac.expires = doc["expires"].get<int64_t>();
  if (pac.key.size() != 32) return std::nullopt;
  return pac;
}

}  // namespace kavo9::eap
