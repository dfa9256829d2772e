#include "sim/daemon/eap/Pki.h"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rand.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <fstream>
#include <iterator>
#include <memory>

#include "common/platform/certs/FileCertStore.h"

namespace kavo9::pki {
namespace {

namespace fs = std::filesystem;
using X509Ptr = std::unique_ptr<X509, decltype(&X509_free)>;
using KeyPtr = std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)>;
using BioPtr = std::unique_ptr<BIO, decltype(&BIO_free)>;

constexpr long kValidDays = 3650;

std::string ReadAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool WriteAll(const fs::path& file, const std::string& text, std::string* error) {
  const fs::path temporary = file.string() + ".new";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out.flush()) {
      *error = "cannot write " + temporary.string();
      return false;
    }
  }
  std::error_code ec;
  fs::rename(temporary, file, ec);
  if (ec) *error = "cannot write " + file.string() + ": " + ec.message();
  return !ec;
}

std::string CertPem(X509* x) {
  BioPtr bio(BIO_new(BIO_s_mem()), BIO_free);
  PEM_write_bio_X509(bio.get(), x);
  char* data = nullptr;
  const long length = BIO_get_mem_data(bio.get(), &data);
  return std::string(data, size_t(length));
}

std::string KeyPem(EVP_PKEY* key) {
  BioPtr bio(BIO_new(BIO_s_mem()), BIO_free);
  PEM_write_bio_PrivateKey(bio.get(), key, nullptr, nullptr, 0, nullptr, nullptr);
  char* data = nullptr;
  const long length = BIO_get_mem_data(bio.get(), &data);
  return std::string(data, size_t(length));
}

X509Ptr ParseCert(const std::string& pem) {
  BioPtr bio(BIO_new_mem_buf(pem.data(), int(pem.size())), BIO_free);
  return X509Ptr(PEM_read_bio_X509(bio.get(), nullptr, nullptr, nullptr), X509_free);
}

KeyPtr ParseKey(const std::string& pem) {
  BioPtr bio(BIO_new_mem_buf(pem.data(), int(pem.size())), BIO_free);
  return KeyPtr(PEM_read_bio_PrivateKey(bio.get(), nullptr, nullptr, nullptr), EVP_PKEY_free);
}

bool AddExtension(X509* x, X509* issuer, int nid, const std::string& value) {
  X509V3_CTX ctx;
  X509V3_set_ctx_nodb(&ctx);
  X509V3_set_ctx(&ctx, issuer, x, nullptr, nullptr, 0);
  X509_EXTENSION* ext = X509V3_EXT_conf_nid(nullptr, &ctx, nid, value.c_str());
  if (!ext) return false;
  const bool ok = X509_add_ext(x, ext, -1) == 1;
  X509_EXTENSION_free(ext);
  return ok;
}

struct Subject {
  std::string commonName;
  std::string organization;
  std::vector<std::string> domainComponents;  // most significant first
};

