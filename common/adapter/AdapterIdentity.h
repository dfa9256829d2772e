#pragma once
// What discovery found out about the adapter in use. Discovery writes it; everyone else reads it
// through a const reference, so the pieces never hold a stale copy.

#include <string>

#include "common/adapter/ChipFamilies.h"

namespace kavo9 {

struct AdapterIdentity {
  std::string registryKey;       // below HKEY_LOCAL_MACHINE: "System\...\Class\{...}\0007"
  std::string instanceId;        // NetCfgInstanceId, a GUID in braces (empty before Windows 2000)
  std::string hardwareIdPrefix;  // first 21 upper-case characters of the first hardware id
  int chipKind = -1;             // the utility's family code; -1 before discovery
  AdapterBus bus = AdapterBus::kNone;
  bool isFirstGenerationFamily = false;
  bool isHtFamily = false;  // an 802.11n family on Windows 2000 or later
  int htVariant = 0;        // the soft-AP utility's 802.11n variant 1-3, else 0

  bool usb() const { return bus == AdapterBus::kUsb; }
};

}  // namespace kavo9
