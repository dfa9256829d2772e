#include "station/dot1x/settings/CertChoice.h"

#include <cstdio>

namespace kavo9::dot1x {

std::string DefaultShortDate(std::chrono::sys_seconds when) {
  const std::chrono::year_month_day day(std::chrono::floor<std::chrono::days>(when));
  char text[16];
  std::snprintf(text, sizeof text, "%u/%u/%d", unsigned(day.month()), unsigned(day.day()),
                int(day.year()));
  return text;
}

std::vector<CertDesc> ReadCertDescs(const CertStore& certs, std::string_view store,
                                    const ShortDate& date) {
  std::vector<CertDesc> descs;
  for (const StoredCertificate& certificate : certs.Certificates(store)) {
    if (certificate.sha1.empty() || certificate.subject.empty()) continue;
    descs.push_back({certificate.subject.substr(0, 255), certificate.issuer.substr(0, 255),
                     date(certificate.notAfter),
                     certificate.friendlyName.value_or("").substr(0, 256), certificate.sha1,
                     store != kPersonalStore});
  }
  return descs;
}

void CertChoice::Refresh(const CertStore& certs, bool serverList, const ShortDate& date) {
  serverList_ = serverList;
  descs_ = ReadCertDescs(certs, serverList ? kRootStore : kPersonalStore, date);
  row_.reset();
  if (serverList_ || !descs_.empty()) row_ = 0;
}

std::vector<std::vector<std::string>> CertChoice::Rows() const {
  std::vector<std::vector<std::string>> rows;
  if (serverList_) rows.push_back({std::string(kAnyTrustedCa)});
  for (const CertDesc& desc : descs_) {
    if (serverList_) {
      rows.push_back({desc.IssuedTo});
    } else {
      rows.push_back({desc.IssuedTo, desc.IssuedBy, desc.ExpiresOn, desc.FriendlyName});
    }
  }
  return rows;
}

void CertChoice::Choose(int row) {
  const int rows = static_cast<int>(descs_.size()) + Offset();
  row_ = row >= 0 && row < rows ? std::optional<int>(row) : std::nullopt;
}

void CertChoice::ChooseHash(const std::vector<uint8_t>& hash) {
  row_.reset();
  if (hash.empty()) {
    if (serverList_) row_ = 0;
    return;
  }
  for (std::size_t i = 0; i < descs_.size(); ++i) {
    if (descs_[i].Hash == hash) {
      row_ = static_cast<int>(i) + Offset();
      return;
    }
  }
}

const CertDesc* CertChoice::Chosen() const {
  if (!row_) return nullptr;
  const int index = *row_ - Offset();
  return index >= 0 ? &descs_[static_cast<std::size_t>(index)] : nullptr;
}

std::vector<uint8_t> CertChoice::ChosenHash() const {
  const CertDesc* chosen = Chosen();
  return chosen ? chosen->Hash : std::vector<uint8_t>();
}

void CertChoice::Clear() {
  descs_.clear();
  row_.reset();
}

}  // namespace kavo9::dot1x
