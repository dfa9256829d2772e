#include "station/dot1x/supplicant/LibrarySupplicant.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace kavo9::dot1x {

// The entry points, resolved by name.
struct LibrarySupplicant::Api {
  decltype(&::acInit) init = nullptr;
  decltype(&::acExit) exit = nullptr;
  std::array<decltype(&::ac8021xInit), 11> protocols{};
  decltype(&::acEventString) eventString = nullptr;
  decltype(&::acErrorString) errorString = nullptr;
  decltype(&::acDebugEnable) debugEnable = nullptr;
  decltype(&::acNetCallback) netCallback = nullptr;
  decltype(&::acGetNextPortSymName) nextPort = nullptr;
  decltype(&::acGetPortAttr) portAttr = nullptr;
  decltype(&::acPortAttach) attach = nullptr;
  decltype(&::acPortDetach) detach = nullptr;
  decltype(&::acRsnPskCreate) pskCreate = nullptr;
  decltype(&::acRsnBinPskCreate) binPskCreate = nullptr;
  decltype(&::acRsnPskDestroy) pskDestroy = nullptr;
  decltype(&::acCredRsnPsk) credPsk = nullptr;
  decltype(&::acIdentityCreate) identityCreate = nullptr;
  decltype(&::acIdentityDestroy) identityDestroy = nullptr;
  decltype(&::acPasswordCreate) passwordCreate = nullptr;
  decltype(&::acPasswordDestroy) passwordDestroy = nullptr;
  decltype(&::acCredComplete) credComplete = nullptr;
  decltype(&::acCredDeferred) credDeferred = nullptr;
  decltype(&::acCredIdentity) credIdentity = nullptr;
  decltype(&::acCredPassword) credPassword = nullptr;
  decltype(&::acCredSessionStart) credSession = nullptr;
  decltype(&::acPortAuth) auth = nullptr;
  decltype(&::acPortAssociate) associate = nullptr;
  decltype(&::acPortDisassociate) disassociate = nullptr;
  decltype(&::acPortStop) stop = nullptr;
  decltype(&::acPortGetLinkState) linkState = nullptr;
  decltype(&::acPortGetState) state = nullptr;
  decltype(&::acPortGetStatus) status = nullptr;
  decltype(&::acIpIsConnected) ipConnected = nullptr;
  decltype(&::acIpDhcpIsEnabled) dhcpEnabled = nullptr;
  decltype(&::acIpGetConfig) ipConfig = nullptr;
  decltype(&::acIpDhcpRenew) dhcpRenew = nullptr;
  // EAP, certificates and CCX: each may be missing.
  decltype(&::acCredGetIdentityPrompt) identityPrompt = nullptr;
  decltype(&::acCredGetPasswordPrompt) passwordPrompt = nullptr;
  decltype(&::acCredGetEapMethod) getEapMethod = nullptr;
  decltype(&::acCredEapMethods) eapMethods = nullptr;
  decltype(&::acCredEapTTLSTunnelMethod) ttlsMethod = nullptr;
  decltype(&::acCredUserCert) userCert = nullptr;
  decltype(&::acCredMachineIdentity) machineIdentity = nullptr;
  decltype(&::acCredGetEapNotification) notification = nullptr;
  decltype(&::acCredServerVerifyChain) verifyChain = nullptr;
  decltype(&::acCredServerVerifyCA) verifyCa = nullptr;
  decltype(&::acCredServerVerifyDomain) verifyDomain = nullptr;
  decltype(&::acCredServerVerifyField) verifyField = nullptr;
  decltype(&::acCredServerGetField) serverField = nullptr;
  decltype(&::acCredServerVerified) serverVerified = nullptr;
  decltype(&::acCredGetEapFASTMode) fastMode = nullptr;
  decltype(&::acCredGetEapFASTAID) fastAid = nullptr;
  decltype(&::acCredEapFASTPacTypes) pacTypes = nullptr;
  decltype(&::acCredEapFASTProvisionModes) provisionModes = nullptr;
  decltype(&::acEapFASTPacCreate) pacCreate = nullptr;
  decltype(&::acEapFASTPacSet) pacSet = nullptr;
  decltype(&::acEapFASTPacDestroy) pacDestroy = nullptr;
  decltype(&::acCredEapFASTPac) credPac = nullptr;
  decltype(&::acCredGetEapFASTPac) getPac = nullptr;
  decltype(&::acCertUrlWin32String) certUrl = nullptr;
  decltype(&::acCertCreate) certCreate = nullptr;
  decltype(&::acCertGetField) certField = nullptr;
  decltype(&::acCertDestroy) certDestroy = nullptr;
  decltype(&::acCcxEnable) ccxEnable = nullptr;
  decltype(&::acCcxRadioCfg) ccxRadio = nullptr;
  decltype(&::acCcxGetRadioCfg) ccxGetRadio = nullptr;
  decltype(&::acCcxRogueApTimeout) ccxRogueTimeout = nullptr;
  decltype(&::acCredCcxRogueAP) ccxRogue = nullptr;
};

