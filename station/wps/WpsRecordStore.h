#pragma once
// The WPS record in the registry: "WSC" in the adapter key, and below it "WscProfile" with the
// table's count, the role, the band preference, the PIN, the last network's BSSID and channel, and
// one "Profile%d" key per slot (all eight, empty ones too). Writes go through the parameter
// store's profile area; reads open the keys directly. A key that cannot be opened ends that save
// or load quietly; a value that fails is skipped. Stored numbers and lengths are clamped to what
// the table holds.

#include <string>

#include "common/adapter/AdapterPort.h"
#include "common/platform/Registry.h"
#include "common/shell/StorePort.h"
#include "station/wps/WpsState.h"

namespace kavo9::wps {

struct WpsRecordStoreParts {
  const AdapterPort& adapter;
  Registry& registry;
  StorePort& store;
};

class WpsRecordStore {
 public:
  explicit WpsRecordStore(WpsRecordStoreParts parts) : p_(parts) {}

  std::string RecordKey() const;  // <adapter key>\WscProfile

  void SaveWpsRecord(const WpsState& state);
  // Writes "WSC", then reloads the BSSID and channel of the last WPS network.
  void SaveWscInUse(WpsState& state);
  // "WSC", the record and the count's slots into `state` (the table and BSSID are cleared first,
  // the channel back to 1).
  void LoadWpsRecord(WpsState& state);

 private:
  void ReadNetwork(WpsState& state);
  WpsRecordStoreParts p_;
};

}  // namespace kavo9::wps
