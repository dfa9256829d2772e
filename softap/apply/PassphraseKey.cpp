#include "softap/apply/PassphraseKey.h"

#include <openssl/evp.h>

#include <algorithm>

#include "softap/apply/ApDriverRecords.h"

namespace kavo9::softap {

std::optional<Pmk> PassphraseHash(std::string_view passphrase, std::string_view salt) {
  if (passphrase.empty() || passphrase.size() >= 64) return std::nullopt;
  salt = salt.substr(0, 32);
  Pmk key{};
  if (PKCS5_PBKDF2_HMAC_SHA1(passphrase.data(), int(passphrase.size()),
                             reinterpret_cast<const unsigned char*>(salt.data()), int(salt.size()),
                             4096, int(key.size()), key.data()) != 1) {
    return std::nullopt;
  }
  return key;
}

std::optional<Pmk> PreSharedKey(std::string_view wpapsk, std::string_view salt) {
  if (wpapsk.size() == 64) {
    auto bytes = DecodeHex(wpapsk);
    if (!bytes) return std::nullopt;
    Pmk key{};
    std::copy(bytes->begin(), bytes->end(), key.begin());
    return key;
  }
  return PassphraseHash(wpapsk, salt);
}

}  // namespace kavo9::softap
