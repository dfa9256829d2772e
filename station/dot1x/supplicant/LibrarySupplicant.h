#pragma once
// The supplicant library "acAuth.dll", loaded through the DynamicLibrary seam the first time Init
// is asked for. A library that is missing, or lacks any entry point of pre-shared-key
// authentication, fails Init (AC_ERR_FAILED) and is never called. The EAP, certificate and CCX
// entry points, with the identity, password and answer calls, are looked up too; one a library
// lacks answers AC_ERR_FAILED, so an older library still serves pre-shared keys.

#include <memory>

#include "common/platform/DynamicLibrary.h"
#include "station/dot1x/supplicant/Supplicant.h"

namespace kavo9::dot1x {

inline constexpr const char* kSupplicantLibrary = "acAuth.dll";

class LibrarySupplicant : public Supplicant {
 public:
  // `loader` may be null: no library, Init fails.
  explicit LibrarySupplicant(DynamicLibraryLoader* loader);
  ~LibrarySupplicant() override;

  int Init() override;
  void Exit() override;
  std::string ErrorText(int error) override;
  int DebugEnable(int category, int on) override;
  int NextPortName(const std::string& previous, std::string* name) override;
  int PortAttr(const std::string& name, acPortAttr* attr) override;
  int Attach(int* handle, const std::string& name, SupplicantEvents* events) override;
  int Detach(int handle) override;
  int CreatePsk(acObject* out, std::string_view passPhrase, std::string_view ssid) override;
  int CreateBinaryPsk(acObject* out, const std::array<uint8_t, 32>& key) override;
  int DestroyPsk(acObject psk) override;
  int CreateIdentity(acObject* out, std::string_view text) override;
  int DestroyIdentity(acObject identity) override;
  int CreatePassword(acObject* out, std::string_view text) override;
  int DestroyPassword(acObject password) override;
  int CredComplete(int handle, uint32_t id) override;
  int CredDeferred(int handle, uint32_t id) override;
  int CredIdentity(int handle, uint32_t id, acObject identity) override;
  int CredPassword(int handle, uint32_t id, acObject password) override;
  int CredSessionStart(int handle, uint32_t id, int option) override;
  int CredGetIdentityPrompt(int handle, uint32_t id, std::string* prompt) override;
  int CredGetPasswordPrompt(int handle, uint32_t id, std::string* prompt) override;
  int CredGetEapMethod(int handle, uint32_t id, int level, int* method) override;
  int CredEapMethods(int handle, uint32_t id, int method, int offer) override;
  int CredEapTTLSTunnelMethod(int handle, uint32_t id, int method) override;
  int CredUserCert(int handle, uint32_t id, acObject certificate) override;
  int CredMachineIdentity(int handle, uint32_t id, acObject identity) override;
  int CredGetEapNotification(int handle, uint32_t id, std::string* text) override;
  int CredServerVerifyChain(int handle, uint32_t id, int* ok) override;
  int CredServerVerifyCA(int handle, uint32_t id, acObject caCertificate, int* ok) override;
  int CredServerVerifyDomain(int handle, uint32_t id, int field, const std::string& name,
                             int suffix, int* ok) override;
  int CredServerVerifyField(int handle, uint32_t id, int field, const std::string& name, int suffix,
                            int* ok) override;
  int CredServerGetField(int handle, uint32_t id, int index, std::string* text) override;
  int CredServerVerified(int handle, uint32_t id, int trusted) override;
  int CredGetEapFASTMode(int handle, uint32_t id, int* mode) override;
  int CredGetEapFASTAID(int handle, uint32_t id, size_t room, std::vector<uint8_t>* aid) override;
  int CredEapFASTPacTypes(int handle, uint32_t id, std::span<const int> types) override;
  int CredEapFASTProvisionModes(int handle, uint32_t id, std::span<const int> modes) override;
  int EapFASTPacCreate(acObject* out) override;
  int EapFASTPacSet(acObject pac, int part, std::span<const uint8_t> data) override;
  int EapFASTPacDestroy(acObject pac) override;
  int CredEapFASTPac(int handle, uint32_t id, acObject pac) override;
  int CredGetEapFASTPac(int handle, uint32_t id, int part, std::span<uint8_t> data,
                        int* length) override;
  int CertUrlWin32String(int kind, std::span<const uint8_t> blob, std::string* url) override;
  int CertCreate(acObject* out, const std::string& url) override;
  int CertGetField(acObject certificate, int field, std::string* text) override;
  int CertDestroy(acObject certificate) override;
  int CcxEnable(int handle, int on) override;
  int CcxRadioCfg(int handle, uint32_t config) override;
  int CcxGetRadioCfg(int handle, uint32_t* config) override;
  int CcxRogueApTimeout(int handle, int seconds) override;
  int CredCcxRogueAP(int handle, uint32_t id, int report) override;
  int CredRsnPsk(int handle, acObject psk) override;
  int PortAuth(int handle) override;
  int PortAssociate(int handle, const acAssociation& association) override;
  int PortDisassociate(int handle) override;
  int PortStop(int handle) override;
  int LinkState(int handle, int* state) override;
  int State(int handle, int* state) override;
  int Status(int handle, int* status) override;
  int IpIsConnected(int handle, int* connected) override;
  int IpDhcpIsEnabled(int handle, int* enabled) override;
  int IpGetConfig(int handle, std::array<uint8_t, 4>* address) override;
  int IpDhcpRenew(int handle) override;

  struct Api;

 private:
  bool Load();
  void LoadOptional(DynamicLibrary& library);

  DynamicLibraryLoader* loader_;
  std::unique_ptr<DynamicLibrary> library_;
  std::unique_ptr<Api> api_;
  bool started_ = false;
};

}  // namespace kavo9::dot1x
