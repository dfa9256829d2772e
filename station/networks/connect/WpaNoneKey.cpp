#include "station/networks/connect/WpaNoneKey.h"

#include <openssl/evp.h>

#include "station/networks/profiles/ProfileValues.h"

namespace kavo9::connect {

Pmk DerivePmk(std::string_view passPhrase, std::string_view ssid) {
  Pmk pmk{};
  PKCS5_PBKDF2_HMAC_SHA1(passPhrase.data(), int(passPhrase.size()),
                         reinterpret_cast<const unsigned char*>(ssid.data()), int(ssid.size()),
                         kPskIterations, int(pmk.size()), pmk.data());
  return pmk;
}

std::optional<Pmk> PmkFromPreSharedKey(std::string_view key, std::string_view ssid) {
  if (!profiles::IsValidPreSharedKey(key)) return std::nullopt;
  if (auto hex = profiles::HexPreSharedKey(key)) return *hex;
  return DerivePmk(key, ssid);
}

}  // namespace kavo9::connect