namespace {

constexpr const char* kProtocolInits[] = {"ac8021xInit",       "acRsnInit",     "acEapFASTInit",
                                          "acEapGTCInit",      "acEapLEAPInit", "acEapMD5Init",
                                          "acEapMSCHAPv2Init", "acEapPEAPInit", "acEapTLSInit",
                                          "acEapTTLSInit",     "acCcxInit"};
constexpr const char kEventPrefix[] = "AC_EVENT_";

// The library's names of events, for its event-name filter (one library per process).
std::atomic<decltype(&::acEventString)> g_eventString{nullptr};

int EventNameFilter(int event) {
  const auto name = g_eventString.load();
  const char* text = name ? name(event) : nullptr;
  return std::strncmp(text ? text : "", kEventPrefix, sizeof kEventPrefix - 1);
}

void OnEvent(void* context, int kind) {
  if (context) static_cast<SupplicantEvents*>(context)->OnPortEvent(kind);
}

void OnRequest(void* context, const acCredRequest* request) {
  if (context && request) static_cast<SupplicantEvents*>(context)->OnCredentialRequest(*request);
}

template <typename Fn>
bool Resolve(DynamicLibrary& library, const char* name, Fn* out) {
  *out = library.Function<Fn>(name);
  return *out != nullptr;
}

}  // namespace

LibrarySupplicant::LibrarySupplicant(DynamicLibraryLoader* loader) : loader_(loader) {}

LibrarySupplicant::~LibrarySupplicant() {
  Exit();
}

bool LibrarySupplicant::Load() {
  if (api_) return true;
  if (!loader_) return false;
  auto library = loader_->Load(kSupplicantLibrary);
  if (!library) return false;
  auto api = std::make_unique<Api>();
  DynamicLibrary& l = *library;
  bool ok =
      Resolve(l, "acInit", &api->init) && Resolve(l, "acExit", &api->exit) &&
      Resolve(l, "acEventString", &api->eventString) &&
      Resolve(l, "acErrorString", &api->errorString) &&
      Resolve(l, "acDebugEnable", &api->debugEnable) &&
      Resolve(l, "acNetCallback", &api->netCallback) &&
      Resolve(l, "acGetNextPortSymName", &api->nextPort) &&
      Resolve(l, "acGetPortAttr", &api->portAttr) && Resolve(l, "acPortAttach", &api->attach) &&
      Resolve(l, "acPortDetach", &api->detach) && Resolve(l, "acRsnPskCreate", &api->pskCreate) &&
      Resolve(l, "acRsnBinPskCreate", &api->binPskCreate) &&
      Resolve(l, "acRsnPskDestroy", &api->pskDestroy) &&
      Resolve(l, "acCredRsnPsk", &api->credPsk) && Resolve(l, "acPortAuth", &api->auth) &&
      Resolve(l, "acPortAssociate", &api->associate) &&
      Resolve(l, "acPortDisassociate", &api->disassociate) &&
      Resolve(l, "acPortStop", &api->stop) && Resolve(l, "acPortGetLinkState", &api->linkState) &&
      Resolve(l, "acPortGetState", &api->state) && Resolve(l, "acPortGetStatus", &api->status) &&
      Resolve(l, "acIpIsConnected", &api->ipConnected) &&
      Resolve(l, "acIpDhcpIsEnabled", &api->dhcpEnabled) &&
      Resolve(l, "acIpGetConfig", &api->ipConfig) && Resolve(l, "acIpDhcpRenew", &api->dhcpRenew);
  for (size_t i = 0; ok && i < api->protocols.size(); ++i) {
    ok = Resolve(l, kProtocolInits[i], &api->protocols[i]);
  }
  if (!ok) return false;
  api_ = std::move(api);
  LoadOptional(l);
  library_ = std::move(library);
  g_eventString = api_->eventString;
  return true;
}

