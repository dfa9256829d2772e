#pragma once
// Applying the access point's configuration: the adapter key (just filled from the record) sent
// to the driver request by request, in the order the driver needs (region and mode before the
// channel, security before the keys, the network name after its security, then access control
// and wireless distribution).
//
// Values that are missing take the record's defaults; a step whose driver query fails is left
// out (its set would carry zeros for everything the query should have filled); nothing is reported.

#include <functional>

#include "common/adapter/DriverPort.h"
#include "softap/record/ApKeyReader.h"
#include "softap/record/ApRuntimeState.h"

namespace kavo9::softap {

class ApApply {
 public:
  // `recheckPages` runs once the cipher is settled, so that an open sheet can show it (may be
  // empty).
  ApApply(DriverPort& driver, const ApKeyReader& key, ApRuntimeState& state,
          std::function<void()> recheckPages = {})
      : driver_(driver), key_(key), state_(state), recheckPages_(std::move(recheckPages)) {}

  void Run();

  // The steps, in the order Run takes them.
  void ApplyCountryRegion();
  void ApplyWirelessMode();
  void ApplyTxPowerAndRates();
  void ApplyConfiguration();
  void ApplyHtPhy();
  void ApplyLinkSettings();  // preamble, RTS and fragmentation thresholds
  void ApplyApConfig();
  // Authentication and encryption; returns the corrected encryption code.
  uint32_t ApplySecurity(uint32_t auth);
  void ApplyWpaRecords(uint32_t auth, const std::string& ssid);
  void ApplyWepKeys();
  void ApplySsid(const std::string& ssid);
  void ApplyAccessControl();
  void ApplyWds(uint32_t auth, uint32_t encryption);

 private:
  // Queries a 32-bit value and sets `wanted` when the driver holds another one.
  void SetWhenDifferent(uint32_t oid, uint32_t wanted);

  DriverPort& driver_;
  const ApKeyReader& key_;
  ApRuntimeState& state_;
  std::function<void()> recheckPages_;
};

}  // namespace kavo9::softap
