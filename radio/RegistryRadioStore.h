#pragma once
// The radio settings' registry keys on the machine: the adapter key and its "Default" subkey as
// discovery found them, and the TCP/IP parameters (in the view the system keeps them in). Reads
// are plain registry reads; writes go through the parameter store, which may hand them to the
// privileged service. Both programs use it.

#include "common/adapter/AdapterPort.h"
#include "common/platform/Platform.h"
#include "common/shell/StorePort.h"
#include "radio/RadioPorts.h"

namespace kavo9::radio {

class RegistryRadioStore : public RadioStorePort {
 public:
  RegistryRadioStore(Platform& platform, const AdapterPort& adapter, StorePort& store)
      : platform_(platform), adapter_(adapter), store_(store) {}

  bool CanOpen(RadioKey key, bool write) override;
  bool QueryValue(RadioKey key, std::string_view name, uint32_t* type,
                  std::vector<uint8_t>* data) override;
  int32_t StoreSetValue(RadioKey key, std::string_view name, uint32_t type, const uint8_t* data,
                        uint32_t length) override;
  int32_t StoreDeleteValue(RadioKey key, std::string_view name) override;

  // The key's path below HKEY_LOCAL_MACHINE; empty while there is no adapter.
  std::string PathOf(RadioKey key) const;

 private:
  uint32_t Access(RadioKey key, uint32_t access) const;

  Platform& platform_;
  const AdapterPort& adapter_;
  StorePort& store_;
};

}  // namespace kavo9::radio
