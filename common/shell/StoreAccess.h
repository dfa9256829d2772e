#pragma once
// The parameter store of one program behind its StorePort: the policy of the program (Utility)
// and its user, and the privileged registry service for the writes a standard user may make.

#include <memory>

#include "common/adapter/ParameterStore.h"
#include "common/shell/StorePort.h"

namespace kavo9 {

class StoreAccess : public StorePort {
 public:
  // `service` may be null (no service on this machine).
  StoreAccess(Registry& registry, RegistryServiceClient* service, Utility utility)
      : registry_(registry), service_(service) {
    policy_.utility = utility;
  }

  void Bind(bool allowStandardUserSetAdvance, bool allowStandardUserSetProfile) override;
  void SetAdministrator(bool administrator) override;
  int32_t SetValue(std::string_view path, std::string_view name, uint32_t type, const uint8_t* data,
                   uint32_t length, Area area) override;
  int32_t DeleteValue(std::string_view path, std::string_view name, Area area) override;
  int32_t CreateKey(std::string_view path, Area area) override;
  int32_t DeleteTree(std::string_view path, Area area) override;
  bool CanWrite(std::string_view path, uint32_t access, Area area) override;
  void Release() override { store_.reset(); }

  // The store itself, once the policy is complete (null before SetAdministrator).
  ParameterStore* store() { return store_.get(); }

 private:
  // Opens `path` for writing through the store; `*key` is 0 when the writes go to the service.
  int32_t Open(std::string_view path, uint32_t access, PolicyArea area, HKEY* key);

  Registry& registry_;
  RegistryServiceClient* service_;
  StorePolicy policy_;
  std::unique_ptr<ParameterStore> store_;
};

}  // namespace kavo9
