#pragma once
// The radio steps of the adapter-ready routine: the country region refresh, which also corrects a
// stored channel the region no longer allows, and the 40 MHz permissions from the EEPROM.

#include <optional>
#include <vector>

#include "radio/RadioPorts.h"
#include "radio/RadioState.h"

namespace kavo9::radio {

struct RegionRefreshResult {
  bool keyOpened = false;               // false: the adapter key could not be opened
  std::vector<int> allowed;             // the channels of the current mode and regions
  std::optional<int> correctedChannel;  // the channel written when the stored one was not allowed
};

// Reads the region word from the driver into `state.region`, the stored wireless mode
// (normalised) into `state.wirelessMode`, and replaces a missing or disallowed `Channel` of the
// adapter key, and of its "Default" subkey, with the first allowed channel.
RegionRefreshResult RefreshCountryRegion(RadioState& state, DriverPort& driver,
                                         RadioStorePort& store);

// Reads the two 40 MHz permissions from the EEPROM into `state.bw40` (802.11n adapters only).
void ReadBw40Permissions(RadioState& state, DriverPort& driver);

}  // namespace kavo9::radio
