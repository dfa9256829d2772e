#include "sim/eap/X509Tools.h"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <memory>

namespace kavo9::eap {
namespace {

using X509Ptr = std::unique_ptr<X509, decltype(&X509_free)>;
using KeyPtr = std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)>;
using BioPtr = std::unique_ptr<BIO, decltype(&BIO_free)>;

X509Ptr Parse(const std::string& pem) {
  BioPtr bio(BIO_new_mem_buf(pem.data(), int(pem.size())), BIO_free);
  return X509Ptr(PEM_read_bio_X509(bio.get(), nullptr, nullptr, nullptr), X509_free);
}

std::string Utf8(ASN1_STRING* value) {
  unsigned char* utf8 = nullptr;
  const int length = ASN1_STRING_to_UTF8(&utf8, value);
  if (length < 0) return {};
  std::string text(reinterpret_cast<char*>(utf8), size_t(length));
  OPENSSL_free(utf8);
  return text;
}

std::string Entry(X509_NAME* name, int nid) {
  const int index = X509_NAME_get_index_by_NID(name, nid, -1);
  return index < 0 ? std::string()
                   : Utf8(X509_NAME_ENTRY_get_data(X509_NAME_get_entry(name, index)));
}

}  // namespace

bool VerifyChain(const std::vector<std::string>& chainPem,
                 const std::vector<std::string>& anchorsPem, std::string* why) {
  if (chainPem.empty()) {
    *why = "no certificate";
    return false;
  }
  X509Ptr leaf = Parse(chainPem.front());
  if (!leaf) {
    *why = "not a certificate";
    return false;
  }
  std::unique_ptr<X509_STORE, decltype(&X509_STORE_free)> store(X509_STORE_new(), X509_STORE_free);
  for (const std::string& pem : anchorsPem) {
    if (X509Ptr anchor = Parse(pem)) X509_STORE_add_cert(store.get(), anchor.get());
  }
  std::unique_ptr<STACK_OF(X509), void (*)(STACK_OF(X509)*)> untrusted(
      sk_X509_new_null(), [](STACK_OF(X509) * s) { sk_X509_pop_free(s, X509_free); });
  for (size_t i = 1; i < chainPem.size(); ++i) {
    if (X509Ptr c = Parse(chainPem[i])) sk_X509_push(untrusted.get(), c.release());
  }
  std::unique_ptr<X509_STORE_CTX, decltype(&X509_STORE_CTX_free)> ctx(X509_STORE_CTX_new(),
                                                                      X509_STORE_CTX_free);
  if (!ctx || X509_STORE_CTX_init(ctx.get(), store.get(), leaf.get(), untrusted.get()) != 1) {
    *why = "cannot verify";
    return false;
  }
  if (X509_verify_cert(ctx.get()) == 1) return true;
  *why = X509_verify_cert_error_string(X509_STORE_CTX_get_error(ctx.get()));
  return false;
}

std::optional<Bytes> Sign(const std::string& keyPem, std::span<const uint8_t> data) {
  BioPtr bio(BIO_new_mem_buf(keyPem.data(), int(keyPem.size())), BIO_free);
  KeyPtr key(PEM_read_bio_PrivateKey(bio.get(), nullptr, nullptr, nullptr), EVP_PKEY_free);
  if (!key) return std::nullopt;
  std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> ctx(EVP_MD_CTX_new(), EVP_MD_CTX_free);
  size_t length = 0;
  if (EVP_DigestSignInit(ctx.get(), nullptr, EVP_sha256(), nullptr, key.get()) != 1 ||
      EVP_DigestSign(ctx.get(), nullptr, &length, data.data(), data.size()) != 1) {
    return std::nullopt;
  }
  Bytes signature(length);
  if (EVP_DigestSign(ctx.get(), signature.data(), &length, data.data(), data.size()) != 1)
    return std::nullopt;
  signature.resize(length);
  return signature;
}

bool SignatureValid(const std::string& certPem, std::span<const uint8_t> data,
                    std::span<const uint8_t> signature) {
  X509Ptr cert = Parse(certPem);
  if (!cert) return false;
  EVP_PKEY* key = X509_get0_pubkey(cert.get());
  std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> ctx(EVP_MD_CTX_new(), EVP_MD_CTX_free);
  return key && EVP_DigestVerifyInit(ctx.get(), nullptr, EVP_sha256(), nullptr, key) == 1 &&
         EVP_DigestVerify(ctx.get(), signature.data(), signature.size(), data.data(),
                          data.size()) == 1;
}

std::optional<CertNames> ReadNames(const std::string& certPem) {
  X509Ptr cert = Parse(certPem);
  if (!cert) return std::nullopt;
  CertNames names;
  X509_NAME* subject = X509_get_subject_name(cert.get());
  names.commonName = Entry(subject, NID_commonName);
  names.issuer = Entry(X509_get_issuer_name(cert.get()), NID_commonName);
  std::vector<std::string> dcs;  // in the name's order: most significant first
  for (int i = 0; i < X509_NAME_entry_count(subject); ++i) {
    X509_NAME_ENTRY* e = X509_NAME_get_entry(subject, i);
    if (OBJ_obj2nid(X509_NAME_ENTRY_get_object(e)) == NID_domainComponent)
      dcs.push_back(Utf8(X509_NAME_ENTRY_get_data(e)));
  }
  for (size_t i = 0; i < dcs.size(); ++i) {
    names.domainNameReversed += (i ? "." : "") + dcs[i];
    names.domainName += (i ? "." : "") + dcs[dcs.size() - 1 - i];
  }
  auto* alt = static_cast<GENERAL_NAMES*>(
      X509_get_ext_d2i(cert.get(), NID_subject_alt_name, nullptr, nullptr));
  for (int i = 0; alt && i < sk_GENERAL_NAME_num(alt); ++i) {
    const GENERAL_NAME* g = sk_GENERAL_NAME_value(alt, i);
    if (g->type == GEN_DNS) names.dnsNames.push_back(Utf8(g->d.dNSName));
  }
  GENERAL_NAMES_free(alt);
  return names;
}

std::optional<std::string> PemOfDer(std::span<const uint8_t> der) {
  const unsigned char* p = der.data();
  X509Ptr cert(d2i_X509(nullptr, &p, long(der.size())), X509_free);
  if (!cert) return std::nullopt;
  BioPtr bio(BIO_new(BIO_s_mem()), BIO_free);
  PEM_write_bio_X509(bio.get(), cert.get());
  char* data = nullptr;
  const long length = BIO_get_mem_data(bio.get(), &data);
  return std::string(data, size_t(length));
}

std::optional<Bytes> DerOfPem(const std::string& pem) {
  X509Ptr cert = Parse(pem);
  if (!cert) return std::nullopt;
  unsigned char* der = nullptr;
  const int length = i2d_X509(cert.get(), &der);
  if (length <= 0) return std::nullopt;
  Bytes out(der, der + length);
  OPENSSL_free(der);
  return out;
}

}  // namespace kavo9::eap