// A certificate for `key` with `subject`, signed by the issuer (itself when none is given).
X509Ptr Issue(const Subject& subject, EVP_PKEY* key, X509* issuer, EVP_PKEY* issuerKey, bool ca,
              const std::vector<std::string>& dnsNames, bool client) {
  X509Ptr x(X509_new(), X509_free);
  X509_set_version(x.get(), 2);
  uint8_t serial[8];
  RAND_bytes(serial, sizeof serial);
  serial[0] &= 0x7F;
  uint64_t number = 0;
  for (uint8_t b : serial) number = number << 8 | b;
  ASN1_INTEGER_set_uint64(X509_get_serialNumber(x.get()), number);
  X509_gmtime_adj(X509_getm_notBefore(x.get()), -24 * 3600);
  X509_gmtime_adj(X509_getm_notAfter(x.get()), kValidDays * 24 * 3600);
  X509_NAME* name = X509_get_subject_name(x.get());
  for (const std::string& dc : subject.domainComponents) {
    X509_NAME_add_entry_by_NID(name, NID_domainComponent, MBSTRING_UTF8,
                               reinterpret_cast<const unsigned char*>(dc.c_str()), -1, -1, 0);
  }
  if (!subject.organization.empty()) {
    X509_NAME_add_entry_by_NID(name, NID_organizationName, MBSTRING_UTF8,
                               reinterpret_cast<const unsigned char*>(subject.organization.c_str()),
                               -1, -1, 0);
  }
  X509_NAME_add_entry_by_NID(name, NID_commonName, MBSTRING_UTF8,
                             reinterpret_cast<const unsigned char*>(subject.commonName.c_str()), -1,
                             -1, 0);
  X509_set_issuer_name(x.get(), issuer ? X509_get_subject_name(issuer) : name);
  X509_set_pubkey(x.get(), key);
  X509* signer = issuer ? issuer : x.get();
  AddExtension(x.get(), signer, NID_subject_key_identifier, "hash");
  if (issuer) AddExtension(x.get(), signer, NID_authority_key_identifier, "keyid");
  if (ca) {
    AddExtension(x.get(), signer, NID_basic_constraints, "critical,CA:TRUE");
    AddExtension(x.get(), signer, NID_key_usage, "critical,keyCertSign,cRLSign");
  } else {
    AddExtension(x.get(), signer, NID_basic_constraints, "CA:FALSE");
    AddExtension(x.get(), signer, NID_key_usage, "critical,digitalSignature");
    AddExtension(x.get(), signer, NID_ext_key_usage, client ? "clientAuth" : "serverAuth");
  }
  std::string alt;
  for (const std::string& dns : dnsNames) alt += (alt.empty() ? "DNS:" : ",DNS:") + dns;
  if (!alt.empty()) AddExtension(x.get(), signer, NID_subject_alt_name, alt);
  if (X509_sign(x.get(), issuerKey ? issuerKey : key, EVP_sha256()) == 0)
    return {nullptr, X509_free};
  return x;
}

KeyPtr NewKey() {
  return KeyPtr(EVP_EC_gen("P-256"), EVP_PKEY_free);
}

// A CA under `stem` (.pem and .key), made when missing.
bool EnsureCa(const fs::path& dir, const std::string& stem, const std::string& commonName,
              X509Ptr* cert, KeyPtr* key, std::string* error) {
  const fs::path certFile = dir / (stem + ".pem");
  const fs::path keyFile = dir / (stem + ".key");
  *cert = ParseCert(ReadAll(certFile));
  *key = ParseKey(ReadAll(keyFile));
  if (*cert && *key) return true;
  *key = NewKey();
  *cert = Issue({commonName, "Demo World", {}}, key->get(), nullptr, nullptr, true, {}, false);
  if (!*key || !*cert) {
    *error = "cannot make the certificate " + certFile.string();
    return false;
  }
  return WriteAll(keyFile, KeyPem(key->get()), error) &&
         WriteAll(certFile, CertPem(cert->get()), error);
}

bool MakeDir(const fs::path& dir, std::string* error) {
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (ec) *error = "cannot create " + dir.string() + ": " + ec.message();
  return !ec;
}

// The file stem of a server's certificate: one per set of names and issuer.
std::string ServerStem(const Dot1xSpec& server) {
  std::string key = server.serverName + (server.serverUntrusted ? "|other" : "|world");
  for (const std::string& dns : server.serverDnsNames) key += "|" + dns;
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned length = 0;
  EVP_Digest(key.data(), key.size(), digest, &length, EVP_sha256(), nullptr);
  static const char* kDigits = "0123456789abcdef";
  std::string stem = "server-";
  for (unsigned i = 0; i < 8; ++i) {
    stem += kDigits[digest[i] >> 4];
    stem += kDigits[digest[i] & 15];
  }
  return stem;
}

// "radius.acme.example" gives DC=example, DC=acme.
std::vector<std::string> DomainComponents(const std::vector<std::string>& dnsNames) {
  std::vector<std::string> out;
  if (dnsNames.empty()) return out;
  std::string domain = dnsNames.front();
  const size_t dot = domain.find('.');
  if (dot == std::string::npos) return out;
  domain = domain.substr(dot + 1);
  size_t end = domain.size();
  while (end > 0) {
    const size_t start = domain.rfind('.', end - 1);
    const size_t from = start == std::string::npos ? 0 : start + 1;
    out.push_back(domain.substr(from, end - from));
    if (start == std::string::npos) break;
    end = start;
  }
  return out;
}

}  // namespace

