// The answers to credential requests and the getters a program reads while it answers
// (CredentialDesk.h). An answer of the wrong kind for the request's type is refused; a second
// answer to the same request gives AC_ERR_ALREADY_ANSWERED and keeps the first.

#include <algorithm>
#include <cstring>

#include "sim/acauth/LibraryState.h"
#include "sim/acauth/ServerCheck.h"

namespace {

using kavo9::acauth::CredAnswer;
using kavo9::acauth::CredContext;
using kavo9::acauth::CredentialDesk;
using kavo9::acauth::Engine;
using Request = CredentialDesk::Request;

std::shared_ptr<Engine> Started() {
  return kavo9::acauth::CurrentEngine();
}

// Runs `answer` on request `id` when its type is one of `types`.
int Answer(int handle, uint32_t id, std::initializer_list<uint32_t> types,
           const std::function<int(CredAnswer&)>& answer) {
  auto engine = Started();
  if (!engine) return AC_ERR_NOT_STARTED;
  return engine->Desk().With(handle, id, [&](Request& r) {
    if (std::find(types.begin(), types.end(), r.record.type) == types.end()) return AC_ERR_ARGUMENT;
    return answer(r.answer);
  });
}

// A copy of the request's context, for work done outside the desk's lock.
int ContextOf(int handle, uint32_t id, CredContext* out, uint32_t type = 0) {
  auto engine = Started();
  if (!engine) return AC_ERR_NOT_STARTED;
  return engine->Desk().With(handle, id, [&](Request& r) {
    if (type && r.record.type != type) return AC_ERR_ARGUMENT;
    *out = r.context;
    return AC_OK;
  });
}

int CopyText(const std::string& text, char* out, int size) {
  if (!out || size <= 0) return AC_ERR_ARGUMENT;
  const size_t n = std::min(text.size(), size_t(size - 1));
  std::memcpy(out, text.data(), n);
  out[n] = '\0';
  return AC_OK;
}

template <typename T>
int SetOnce(std::optional<T>& slot, T value) {
  if (slot) return AC_ERR_ALREADY_ANSWERED;
  slot = std::move(value);
  return AC_OK;
}

// The server check's end certificate, or nullopt.
std::optional<CredContext> ServerContext(int handle, uint32_t id, int* result) {
  CredContext c;
  *result = ContextOf(handle, id, &c, AC_CRED_SERVER_CHECK);
  if (*result != AC_OK) return std::nullopt;
  return c;
}

int VerifyName(int handle, uint32_t id, int field, const char* name, int suffix, int* ok) {
  if (!name || !ok) return AC_ERR_ARGUMENT;
  int result = AC_OK;
  const auto c = ServerContext(handle, id, &result);
  if (!c) return result;
  *ok = 0;
  if (c->serverChain.empty()) return AC_OK;
  for (const std::string& value : kavo9::acauth::FieldValues(c->serverChain.front(), field)) {
    if (kavo9::acauth::NameMatches(value, name, suffix != 0)) *ok = 1;
  }
  return AC_OK;
}

}  // namespace

AC_API int acCredComplete(int handle, uint32_t id) {
  WITH_ENGINE(Desk().Complete(handle, id));
}

AC_API int acCredDeferred(int handle, uint32_t id) {
  WITH_ENGINE(Desk().Defer(handle, id));
}

AC_API int acCredIdentity(int handle, uint32_t id, acObject identity) {
  if (!identity || identity->kind != acObject_::Kind::kIdentity) return AC_ERR_ARGUMENT;
  return Answer(handle, id, {AC_CRED_IDENTITY},
                [&](CredAnswer& a) { return SetOnce(a.identity, identity->text); });
}

AC_API int acCredMachineIdentity(int handle, uint32_t id, acObject identity) {
  if (!identity || identity->kind != acObject_::Kind::kIdentity) return AC_ERR_ARGUMENT;
  return Answer(handle, id, {AC_CRED_MACHINE_IDENTITY},
                [&](CredAnswer& a) { return SetOnce(a.identity, identity->text); });
}

