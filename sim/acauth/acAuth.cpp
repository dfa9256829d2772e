// acAuth, the stand-in of the supplicant library the station utility imports. Its ports are the
// simulated machine's adapters; it authenticates WPA and WPA2 personal links against the system
// daemon's authenticator with real keys (Engine.h, PskExchange.h), and 802.1X links against the
// daemon's authentication server (EapClient.h), answering credential requests through the
// program's callback (acAuthCredentials.cpp; certificates and PACs in acAuthObjects.cpp). The
// machine is the one the loader binds (Kavo9_BindMachine), else $KAVO9_MACHINE. Requests the
// program makes before acInit, or after acExit, fail with AC_ERR_NOT_STARTED.

#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>

#include "common/platform/AcAuthApi.h"
#include "sim/acauth/Engine.h"

#include "sim/acauth/LibraryState.h"

namespace {

using kavo9::acauth::Engine;

std::mutex g_lock;
std::string g_machine;
std::shared_ptr<Engine> g_engine;

std::shared_ptr<Engine> Current() {
  std::lock_guard hold(g_lock);
  return g_engine;
}

int MakeText(acObject* out, acObject_::Kind kind, const char* text, int length) {
  if (!out || length < 0 || (length > 0 && !text)) return AC_ERR_ARGUMENT;
  *out = new acObject_{};
  (*out)->kind = kind;
  (*out)->text.assign(text ? text : "", size_t(length));
  return AC_OK;
}

int NoOp() {
  return Current() ? AC_OK : AC_ERR_NOT_STARTED;
}

}  // namespace

namespace kavo9::acauth {

std::shared_ptr<Engine> CurrentEngine() {
  return Current();
}

int DestroyObject(acObject object, acObject_::Kind kind) {
  if (!object || object->kind != kind) return AC_ERR_ARGUMENT;
  delete object;
  return AC_OK;
}

}  // namespace kavo9::acauth

using kavo9::acauth::DestroyObject;

AC_API void Kavo9_BindMachine(const char* machineDir) {
  std::lock_guard hold(g_lock);
  g_machine = machineDir ? machineDir : "";
}

AC_API int acInit(const acInitParams*) {
  std::lock_guard hold(g_lock);
  if (g_engine) return AC_OK;
  std::string machine = g_machine;
  if (machine.empty()) {
    const char* env = std::getenv("KAVO9_MACHINE");
    machine = env ? env : "";
  }
  if (machine.empty()) return AC_ERR_NO_DAEMON;
  g_engine = std::make_shared<Engine>(machine);
  return AC_OK;
}

AC_API int acExit(void) {
  std::shared_ptr<Engine> engine;
  {
    std::lock_guard hold(g_lock);
    engine.swap(g_engine);
  }
  return AC_OK;  // the engine's thread ends with the last reference
}

AC_API int ac8021xInit(void) {
  return NoOp();
}
AC_API int acRsnInit(void) {
  return NoOp();
}
AC_API int acEapFASTInit(void) {
  return NoOp();
}
AC_API int acEapGTCInit(void) {
  return NoOp();
}
AC_API int acEapLEAPInit(void) {
  return NoOp();
}
AC_API int acEapMD5Init(void) {
  return NoOp();
}
AC_API int acEapMSCHAPv2Init(void) {
  return NoOp();
}
AC_API int acEapPEAPInit(void) {
  return NoOp();
}
AC_API int acEapTLSInit(void) {
  return NoOp();
}
AC_API int acEapTTLSInit(void) {
  return NoOp();
}
AC_API int acCcxInit(void) {
  return NoOp();
}
AC_API int acDebugEnable(int, int) {
  return AC_OK;
}
AC_API void acNetCallback(int, void*) {}

AC_API const char* acEventString(int event) {
  switch (event) {
    case AC_PORT_EVENT_LINK:
      return "AC_EVENT_LINK";
    case AC_PORT_EVENT_STATE:
      return "AC_EVENT_STATE";
    case AC_PORT_EVENT_STATUS:
      return "AC_EVENT_STATUS";
    default:
      return "AC_EVENT_UNKNOWN";
  }
}

