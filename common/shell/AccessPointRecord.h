#pragma once
// The access-point record: the values kept in the adapter key's "ApDefault" subkey while the
// adapter serves as a station, copied into the adapter key when it becomes an access point. Both
// programs know it: the station utility creates it the first time it finds none, the soft-AP
// utility completes, copies and applies it.

#include <span>
#include <string>
#include <string_view>

#include "common/adapter/DriverPort.h"
#include "common/platform/Registry.h"
#include "common/shell/StorePort.h"

namespace kavo9 {

// Whether `name` is one of the record's own values (without regard to case). Only these are
// copied out of "ApDefault": a stray value planted there cannot overwrite the adapter's identity.
bool IsAccessPointValue(std::string_view name);
std::span<const std::string_view> AccessPointValueNames();

// One value of the record as it is created.
struct AccessPointDefault {
  std::string_view name;
  uint32_t type;  // REG_SZ or REG_MULTI_SZ (an empty list)
  std::string_view text;
};
// The record's values at creation, in the order they are written, except the network name.
std::span<const AccessPointDefault> AccessPointDefaults();
// "SoftAP-" and the last byte of the adapter's address as two upper-case hex digits.
std::string DefaultAccessPointSsid(uint8_t lastMacByte);

// Creates "ApDefault" with its defaults when the adapter key has none: the network name from the
// adapter's address (OID_802_3_CURRENT_ADDRESS; 00 when the driver does not answer), wireless mode
// 9 on 802.11n adapters and 0 otherwise. A record that lacks some of its created values gets
// those; no value that is there is changed. False when nothing was missing or the record could
// not be written completely.
bool CreateAccessPointRecordIfMissing(Registry& registry, StorePort& store, DriverPort& driver,
                                      std::string_view adapterKey, bool htFamily);

}  // namespace kavo9