void LibrarySupplicant::LoadOptional(DynamicLibrary& l) {
  Api& a = *api_;
  Resolve(l, "acIdentityCreate", &a.identityCreate);
  Resolve(l, "acIdentityDestroy", &a.identityDestroy);
  Resolve(l, "acPasswordCreate", &a.passwordCreate);
  Resolve(l, "acPasswordDestroy", &a.passwordDestroy);
  Resolve(l, "acCredComplete", &a.credComplete);
  Resolve(l, "acCredDeferred", &a.credDeferred);
  Resolve(l, "acCredIdentity", &a.credIdentity);
  Resolve(l, "acCredPassword", &a.credPassword);
  Resolve(l, "acCredSessionStart", &a.credSession);
  Resolve(l, "acCredGetIdentityPrompt", &a.identityPrompt);
  Resolve(l, "acCredGetPasswordPrompt", &a.passwordPrompt);
  Resolve(l, "acCredGetEapMethod", &a.getEapMethod);
  Resolve(l, "acCredEapMethods", &a.eapMethods);
  Resolve(l, "acCredEapTTLSTunnelMethod", &a.ttlsMethod);
  Resolve(l, "acCredUserCert", &a.userCert);
  Resolve(l, "acCredMachineIdentity", &a.machineIdentity);
  Resolve(l, "acCredGetEapNotification", &a.notification);
  Resolve(l, "acCredServerVerifyChain", &a.verifyChain);
  Resolve(l, "acCredServerVerifyCA", &a.verifyCa);
  Resolve(l, "acCredServerVerifyDomain", &a.verifyDomain);
  Resolve(l, "acCredServerVerifyField", &a.verifyField);
  Resolve(l, "acCredServerGetField", &a.serverField);
  Resolve(l, "acCredServerVerified", &a.serverVerified);
  Resolve(l, "acCredGetEapFASTMode", &a.fastMode);
  Resolve(l, "acCredGetEapFASTAID", &a.fastAid);
  Resolve(l, "acCredEapFASTPacTypes", &a.pacTypes);
  Resolve(l, "acCredEapFASTProvisionModes", &a.provisionModes);
  Resolve(l, "acEapFASTPacCreate", &a.pacCreate);
  Resolve(l, "acEapFASTPacSet", &a.pacSet);
  Resolve(l, "acEapFASTPacDestroy", &a.pacDestroy);
  Resolve(l, "acCredEapFASTPac", &a.credPac);
  Resolve(l, "acCredGetEapFASTPac", &a.getPac);
  Resolve(l, "acCertUrlWin32String", &a.certUrl);
  Resolve(l, "acCertCreate", &a.certCreate);
  Resolve(l, "acCertGetField", &a.certField);
  Resolve(l, "acCertDestroy", &a.certDestroy);
  Resolve(l, "acCcxEnable", &a.ccxEnable);
  Resolve(l, "acCcxRadioCfg", &a.ccxRadio);
  Resolve(l, "acCcxGetRadioCfg", &a.ccxGetRadio);
  Resolve(l, "acCcxRogueApTimeout", &a.ccxRogueTimeout);
  Resolve(l, "acCredCcxRogueAP", &a.ccxRogue);
}

int LibrarySupplicant::Init() {
  if (!Load()) return AC_ERR_FAILED;
  const acInitParams params{&EventNameFilter, api_->netCallback};
  int result = api_->init(&params);
  for (size_t i = 0; result == AC_OK && i < api_->protocols.size(); ++i) {
    result = api_->protocols[i]();
  }
  started_ = result == AC_OK;
  return result;
}

