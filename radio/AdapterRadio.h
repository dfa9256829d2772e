#pragma once
// The process's radio state bound to the adapter: the adapter-ready steps that fill it (the 40 MHz
// permissions, the country regions and the stored channel they allow) and the channels the
// current mode and regions allow.

#include <vector>

#include "common/adapter/AdapterPort.h"
#include "common/adapter/DriverPort.h"
#include "radio/RadioPorts.h"
#include "radio/RadioState.h"

namespace kavo9::radio {

class AdapterRadio {
 public:
  AdapterRadio(RadioState& state, const AdapterPort& adapter, DriverPort& driver,
               RadioStorePort& store)
      : state_(state), adapter_(adapter), driver_(driver), store_(store) {}

  // The two 40 MHz permissions from the EEPROM (802.11n adapters only).
  void ReadHtPermissions();
  // The region word from the driver and a stored channel the regions no longer allow corrected.
  void RefreshChannels();
  // The channels of the current wireless mode and country regions.
  std::vector<int> AllowedChannels() const;

 private:
  // Tells the state which adapter it describes.
  void TakeAdapter();

  RadioState& state_;
  const AdapterPort& adapter_;
  DriverPort& driver_;
  RadioStorePort& store_;
};

}  // namespace kavo9::radio
