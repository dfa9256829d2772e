// Certificates, EAP-FAST PACs and the CCX settings of a port.
//
// A certificate's reference text is "cert:STORE/HASH": the store ("MY" for a user certificate,
// "ROOT" for a CA) and the certificate's SHA-1 hash in hexadecimal, as the machine's certificate
// stores file it. acCertCreate reads the certificate and, when the store keeps one, its key.

#include <cstring>
#include <fstream>
#include <iterator>

#include "common/platform/certs/FileCertStore.h"
#include "sim/acauth/LibraryState.h"
#include "sim/acauth/ServerCheck.h"
#include "sim/eap/X509Tools.h"

namespace {

constexpr size_t kSha1Bytes = 20;
constexpr int kMaxPacPart = 1024;
constexpr char kCertScheme[] = "cert:";

int CopyText(const std::string& text, char* out, int size) {
  if (!out || size <= 0 || text.size() >= size_t(size)) return AC_ERR_ARGUMENT;
  std::memcpy(out, text.c_str(), text.size() + 1);
  return AC_OK;
}

}  // namespace

AC_API int acCertUrlWin32String(int kind, const uint8_t* blob, int blobLength, char* url,
                                int size) {
  const char* store = kind == AC_CERT_KIND_USER ? "MY" : kind == AC_CERT_KIND_CA ? "ROOT" : nullptr;
  if (!store || !blob || blobLength != int(kSha1Bytes)) return AC_ERR_ARGUMENT;
  const std::vector<uint8_t> hash(blob, blob + kSha1Bytes);
  return CopyText(std::string(kCertScheme) + store + "/" + kavo9::HashText(hash), url, size);
}

AC_API int acCertCreate(acObject* out, const char* url) {
  if (!out || !url) return AC_ERR_ARGUMENT;
  auto engine = kavo9::acauth::CurrentEngine();
  if (!engine) return AC_ERR_NOT_STARTED;
  const std::string text = url;
  const size_t slash = text.find('/');
  if (text.rfind(kCertScheme, 0) != 0 || slash == std::string::npos) return AC_ERR_ARGUMENT;
  const std::string store = text.substr(sizeof kCertScheme - 1, slash - (sizeof kCertScheme - 1));
  const auto hash = kavo9::eap::FromHex(text.substr(slash + 1));
  if (!kavo9::IsStoreName(store) || !hash || hash->size() != kSha1Bytes) return AC_ERR_ARGUMENT;
  kavo9::FileCertStore stores(engine->MachineDir());
  const auto found = kavo9::FindCertificate(stores, store, *hash);
  if (!found) return AC_ERR_FAILED;
  const auto pem = kavo9::eap::PemOfDer(found->der);
  if (!pem) return AC_ERR_FAILED;
  auto* object = new acObject_{};
  object->kind = acObject_::Kind::kCertificate;
  object->text = text;
  object->certPem = *pem;
  std::ifstream key(stores.StoreDir(store) / (kavo9::HashText(*hash) + ".key"), std::ios::binary);
  object->keyPem.assign(std::istreambuf_iterator<char>(key), std::istreambuf_iterator<char>());
  *out = object;
  return AC_OK;
}

AC_API int acCertGetField(acObject certificate, int field, char* text, int size) {
  if (!certificate || certificate->kind != acObject_::Kind::kCertificate) return AC_ERR_ARGUMENT;
  const auto values = kavo9::acauth::FieldValues(certificate->certPem, field);
  if (values.empty()) return AC_ERR_NO_MORE_FIELDS;
  if (!text || size <= 0) return AC_ERR_ARGUMENT;
  const size_t n = std::min(values.front().size(), size_t(size - 1));
  std::memcpy(text, values.front().data(), n);
  text[n] = '\0';
  return AC_OK;
}

AC_API int acCertDestroy(acObject certificate) {
  return kavo9::acauth::DestroyObject(certificate, acObject_::Kind::kCertificate);
}

AC_API int acEapFASTPacCreate(acObject* out) {
  if (!out) return AC_ERR_ARGUMENT;
  *out = new acObject_{};
  (*out)->kind = acObject_::Kind::kPac;
  return AC_OK;
}

AC_API int acEapFASTPacSet(acObject pac, int part, const uint8_t* data, int length) {
  if (!pac || pac->kind != acObject_::Kind::kPac || part < AC_PAC_AID || part > AC_PAC_LIFETIME ||
      length < 0 || length > kMaxPacPart || (length > 0 && !data)) {
    return AC_ERR_ARGUMENT;
  }
  pac->pac[part].assign(data, data + length);
  return AC_OK;
}

AC_API int acEapFASTPacDestroy(acObject pac) {
  return kavo9::acauth::DestroyObject(pac, acObject_::Kind::kPac);
}

AC_API int acCcxEnable(int handle, int on) {
  WITH_ENGINE(SetCcx(handle, on != 0));
}

AC_API int acCcxRadioCfg(int handle, uint32_t config) {
  WITH_ENGINE(SetRadioConfig(handle, config));
}

AC_API int acCcxGetRadioCfg(int handle, uint32_t* config) {
  WITH_ENGINE(RadioConfig(handle, config));
}

AC_API int acCcxRogueApTimeout(int handle, int seconds) {
  if (seconds < 0) return AC_ERR_ARGUMENT;
  WITH_ENGINE(SetRogueApTimeout(handle, seconds));
}