void LibrarySupplicant::Exit() {
  if (api_ && started_) api_->exit();
  started_ = false;
}

std::string LibrarySupplicant::ErrorText(int error) {
  const char* text = api_ ? api_->errorString(error) : nullptr;
  return text ? text : "";
}

// An entry point the library lacks fails its call instead of being jumped to.
#define CALL(fn, ...) \
  (!api_ ? AC_ERR_NOT_STARTED : api_->fn ? api_->fn(__VA_ARGS__) : AC_ERR_FAILED)

int LibrarySupplicant::DebugEnable(int category, int on) {
  return CALL(debugEnable, category, on);
}

int LibrarySupplicant::NextPortName(const std::string& previous, std::string* name) {
  char buffer[AC_PORT_NAME_BYTES] = {};
  const int result = CALL(nextPort, previous.c_str(), buffer);
  buffer[AC_PORT_NAME_BYTES - 1] = 0;  // the last byte is always the terminator
  if (result == AC_OK) *name = buffer;
  return result;
}

int LibrarySupplicant::PortAttr(const std::string& name, acPortAttr* attr) {
  return CALL(portAttr, name.c_str(), attr);
}

int LibrarySupplicant::Attach(int* handle, const std::string& name, SupplicantEvents* events) {
  return CALL(attach, handle, name.c_str(), events, &OnEvent, &OnRequest);
}

int LibrarySupplicant::Detach(int handle) {
  return CALL(detach, handle);
}

int LibrarySupplicant::CreatePsk(acObject* out, std::string_view passPhrase,
                                 std::string_view ssid) {
  return CALL(pskCreate, out, passPhrase.data(), int(passPhrase.size()),
              reinterpret_cast<const uint8_t*>(ssid.data()), int(ssid.size()));
}

int LibrarySupplicant::CreateBinaryPsk(acObject* out, const std::array<uint8_t, 32>& key) {
  return CALL(binPskCreate, out, key.data());
}

int LibrarySupplicant::DestroyPsk(acObject psk) {
  return CALL(pskDestroy, psk);
}
int LibrarySupplicant::CreateIdentity(acObject* out, std::string_view text) {
  return CALL(identityCreate, out, text.data(), int(text.size()));
}
int LibrarySupplicant::DestroyIdentity(acObject o) {
  return CALL(identityDestroy, o);
}
int LibrarySupplicant::CreatePassword(acObject* out, std::string_view text) {
  return CALL(passwordCreate, out, text.data(), int(text.size()));
}
int LibrarySupplicant::DestroyPassword(acObject o) {
  return CALL(passwordDestroy, o);
}
int LibrarySupplicant::CredComplete(int handle, uint32_t id) {
  return CALL(credComplete, handle, id);
}
int LibrarySupplicant::CredDeferred(int handle, uint32_t id) {
  return CALL(credDeferred, handle, id);
}
int LibrarySupplicant::CredIdentity(int handle, uint32_t id, acObject identity) {
  return CALL(credIdentity, handle, id, identity);
}
int LibrarySupplicant::CredPassword(int handle, uint32_t id, acObject password) {
  return CALL(credPassword, handle, id, password);
}
int LibrarySupplicant::CredSessionStart(int handle, uint32_t id, int option) {
  return CALL(credSession, handle, id, option);
}
int LibrarySupplicant::CredRsnPsk(int handle, acObject psk) {
  return CALL(credPsk, handle, psk);
}
int LibrarySupplicant::PortAuth(int handle) {
  return CALL(auth, handle);
}
int LibrarySupplicant::PortAssociate(int handle, const acAssociation& a) {
  return CALL(associate, handle, &a);
}
int LibrarySupplicant::PortDisassociate(int handle) {
  return CALL(disassociate, handle);
}
int LibrarySupplicant::PortStop(int handle) {
  return CALL(stop, handle);
}
int LibrarySupplicant::LinkState(int handle, int* state) {
  return CALL(linkState, handle, state);
}
int LibrarySupplicant::State(int handle, int* state) {
  return CALL(state, handle, state);
}
int LibrarySupplicant::Status(int handle, int* status) {
  return CALL(status, handle, status);
}
int LibrarySupplicant::IpIsConnected(int handle, int* connected) {
  return CALL(ipConnected, handle, connected);
}
int LibrarySupplicant::IpDhcpIsEnabled(int handle, int* enabled) {
  return CALL(dhcpEnabled, handle, enabled);
}
int LibrarySupplicant::IpGetConfig(int handle, std::array<uint8_t, 4>* address) {
  return CALL(ipConfig, handle, address->data());
}
int LibrarySupplicant::IpDhcpRenew(int handle) {
  return CALL(dhcpRenew, handle);
}

