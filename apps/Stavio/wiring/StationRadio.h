#pragma once
// The radio settings bound to the station: their registry values (read directly, written through
// the parameter store) and the region refresh of the adapter-ready routine.

#include "common/platform/Platform.h"
#include "radio/RadioPorts.h"
#include "radio/RadioState.h"
#include "station/shell/controller/ControllerSeams.h"
#include "station/shell/controller/StationPorts.h"

namespace kavo9 {

class StationRadioStore : public radio::RadioStore {
 public:
  StationRadioStore(Platform& platform, AdapterPort& adapter, ParameterStorePort& store)
      : platform_(platform), adapter_(adapter), store_(store) {}

  bool CanOpen(radio::RadioKey key, bool write) override;
  bool QueryValue(radio::RadioKey key, std::string_view name, uint32_t* type,
                  std::vector<uint8_t>* data) override;
  int32_t StoreSetValue(radio::RadioKey key, std::string_view name, uint32_t type,
                        const uint8_t* data, uint32_t length) override;
  int32_t StoreDeleteValue(radio::RadioKey key, std::string_view name) override;

 private:
  // The key's path below HKEY_LOCAL_MACHINE; empty while there is no adapter.
  std::string PathOf(radio::RadioKey key) const;
  uint32_t Access(radio::RadioKey key, uint32_t access) const;

  Platform& platform_;
  AdapterPort& adapter_;
  ParameterStorePort& store_;
};

// The adapter-ready step that reads the country regions and corrects the stored channel. It also
// tells the radio state which adapter it describes.
class StationRegionRefresh : public RegionRefreshSeam {
 public:
  StationRegionRefresh(radio::RadioState& state, AdapterPort& adapter,
                       radio::DriverRequests& driver, radio::RadioStore& store)
      : state_(state), adapter_(adapter), driver_(driver), store_(store) {}
  void RefreshChannels() override;

 private:
  radio::RadioState& state_;
  AdapterPort& adapter_;
  radio::DriverRequests& driver_;
  radio::RadioStore& store_;
};

}  // namespace kavo9
