#pragma once
// The one way the programs write the registry.
//
// Every write is tried directly first. When it fails, it may be handed to the privileged registry
// service, which performs it with administrative rights; the service is given key paths, not
// handles, so every operation also carries the key's path. Reads are plain registry reads on a
// key from StoreOpenKey and never involve the service.
//
// The station utility hands a write over only for a user who is not an administrator and only
// when the settings file allows standard users the write's area; it then reports success whether
// or not the service could be reached. The soft-AP utility hands every failed write over whenever
// the service listens, for any user, and reports success for every operation.

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "common/adapter/ChipFamilies.h"
#include "common/adapter/RegistryServiceClient.h"
#include "common/platform/Registry.h"

namespace kavo9 {

// What a write is about: profile data (station and WPS profiles, PAC paths, credentials) or
// everything else (radio, operating mode, tuning values).
enum class PolicyArea { kAdvanced = 0, kProfile = 1 };

struct StorePolicy {
  Utility utility = Utility::kStation;
  bool isAdministrator = false;
  // The settings file's switches (station utility only).
  bool allowStandardUserSetAdvance = true;
  bool allowStandardUserSetProfile = false;
};

// The station utility's policy: the two switches of the settings file's [Advance] section, on
// only when exactly "1" (advance defaults to on, profile to off).
StorePolicy StationStorePolicy(bool isAdministrator, const std::filesystem::path& settingsFile);

class ParameterStore {
 public:
  // `service` may be null (no service on this machine). The store binds to it at once.
  ParameterStore(Registry& registry, RegistryServiceClient* service, StorePolicy policy);
  ~ParameterStore();
  ParameterStore(const ParameterStore&) = delete;
  ParameterStore& operator=(const ParameterStore&) = delete;

  const StorePolicy& policy() const { return policy_; }
  bool IsBound() const { return service_ != nullptr && service_->IsBound(); }

  // Opens a key. When the open fails but the write could go to the service, success is reported
  // with `*key` 0: reads through it fail (the caller keeps its defaults) and writes through it
  // reach the service by `path`.
  int32_t StoreOpenKey(HKEY root, std::string_view path, uint32_t access, HKEY* key,
                       PolicyArea area);
  int32_t StoreSetValue(HKEY key, std::string_view name, uint32_t type, const uint8_t* data,
                        uint32_t length, std::string_view path, PolicyArea area,
                        HKEY root = HKEY_LOCAL_MACHINE);
  int32_t StoreCreateKey(HKEY root, std::string_view path, uint32_t access, HKEY* key,
                         PolicyArea area);
  int32_t StoreDeleteValue(HKEY key, std::string_view name, std::string_view path, PolicyArea area);
  int32_t StoreDeleteKey(HKEY key, std::string_view subKey, std::string_view path, PolicyArea area);
  int32_t StoreDeleteTree(HKEY key, std::string_view subKey, std::string_view path,
                          PolicyArea area);

 private:
  // Whether a failed direct write of `area` may go to the service at all.
  bool MayHandOver(PolicyArea area) const;
  // Handles a failed direct call: the error stays, or the request goes to the service.
  int32_t AfterDirect(int32_t error, PolicyArea area, ServiceRequest request);

  Registry& registry_;
  RegistryServiceClient* service_;
  StorePolicy policy_;
};

}  // namespace kavo9