AC_API int acCredPassword(int handle, uint32_t id, acObject password) {
  if (!password || password->kind != acObject_::Kind::kPassword) return AC_ERR_ARGUMENT;
  return Answer(handle, id, {AC_CRED_PASSWORD, AC_CRED_PASSWORD_CHANGE, AC_CRED_PASSWORD_RETRY},
                [&](CredAnswer& a) { return SetOnce(a.password, password->text); });
}

AC_API int acCredSessionStart(int handle, uint32_t id, int option) {
  return Answer(handle, id, {AC_CRED_SESSION_START},
                [&](CredAnswer& a) { return SetOnce(a.sessionOption, option); });
}

AC_API int acCredGetIdentityPrompt(int handle, uint32_t id, char* prompt, int size) {
  CredContext c;
  const int result = ContextOf(handle, id, &c, AC_CRED_IDENTITY);
  return result == AC_OK ? CopyText(c.prompt, prompt, size) : result;
}

AC_API int acCredGetPasswordPrompt(int handle, uint32_t id, char* prompt, int size) {
  CredContext c;
  const int result = ContextOf(handle, id, &c);
  return result == AC_OK ? CopyText(c.prompt, prompt, size) : result;
}

AC_API int acCredGetEapMethod(int handle, uint32_t id, int level, int* method) {
  if (!method) return AC_ERR_ARGUMENT;
  CredContext c;
  const int result = ContextOf(handle, id, &c);
  if (result == AC_OK) *method = c.method[level ? 1 : 0];
  return result;
}

AC_API int acCredEapMethods(int handle, uint32_t id, int method, int offer) {
  return Answer(handle, id, {AC_CRED_EAP_METHODS}, [&](CredAnswer& a) {
    if (a.method) return AC_ERR_ALREADY_ANSWERED;
    a.method = method;
    a.offer = offer;
    return AC_OK;
  });
}

AC_API int acCredEapTTLSTunnelMethod(int handle, uint32_t id, int method) {
  if (method < AC_TTLS_PAP || method > AC_TTLS_EAP_MD5) return AC_ERR_ARGUMENT;
  return Answer(handle, id, {AC_CRED_TTLS_INNER},
                [&](CredAnswer& a) { return SetOnce(a.ttlsMethod, method); });
}

AC_API int acCredUserCert(int handle, uint32_t id, acObject certificate) {
  if (certificate && certificate->kind != acObject_::Kind::kCertificate) return AC_ERR_ARGUMENT;
  return Answer(handle, id, {AC_CRED_USER_CERT}, [&](CredAnswer& a) {
    if (a.userCertGiven) return AC_ERR_ALREADY_ANSWERED;
    a.userCertGiven = true;
    if (certificate) {
      a.userCertPem = certificate->certPem;
      a.userKeyPem = certificate->keyPem;
    }
    return AC_OK;
  });
}

AC_API int acCredGetEapNotification(int handle, uint32_t id, char* text, int size) {
  CredContext c;
  const int result = ContextOf(handle, id, &c, AC_CRED_NOTIFICATION);
  return result == AC_OK ? CopyText(c.notification, text, size) : result;
}

AC_API int acCredServerVerifyChain(int handle, uint32_t id, int* ok) {
  if (!ok) return AC_ERR_ARGUMENT;
  int result = AC_OK;
  const auto c = ServerContext(handle, id, &result);
  if (!c) return result;
  *ok = kavo9::acauth::ChainTrustedByMachine(c->serverChain, Started()->MachineDir()) ? 1 : 0;
  return AC_OK;
}

AC_API int acCredServerVerifyCA(int handle, uint32_t id, acObject caCertificate, int* ok) {
  if (!ok || !caCertificate || caCertificate->kind != acObject_::Kind::kCertificate)
    return AC_ERR_ARGUMENT;
  int result = AC_OK;
  const auto c = ServerContext(handle, id, &result);
  if (!c) return result;
  *ok = kavo9::acauth::ChainIssuedBy(c->serverChain, caCertificate->certPem) ? 1 : 0;
  return AC_OK;
}

AC_API int acCredServerVerifyDomain(int handle, uint32_t id, int field, const char* name,
                                    int suffix, int* ok) {
  return VerifyName(handle, id, field, name, suffix, ok);
}

