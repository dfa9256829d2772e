#pragma once
// The certificate tabs' lists: the user's certificates ("MY") for the client certificate, the
// trusted authorities ("ROOT") for the server check. A choice is kept as the certificate's hash
// and found again by it, so two certificates with the same names are never mixed up.

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/platform/CertStore.h"

namespace kavo9::dot1x {

struct CertDesc {
  std::string IssuedTo;
  std::string IssuedBy;
  std::string ExpiresOn;
  std::string FriendlyName;
  std::vector<uint8_t> Hash;
  bool FromRootStore = false;
};

// The user's short date ("12/31/2027" in the default locale).
using ShortDate = std::function<std::string(std::chrono::sys_seconds)>;
std::string DefaultShortDate(std::chrono::sys_seconds when);

// The certificates of a store as the tabs list them; a certificate without a hash or a subject
// name is left out.
std::vector<CertDesc> ReadCertDescs(const CertStore& certs, std::string_view store,
                                    const ShortDate& date = DefaultShortDate);

inline constexpr std::string_view kAnyTrustedCa = "- Any Trusted CA -";

// One tab's list and its selection (nothing selected: an empty hash).
class CertChoice {
 public:
  // Fills the list from the store. The client list selects its first row; the server list its
  // first entry, "- Any Trusted CA -", which selects no certificate.
  void Refresh(const CertStore& certs, bool serverList, const ShortDate& date = DefaultShortDate);
  // The texts of the list's entries: four columns a row for the client list, the subjects after
  // "- Any Trusted CA -" for the server list.
  std::vector<std::vector<std::string>> Rows() const;
  // Chooses an entry by its position; a position outside the list selects nothing.
  void Choose(int row);
  // Chooses the certificate with this hash; nothing when the store has none.
  void ChooseHash(const std::vector<uint8_t>& hash);
  // The chosen entry's position, if one is chosen.
  std::optional<int> ChosenRow() const { return row_; }
  const CertDesc* Chosen() const;
  std::vector<uint8_t> ChosenHash() const;
  void Clear();

 private:
  int Offset() const { return serverList_ ? 1 : 0; }
  std::vector<CertDesc> descs_;
  bool serverList_ = false;
  std::optional<int> row_;
};

}  // namespace kavo9::dot1x