bool EnsureCaPem(const fs::path& machineDir, std::string* pem, std::string* error) {
  const fs::path dir = PkiDir(machineDir);
  X509Ptr ca(nullptr, X509_free);
  KeyPtr key(nullptr, EVP_PKEY_free);
  if (!MakeDir(dir, error) || !EnsureCa(dir, "ca", "Demo World Root CA", &ca, &key, error))
    return false;
  *pem = CertPem(ca.get());
  return true;
}

bool EnsureServerCredentials(const fs::path& machineDir, const Dot1xSpec& server,
                             ServerCredentials* out, std::string* error) {
  const fs::path dir = PkiDir(machineDir);
  X509Ptr ca(nullptr, X509_free);
  KeyPtr caKey(nullptr, EVP_PKEY_free);
  if (!MakeDir(dir, error)) return false;
  const bool caMade = server.serverUntrusted
                          ? EnsureCa(dir, "other-ca", "Unknown Root CA", &ca, &caKey, error)
                          : EnsureCa(dir, "ca", "Demo World Root CA", &ca, &caKey, error);
  if (!caMade) return false;
  const std::string stem = ServerStem(server);
  const fs::path certFile = dir / (stem + ".pem");
  const fs::path keyFile = dir / (stem + ".key");
  X509Ptr cert = ParseCert(ReadAll(certFile));
  KeyPtr key = ParseKey(ReadAll(keyFile));
  if (!cert || !key) {
    key = NewKey();
    cert = Issue({server.serverName, "", DomainComponents(server.serverDnsNames)}, key.get(),
                 ca.get(), caKey.get(), false, server.serverDnsNames, false);
    if (!key || !cert) {
      *error = "cannot make the certificate " + certFile.string();
      return false;
    }
    if (!WriteAll(keyFile, KeyPem(key.get()), error) ||
        !WriteAll(certFile, CertPem(cert.get()), error)) {
      return false;
    }
  }
  out->chainPem = {CertPem(cert.get()), CertPem(ca.get())};
  out->keyPem = KeyPem(key.get());
  return true;
}

bool EnsureMachineCertificates(const fs::path& machineDir, const Scenario& scenario,
                               std::string* error) {
  const fs::path dir = PkiDir(machineDir);
  X509Ptr ca(nullptr, X509_free);
  KeyPtr caKey(nullptr, EVP_PKEY_free);
  if (!MakeDir(dir, error) || !EnsureCa(dir, "ca", "Demo World Root CA", &ca, &caKey, error))
    return false;
  const fs::path userFile = dir / "user.pem";
  if (!ParseCert(ReadAll(userFile)) || !ParseKey(ReadAll(userFile))) {
    KeyPtr key = NewKey();
    const std::string user = scenario.machine.userName.empty() ? "user" : scenario.machine.userName;
    X509Ptr cert =
        Issue({user, "Demo World", {}}, key.get(), ca.get(), caKey.get(), false, {}, true);
    if (!key || !cert) {
      *error = "cannot make the certificate " + userFile.string();
      return false;
    }
    if (!WriteAll(userFile, CertPem(cert.get()) + KeyPem(key.get()), error)) return false;
  }
  for (const NetworkSpec& n : scenario.networks) {
    ServerCredentials unused;
    if (n.dot1x.enabled && !EnsureServerCredentials(machineDir, n.dot1x, &unused, error))
      return false;
  }
  FileCertStore stores(machineDir);
  const auto user = stores.Import(kPersonalStore, userFile, "Demo World user");
  if (!user.error.empty()) {
    *error = user.error;
    return false;
  }
  const auto root = stores.Import(kRootStore, dir / "ca.pem", "Demo World Root CA");
  if (!root.error.empty()) *error = root.error;
  return root.error.empty();
}

}  // namespace kavo9::pki
