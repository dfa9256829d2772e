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
#include <span>
#include <string>
#include <string_view>
#include <vector>

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
  // The prompts the library shows with an identity or password request (at most 512 bytes).
  virtual int CredGetIdentityPrompt(int handle, uint32_t id, std::string* prompt) = 0;
  virtual int CredGetPasswordPrompt(int handle, uint32_t id, std::string* prompt) = 0;
  virtual int CredGetEapMethod(int handle, uint32_t id, int level, int* method) = 0;
  virtual int CredEapMethods(int handle, uint32_t id, int method, int offer) = 0;
  virtual int CredEapTTLSTunnelMethod(int handle, uint32_t id, int method) = 0;
  virtual int CredUserCert(int handle, uint32_t id, acObject certificate) = 0;
  virtual int CredMachineIdentity(int handle, uint32_t id, acObject identity) = 0;
  // The notification text (at most 255 bytes).
  virtual int CredGetEapNotification(int handle, uint32_t id, std::string* text) = 0;

  // The server check: each verify call sets `ok` (1 passes).
  virtual int CredServerVerifyChain(int handle, uint32_t id, int* ok) = 0;
  virtual int CredServerVerifyCA(int handle, uint32_t id, acObject caCertificate, int* ok) = 0;
  virtual int CredServerVerifyDomain(int handle, uint32_t id, int field, const std::string& name,
                                     int suffix, int* ok) = 0;
  virtual int CredServerVerifyField(int handle, uint32_t id, int field, const std::string& name,
                                    int suffix, int* ok) = 0;
  // Field `index` of the server's certificate as text; AC_ERR_NO_MORE_FIELDS past the last.
  virtual int CredServerGetField(int handle, uint32_t id, int index, std::string* text) = 0;
  virtual int CredServerVerified(int handle, uint32_t id, int trusted) = 0;

  // EAP-FAST.
  virtual int CredGetEapFASTMode(int handle, uint32_t id, int* mode) = 0;
  // The server's A-ID, at most `room` bytes.
  virtual int CredGetEapFASTAID(int handle, uint32_t id, size_t room,
                                std::vector<uint8_t>* aid) = 0;
  virtual int CredEapFASTPacTypes(int handle, uint32_t id, std::span<const int> types) = 0;
  virtual int CredEapFASTProvisionModes(int handle, uint32_t id, std::span<const int> modes) = 0;
  virtual int EapFASTPacCreate(acObject* out) = 0;
  virtual int EapFASTPacSet(acObject pac, int part, std::span<const uint8_t> data) = 0;
  virtual int EapFASTPacDestroy(acObject pac) = 0;
  // A PAC for a request of type AC_CRED_FAST_PAC; null answers that there is none.
  virtual int CredEapFASTPac(int handle, uint32_t id, acObject pac) = 0;
  // One part of the PAC the server provisioned, into `data` (its size is the room); `length`
  // is what the part took.
  virtual int CredGetEapFASTPac(int handle, uint32_t id, int part, std::span<uint8_t> data,
                                int* length) = 0;

  // Certificates: the reference text of a stored blob, and the library object made from it.
  virtual int CertUrlWin32String(int kind, std::span<const uint8_t> blob, std::string* url) = 0;
  virtual int CertCreate(acObject* out, const std::string& url) = 0;
  virtual int CertGetField(acObject certificate, int field, std::string* text) = 0;
  virtual int CertDestroy(acObject certificate) = 0;

  // CCX.
  virtual int CcxEnable(int handle, int on) = 0;
  virtual int CcxRadioCfg(int handle, uint32_t config) = 0;
  virtual int CcxGetRadioCfg(int handle, uint32_t* config) = 0;
  virtual int CcxRogueApTimeout(int handle, int seconds) = 0;
  virtual int CredCcxRogueAP(int handle, uint32_t id, int report) = 0;

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
