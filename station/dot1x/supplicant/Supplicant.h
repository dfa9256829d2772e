#pragma once
// The supplicant library as the binding calls it: one method per library function it uses, with
// the library's own results (0 success, a negative error). LibrarySupplicant reaches the real
// library through the DynamicLibrary seam; ScriptedSupplicant (testing/) plays it in tests on
// virtual time.
//
// Threads: the library calls a port's SupplicantEvents on its own threads, never on the caller's
// thread; a handler may call back into the library.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/platform/AcAuthApi.h"

namespace kavo9::dot1x {

class SupplicantEvents {
 public:
  virtual ~SupplicantEvents() = default;
  // kind: AC_PORT_EVENT_LINK, _STATE or _STATUS.
  virtual void OnPortEvent(int kind) = 0;
  virtual void OnCredentialRequest(const acCredRequest& request) = 0;
};

class Supplicant {
 public:
  virtual ~Supplicant() = default;

  // acInit with the event-name filter, then the protocol initialisations in their order; the
  // first failure ends the chain and is returned.
  virtual int Init() = 0;
  virtual void Exit() = 0;
  virtual std::string ErrorText(int error) = 0;
  virtual int DebugEnable(int category, int on) = 0;

  // The port after `previous` ("" for the first); AC_ERR_NO_MORE after the last.
  virtual int NextPortName(const std::string& previous, std::string* name) = 0;
  virtual int PortAttr(const std::string& name, acPortAttr* attr) = 0;
  virtual int Attach(int* handle, const std::string& name, SupplicantEvents* events) = 0;
  virtual int Detach(int handle) = 0;

  virtual int CreatePsk(acObject* out, std::string_view passPhrase, std::string_view ssid) = 0;
  virtual int CreateBinaryPsk(acObject* out, const std::array<uint8_t, 32>& key) = 0;
  virtual int DestroyPsk(acObject psk) = 0;

  virtual int CreateIdentity(acObject* out, std::string_view text) = 0;
  virtual int DestroyIdentity(acObject identity) = 0;
  virtual int CreatePassword(acObject* out, std::string_view text) = 0;
  virtual int DestroyPassword(acObject password) = 0;

  // Answers to credential requests.
  virtual int CredComplete(int handle, uint32_t id) = 0;
  virtual int CredDeferred(int handle, uint32_t id) = 0;
  virtual int CredIdentity(int handle, uint32_t id, acObject identity) = 0;
  virtual int CredPassword(int handle, uint32_t id, acObject password) = 0;
  virtual int CredSessionStart(int handle, uint32_t id, int option) = 0;

  virtual int CredRsnPsk(int handle, acObject psk) = 0;
  virtual int PortAuth(int handle) = 0;
  virtual int PortAssociate(int handle, const acAssociation& association) = 0;
  virtual int PortDisassociate(int handle) = 0;
  virtual int PortStop(int handle) = 0;

  virtual int LinkState(int handle, int* state) = 0;
  virtual int State(int handle, int* state) = 0;
  virtual int Status(int handle, int* status) = 0;

  virtual int IpIsConnected(int handle, int* connected) = 0;
  virtual int IpDhcpIsEnabled(int handle, int* enabled) = 0;
  virtual int IpGetConfig(int handle, std::array<uint8_t, 4>* address) = 0;
  virtual int IpDhcpRenew(int handle) = 0;
};

}  // namespace kavo9::dot1x
