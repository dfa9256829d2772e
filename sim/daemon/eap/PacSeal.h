#pragma once
// The EAP-FAST server's PAC opaque: what the server needs to recognise a PAC it handed out (the
// user's I-ID, the PAC key and its expiry), sealed with AES-256-GCM under the server's own
// secret, so the station carries it without being able to read or forge it.

#include <cstdint>
#include <optional>
#include <string>

#include "sim/eap/EapCrypto.h"

namespace kavo9::eap {

struct PacContents {
  std::string iid;
  Bytes key;            // 32 bytes
  int64_t expires = 0;  // seconds since 1970 (UTC)
};

Bytes SealPac(std::span<const uint8_t> secret, const PacContents& pac);
// nullopt when the opaque was not sealed under `secret` or was changed.
std::optional<PacContents> OpenPac(std::span<const uint8_t> secret,
                                   std::span<const uint8_t> opaque);

}  // namespace kavo9::eap