AC_API const char* acErrorString(int error) {
  switch (error) {
    case AC_OK:
      return "success";
    case AC_ERR_ARGUMENT:
      return "invalid argument";
    case AC_ERR_NOT_STARTED:
      return "library not started";
    case AC_ERR_NO_PORT:
      return "no such port";
    case AC_ERR_NO_MORE:
      return "no more ports";
    case AC_ERR_NO_DAEMON:
      return "no machine to serve";
    case AC_ERR_NO_REQUEST:
      return "no such request";
    case AC_ERR_NO_MORE_FIELDS:
      return "no more fields";
    case AC_ERR_ALREADY_ANSWERED:
      return "request already answered";
    default:
      return "failed";
  }
}

AC_API int acGetNextPortSymName(const char* previous, char name[AC_PORT_NAME_BYTES]) {
  WITH_ENGINE(NextPortName(previous, name));
}
AC_API int acGetPortAttr(const char* name, acPortAttr* attr) {
  WITH_ENGINE(PortAttr(name, attr));
}
AC_API int acPortAttach(int* handle, const char* name, void* context, acPortEventFn events,
                        acCredRequestFn requests) {
  WITH_ENGINE(Attach(handle, name, context, events, requests));
}
AC_API int acPortDetach(int handle) {
  WITH_ENGINE(Detach(handle));
}

AC_API int acIdentityCreate(acObject* out, const char* text, int length) {
  return MakeText(out, acObject_::Kind::kIdentity, text, length);
}
AC_API int acIdentityDestroy(acObject o) {
  return DestroyObject(o, acObject_::Kind::kIdentity);
}
AC_API int acPasswordCreate(acObject* out, const char* text, int length) {
  return MakeText(out, acObject_::Kind::kPassword, text, length);
}
AC_API int acPasswordDestroy(acObject o) {
  return DestroyObject(o, acObject_::Kind::kPassword);
}

AC_API int acRsnPskCreate(acObject* out, const char* passPhrase, int length, const uint8_t* ssid,
                          int ssidLength) {
  if (!out || !passPhrase || length < 8 || length > 63 || !ssid || ssidLength < 0 ||
      ssidLength > 32) {
    return AC_ERR_ARGUMENT;
  }
  *out = new acObject_{};
  (*out)->kind = acObject_::Kind::kPsk;
  (*out)->text.assign(passPhrase, size_t(length));
  (*out)->ssid.assign(reinterpret_cast<const char*>(ssid), size_t(ssidLength));
  return AC_OK;
}

AC_API int acRsnBinPskCreate(acObject* out, const uint8_t key[32]) {
  if (!out || !key) return AC_ERR_ARGUMENT;
  kavo9::wpa::Pmk pmk{};
  std::memcpy(pmk.data(), key, pmk.size());
  *out = new acObject_{};
  (*out)->kind = acObject_::Kind::kPsk;
  (*out)->pmk = pmk;
  return AC_OK;
}
AC_API int acRsnPskDestroy(acObject o) {
  return DestroyObject(o, acObject_::Kind::kPsk);
}

AC_API int acCredRsnPsk(int handle, acObject psk) {
  WITH_ENGINE(SetPsk(handle, psk));
}
AC_API int acPortAuth(int handle) {
  WITH_ENGINE(Authorize(handle));
}
AC_API int acPortAssociate(int handle, const acAssociation* association) {
  if (!association) return AC_ERR_ARGUMENT;
  WITH_ENGINE(Associate(handle, *association));
}
AC_API int acPortDisassociate(int handle) {
  WITH_ENGINE(Stop(handle));
}
AC_API int acPortStop(int handle) {
  WITH_ENGINE(Stop(handle));
}

AC_API int acPortGetLinkState(int handle, int* state) {
  WITH_ENGINE(LinkState(handle, state));
}
AC_API int acPortGetState(int handle, int* state) {
  WITH_ENGINE(State(handle, state));
}
AC_API int acPortGetStatus(int handle, int* status) {
  WITH_ENGINE(Status(handle, status));
}

AC_API int acIpIsConnected(int handle, int* connected) {
  WITH_ENGINE(IpConnected(handle, connected));
}
AC_API int acIpDhcpIsEnabled(int, int* enabled) {
  if (!enabled) return AC_ERR_ARGUMENT;
  *enabled = 1;  // the simulated networks hand out addresses by DHCP
  return AC_OK;
}
AC_API int acIpGetConfig(int handle, uint8_t address[4]) {
  WITH_ENGINE(IpAddress(handle, address));
}
AC_API int acIpDhcpRenew(int handle) {
  int connected = 0;
  WITH_ENGINE(IpConnected(handle, &connected));
}
