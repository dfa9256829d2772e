#include "sim/acauth/ServerCheck.h"

#include <algorithm>
#include <cctype>

#include "common/platform/AcAuthApi.h"
#include "common/platform/certs/FileCertStore.h"
#include "sim/eap/X509Tools.h"

namespace kavo9::acauth {
namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  return text;
}

struct Field {
  int code;
  const char* name;
};
constexpr Field kFields[] = {{AC_FIELD_COMMON_NAME, "commonName"},
                             {AC_FIELD_DOMAIN_NAME, "domainName"},
                             {AC_FIELD_DOMAIN_NAME_REVERSED, "domainNameReversed"},
                             {AC_FIELD_DNS_NAME, "dNSName"}};

}  // namespace

bool ChainTrustedByMachine(const std::vector<std::string>& chainPem,
                           const std::filesystem::path& machineDir) {
  std::vector<std::string> anchors;
  for (const StoredCertificate& c : FileCertStore(machineDir).Certificates(kRootStore)) {
    if (auto pem = eap::PemOfDer(c.der)) anchors.push_back(*pem);
  }
  std::string why;
  return eap::VerifyChain(chainPem, anchors, &why);
}

bool ChainIssuedBy(const std::vector<std::string>& chainPem, const std::string& caPem) {
  std::string why;
  return !caPem.empty() && eap::VerifyChain(chainPem, {caPem}, &why);
}

std::vector<std::string> FieldValues(const std::string& certPem, int field) {
  const auto names = eap::ReadNames(certPem);
  if (!names) return {};
  auto one = [](const std::string& v) {
    return v.empty() ? std::vector<std::string>{} : std::vector<std::string>{v};
  };
  switch (field) {
    case AC_FIELD_COMMON_NAME:
      return one(names->commonName);
    case AC_FIELD_DOMAIN_NAME:
      return one(names->domainName);
    case AC_FIELD_DOMAIN_NAME_REVERSED:
      return one(names->domainNameReversed);
    case AC_FIELD_DNS_NAME:
      return names->dnsNames;
    default:
      return {};
  }
}

std::vector<std::string> FieldTexts(const std::string& certPem) {
  std::vector<std::string> out;
  for (const Field& f : kFields) {
    for (const std::string& v : FieldValues(certPem, f.code))
      out.push_back(std::string(f.name) + "=" + v);
  }
  return out;
}

bool NameMatches(const std::string& value, const std::string& name, bool suffix) {
  if (name.empty() || value.empty()) return false;
  const std::string v = Lower(value), n = Lower(name);
  if (v == n) return true;
  return suffix && v.size() > n.size() && v.compare(v.size() - n.size(), n.size(), n) == 0 &&
         (v[v.size() - n.size() - 1] == '.' || n.front() == '.');
}

}  // namespace kavo9::acauth
