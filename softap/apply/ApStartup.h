#pragma once
// The registry steps of the access point's start-up: the transmit-burst choice the station side
// prepared taken over once, the record completed and copied into the adapter key, and on the
// oldest chips the stored channel checked against the driver's country regions.

#include <string>

#include "common/adapter/DriverPort.h"
#include "common/platform/Registry.h"
#include "common/shell/StorePort.h"
#include "softap/record/ApRuntimeState.h"

namespace kavo9::softap {

class ApStartup {
 public:
  ApStartup(Registry& registry, StorePort& store, DriverPort& driver, ApRuntimeState& state)
      : registry_(registry), store_(store), driver_(driver), state_(state) {}

  // The adapter key's TXBurst goes into the record once, when the station side marked it with
  // RunOnceInitConfigTxBurst and the record has no such mark yet.
  void TakeOverTxBurst();
  // Adds AllowBW40Capability "1", CountryRegion "0" and CountryRegionABand "0" to the record when
  // missing, then copies the record into the adapter key. False when nothing was copied.
  bool EnsureAndCopy();
  // Chips of family 0 and 1: the stored channel must be one the driver's regions allow for the
  // wireless mode; otherwise the first allowed one is stored. The editable regions are stored.
  void CheckChannelForOlderChips();
  // Every other chip: the driver's region word and which regions may be chosen.
  void ReadCountryRegion();

  std::string RecordPath() const;

 private:
  Registry& registry_;
  StorePort& store_;
  DriverPort& driver_;
  ApRuntimeState& state_;
};

}  // namespace kavo9::softap
