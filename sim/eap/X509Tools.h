#pragma once
// The certificate work both ends of an authentication do, with OpenSSL: verify a chain against
// trust anchors, prove a key with a signature and check it, and read the names a server check
// compares (common name, DNS names, the domain of the DC components).

#include <optional>
#include <string>
#include <vector>

#include "sim/eap/EapCrypto.h"

namespace kavo9::eap {

// Verifies the chain (PEM, the end certificate first, then any intermediates or the root the
// sender added) against `anchorsPem` alone. False with `why` set when it does not hold.
bool VerifyChain(const std::vector<std::string>& chainPem,
                 const std::vector<std::string>& anchorsPem, std::string* why);

// A SHA-256 signature over `data` with the private key in `keyPem`; nullopt for a bad key.
std::optional<Bytes> Sign(const std::string& keyPem, std::span<const uint8_t> data);
bool SignatureValid(const std::string& certPem, std::span<const uint8_t> data,
                    std::span<const uint8_t> signature);

struct CertNames {
  std::string commonName;
  std::vector<std::string> dnsNames;
  std::string domainName;          // the DC components, least significant first: "acme.example"
  std::string domainNameReversed;  // the same, most significant first: "example.acme"
  std::string issuer;              // the issuer's common name
};
std::optional<CertNames> ReadNames(const std::string& certPem);

// PEM and DER of one certificate; nullopt when it is not one.
std::optional<std::string> PemOfDer(std::span<const uint8_t> der);
std::optional<Bytes> DerOfPem(const std::string& pem);

}  // namespace kavo9::eap
