#pragma once
// Real certificates for tests, made with OpenSSL and imported into a store folder: the same
// subject may be given twice, so tests can show that choices go by hash.

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "common/platform/certs/FileCertStore.h"

namespace kavo9::testing {

// Imports a new self-signed certificate of `subject` (serial `serial`) into `store`; its hash in
// hex, empty when it could not be made.
inline std::string ImportTestCertificate(FileCertStore& certs, std::string_view store,
                                         const std::filesystem::path& scratch, const char* subject,
                                         long serial, const std::string& friendlyName = {}) {
  EVP_PKEY* key = EVP_EC_gen("P-256");
  X509* certificate = X509_new();
  ASN1_INTEGER_set(X509_get_serialNumber(certificate), serial);
  X509_gmtime_adj(X509_getm_notBefore(certificate), 0);
  X509_gmtime_adj(X509_getm_notAfter(certificate), 86400L * 365);
  X509_set_pubkey(certificate, key);
  X509_NAME* name = X509_get_subject_name(certificate);
  X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_UTF8,
                             reinterpret_cast<const unsigned char*>(subject), -1, -1, 0);
  X509_set_issuer_name(certificate, name);
  X509_sign(certificate, key, EVP_sha256());
  std::filesystem::create_directories(scratch);
  const auto file = scratch / ("cert-" + std::to_string(serial) + ".pem");
  if (FILE* out = std::fopen(file.c_str(), "w")) {
    PEM_write_X509(out, certificate);
    PEM_write_PrivateKey(out, key, nullptr, nullptr, 0, nullptr, nullptr);
    std::fclose(out);
  }
  X509_free(certificate);
  EVP_PKEY_free(key);
  return certs.Import(store, file, friendlyName).hash;
}

}  // namespace kavo9::testing