#define OPTIONAL_CALL CALL

namespace {

// A text the library writes into a buffer of `Size` bytes; the last byte always ends it.
template <size_t Size, typename Call>
int TextFrom(Call call, std::string* out) {
  char buffer[Size] = {};
  const int result = call(buffer, int(Size));
  buffer[Size - 1] = 0;
  if (result == AC_OK) *out = buffer;
  return result;
}

constexpr size_t kPromptBytes = 513;
constexpr size_t kNotificationBytes = 256;
constexpr size_t kFieldBytes = 512;
constexpr size_t kUrlBytes = 512;

}  // namespace

int LibrarySupplicant::CredGetIdentityPrompt(int handle, uint32_t id, std::string* prompt) {
  return TextFrom<kPromptBytes>(
      [&](char* b, int n) { return OPTIONAL_CALL(identityPrompt, handle, id, b, n); }, prompt);
}
int LibrarySupplicant::CredGetPasswordPrompt(int handle, uint32_t id, std::string* prompt) {
  return TextFrom<kPromptBytes>(
      [&](char* b, int n) { return OPTIONAL_CALL(passwordPrompt, handle, id, b, n); }, prompt);
}
int LibrarySupplicant::CredGetEapMethod(int handle, uint32_t id, int level, int* method) {
  return OPTIONAL_CALL(getEapMethod, handle, id, level, method);
}
int LibrarySupplicant::CredEapMethods(int handle, uint32_t id, int method, int offer) {
  return OPTIONAL_CALL(eapMethods, handle, id, method, offer);
}
int LibrarySupplicant::CredEapTTLSTunnelMethod(int handle, uint32_t id, int method) {
  return OPTIONAL_CALL(ttlsMethod, handle, id, method);
}
int LibrarySupplicant::CredUserCert(int handle, uint32_t id, acObject certificate) {
  return OPTIONAL_CALL(userCert, handle, id, certificate);
}
int LibrarySupplicant::CredMachineIdentity(int handle, uint32_t id, acObject identity) {
  return OPTIONAL_CALL(machineIdentity, handle, id, identity);
}
int LibrarySupplicant::CredGetEapNotification(int handle, uint32_t id, std::string* text) {
  return TextFrom<kNotificationBytes>(
      [&](char* b, int n) { return OPTIONAL_CALL(notification, handle, id, b, n); }, text);
}
int LibrarySupplicant::CredServerVerifyChain(int handle, uint32_t id, int* ok) {
  return OPTIONAL_CALL(verifyChain, handle, id, ok);
}
int LibrarySupplicant::CredServerVerifyCA(int handle, uint32_t id, acObject ca, int* ok) {
  return OPTIONAL_CALL(verifyCa, handle, id, ca, ok);
}
int LibrarySupplicant::CredServerVerifyDomain(int handle, uint32_t id, int field,
                                              const std::string& name, int suffix, int* ok) {
  return OPTIONAL_CALL(verifyDomain, handle, id, field, name.c_str(), suffix, ok);
}
int LibrarySupplicant::CredServerVerifyField(int handle, uint32_t id, int field,
                                             const std::string& name, int suffix, int* ok) {
  return OPTIONAL_CALL(verifyField, handle, id, field, name.c_str(), suffix, ok);
}
int LibrarySupplicant::CredServerGetField(int handle, uint32_t id, int index, std::string* text) {
  return TextFrom<kFieldBytes>(
      [&](char* b, int n) { return OPTIONAL_CALL(serverField, handle, id, index, b, n); }, text);
}
int LibrarySupplicant::CredServerVerified(int handle, uint32_t id, int trusted) {
  return OPTIONAL_CALL(serverVerified, handle, id, trusted);
}
int LibrarySupplicant::CredGetEapFASTMode(int handle, uint32_t id, int* mode) {
  return OPTIONAL_CALL(fastMode, handle, id, mode);
}
int LibrarySupplicant::CredGetEapFASTAID(int handle, uint32_t id, size_t room,
                                         std::vector<uint8_t>* aid) {
  std::vector<uint8_t> buffer(room);
  int length = 0;
  const int result = OPTIONAL_CALL(fastAid, handle, id, buffer.data(), int(room), &length);
  if (result != AC_OK) return result;
  // A length past the room is the library's fault; what is not in the buffer is not read.
  buffer.resize(std::min(room, size_t(std::max(length, 0))));
  *aid = std::move(buffer);
  return result;
}
int LibrarySupplicant::CredEapFASTPacTypes(int handle, uint32_t id, std::span<const int> types) {
  return OPTIONAL_CALL(pacTypes, handle, id, types.empty() ? nullptr : types.data(),
                       int(types.size()));
}
int LibrarySupplicant::CredEapFASTProvisionModes(int handle, uint32_t id,
                                                 std::span<const int> modes) {
  return OPTIONAL_CALL(provisionModes, handle, id, modes.empty() ? nullptr : modes.data(),
                       int(modes.size()));
}
int LibrarySupplicant::EapFASTPacCreate(acObject* out) {
  return OPTIONAL_CALL(pacCreate, out);
}
int LibrarySupplicant::EapFASTPacSet(acObject pac, int part, std::span<const uint8_t> data) {
  return OPTIONAL_CALL(pacSet, pac, part, data.data(), int(data.size()));
}
int LibrarySupplicant::EapFASTPacDestroy(acObject pac) {
  return OPTIONAL_CALL(pacDestroy, pac);
}
int LibrarySupplicant::CredEapFASTPac(int handle, uint32_t id, acObject pac) {
  return OPTIONAL_CALL(credPac, handle, id, pac);
}
int LibrarySupplicant::CredGetEapFASTPac(int handle, uint32_t id, int part, std::span<uint8_t> data,
                                         int* length) {
  return OPTIONAL_CALL(getPac, handle, id, part, data.data(), int(data.size()), length);
}
int LibrarySupplicant::CertUrlWin32String(int kind, std::span<const uint8_t> blob,
                                          std::string* url) {
  return TextFrom<kUrlBytes>(
      [&](char* b, int n) {
        return OPTIONAL_CALL(certUrl, kind, blob.data(), int(blob.size()), b, n);
      },
      url);
}
int LibrarySupplicant::CertCreate(acObject* out, const std::string& url) {
  return OPTIONAL_CALL(certCreate, out, url.c_str());
}
int LibrarySupplicant::CertGetField(acObject certificate, int field, std::string* text) {
  return TextFrom<kFieldBytes>(
      [&](char* b, int n) { return OPTIONAL_CALL(certField, certificate, field, b, n); }, text);
}
int LibrarySupplicant::CertDestroy(acObject certificate) {
  return OPTIONAL_CALL(certDestroy, certificate);
}
int LibrarySupplicant::CcxEnable(int handle, int on) {
  return OPTIONAL_CALL(ccxEnable, handle, on);
}
int LibrarySupplicant::CcxRadioCfg(int handle, uint32_t config) {
  return OPTIONAL_CALL(ccxRadio, handle, config);
}
int LibrarySupplicant::CcxGetRadioCfg(int handle, uint32_t* config) {
  return OPTIONAL_CALL(ccxGetRadio, handle, config);
}
int LibrarySupplicant::CcxRogueApTimeout(int handle, int seconds) {
  return OPTIONAL_CALL(ccxRogueTimeout, handle, seconds);
}
int LibrarySupplicant::CredCcxRogueAP(int handle, uint32_t id, int report) {
  return OPTIONAL_CALL(ccxRogue, handle, id, report);
}

}  // namespace kavo9::dot1x
