#pragma once
// The supplicant library "acAuth.dll", loaded through the DynamicLibrary seam the first time Init
// is asked for. A library that is missing, or lacks any entry point the binding calls, fails Init
// (AC_ERR_FAILED) and is never called.

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

  DynamicLibraryLoader* loader_;
  std::unique_ptr<DynamicLibrary> library_;
  std::unique_ptr<Api> api_;
  bool started_ = false;
};

}  // namespace kavo9::dot1x
