#pragma once
// The current user's certificate stores: "MY" (the user's own certificates, with their private
// keys) and "ROOT" (the certification authorities the user trusts). Certificates are told apart
// by their SHA-1 hash, never by their names: two certificates may carry the same subject.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kavo9 {

inline constexpr std::string_view kPersonalStore = "MY";
inline constexpr std::string_view kRootStore = "ROOT";

struct StoredCertificate {
  std::string subject;  // the display name: common name, else organisation, else e-mail
  std::string issuer;   // the same, of the issuer
  std::vector<uint8_t> sha1;
  std::optional<std::string> friendlyName;
  std::chrono::sys_seconds notAfter{};
  std::vector<uint8_t> der;
};

class CertStore {
 public:
  virtual ~CertStore() = default;
  // The certificates of `store` in the store's order; an unknown or empty store has none.
  virtual std::vector<StoredCertificate> Certificates(std::string_view store) const = 0;
};

// The certificate of `store` with this hash, if there is one.
inline std::optional<StoredCertificate> FindCertificate(const CertStore& certs,
                                                        std::string_view store,
                                                        const std::vector<uint8_t>& sha1) {
  for (StoredCertificate& certificate : certs.Certificates(store)) {
    if (certificate.sha1 == sha1) return std::move(certificate);
  }
  return std::nullopt;
}

}  // namespace kavo9
