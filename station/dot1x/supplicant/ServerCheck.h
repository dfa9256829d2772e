#pragma once
// Whether to trust the authentication server: its certificate passes every check the port is
// configured with — its chain, its CA, and its name either among its DNS and domain names or as
// its common name. A port with no checks trusts any server.

#include <cstdint>
#include <string>

#include "station/dot1x/supplicant/Supplicant.h"

namespace kavo9::dot1x {

struct ServerCheckConfig {
  int verifyChain = 0;
  acObject caCert = nullptr;
  std::string serverNameForDomain;
  std::string serverNameForCn;
  int nameRule = 0;  // nonzero: the name may match the end of the certificate's name
};

// The certificate fields a domain name is looked for in, in the order they are tried.
inline constexpr int kDomainFields[] = {AC_FIELD_DNS_NAME, AC_FIELD_DOMAIN_NAME,
                                        AC_FIELD_DOMAIN_NAME_REVERSED};

// Runs the checks for request `id` and answers it with acCredServerVerified. A check the library
// cannot make counts as failed: a server is never trusted on an error.
bool CheckServer(Supplicant& library, int handle, uint32_t id, const ServerCheckConfig& config);

}  // namespace kavo9::dot1x