AC_API int acCredServerVerifyField(int handle, uint32_t id, int field, const char* name, int suffix,
                                   int* ok) {
  return VerifyName(handle, id, field, name, suffix, ok);
}

AC_API int acCredServerGetField(int handle, uint32_t id, int index, char* text, int size) {
  int result = AC_OK;
  const auto c = ServerContext(handle, id, &result);
  if (!c) return result;
  const auto fields = c->serverChain.empty() ? std::vector<std::string>{}
                                             : kavo9::acauth::FieldTexts(c->serverChain.front());
  if (index < 0 || size_t(index) >= fields.size()) return AC_ERR_NO_MORE_FIELDS;
  return CopyText(fields[size_t(index)], text, size);
}

AC_API int acCredServerVerified(int handle, uint32_t id, int trusted) {
  return Answer(handle, id, {AC_CRED_SERVER_CHECK},
                [&](CredAnswer& a) { return SetOnce(a.trusted, trusted ? 1 : 0); });
}

AC_API int acCredGetEapFASTMode(int handle, uint32_t id, int* mode) {
  if (!mode) return AC_ERR_ARGUMENT;
  CredContext c;
  const int result = ContextOf(handle, id, &c);
  if (result == AC_OK) *mode = c.fastMode;
  return result;
}

AC_API int acCredGetEapFASTAID(int handle, uint32_t id, uint8_t* aid, int size, int* length) {
  if (!aid || !length || size < 0) return AC_ERR_ARGUMENT;
  CredContext c;
  const int result = ContextOf(handle, id, &c);
  if (result != AC_OK) return result;
  if (c.aid.size() > size_t(size)) return AC_ERR_ARGUMENT;
  std::memcpy(aid, c.aid.data(), c.aid.size());
  *length = int(c.aid.size());
  return AC_OK;
}

AC_API int acCredEapFASTPacTypes(int handle, uint32_t id, const int* types, int count) {
  if (count < 0 || (count > 0 && !types)) return AC_ERR_ARGUMENT;
  return Answer(handle, id, {AC_CRED_FAST_PAC_TYPES}, [&](CredAnswer& a) {
    return SetOnce(a.pacTypes, std::vector<int>(types, types + count));
  });
}

AC_API int acCredEapFASTProvisionModes(int handle, uint32_t id, const int* modes, int count) {
  if (count < 0 || (count > 0 && !modes)) return AC_ERR_ARGUMENT;
  return Answer(handle, id, {AC_CRED_FAST_PROVISION_MODES}, [&](CredAnswer& a) {
    return SetOnce(a.provisionModes, std::vector<int>(modes, modes + count));
  });
}

AC_API int acCredEapFASTPac(int handle, uint32_t id, acObject pac) {
  if (pac && pac->kind != acObject_::Kind::kPac) return AC_ERR_ARGUMENT;
  return Answer(handle, id, {AC_CRED_FAST_PAC}, [&](CredAnswer& a) {
    if (a.pacGiven) return AC_ERR_ALREADY_ANSWERED;
    a.pacGiven = true;
    if (pac) a.pac = pac->pac;
    return AC_OK;
  });
}

AC_API int acCredGetEapFASTPac(int handle, uint32_t id, int part, uint8_t* data, int size,
                               int* length) {
  if (!length || size < 0 || (size > 0 && !data)) return AC_ERR_ARGUMENT;
  CredContext c;
  const int result = ContextOf(handle, id, &c, AC_CRED_FAST_PAC_SAVE);
  if (result != AC_OK) return result;
  const auto it = c.provisionedPac.find(part);
  if (it == c.provisionedPac.end()) return AC_ERR_ARGUMENT;
  if (it->second.size() > size_t(size)) return AC_ERR_ARGUMENT;
  if (!it->second.empty()) std::memcpy(data, it->second.data(), it->second.size());
  *length = int(it->second.size());
  return AC_OK;
}

AC_API int acCredCcxRogueAP(int handle, uint32_t id, int report) {
  return Answer(handle, id, {AC_CRED_ROGUE_AP},
                [&](CredAnswer& a) { return SetOnce(a.rogueReport, report ? 1 : 0); });
}
