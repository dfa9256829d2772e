#include "station/dot1x/supplicant/LibrarySupplicant.h"

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
  library_ = std::move(library);
  api_ = std::move(api);
  g_eventString = api_->eventString;
  return true;
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

#define CALL(fn, ...) (api_ ? api_->fn(__VA_ARGS__) : AC_ERR_NOT_STARTED)

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

}  // namespace kavo9::dot1x
