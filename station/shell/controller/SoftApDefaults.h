#pragma once
// The access-point record the station prepares for the soft-AP utility: created with its defaults
// at adapter-ready when the adapter has none, so that a switch to access-point mode always has
// values to copy.

#include "common/adapter/AdapterPort.h"
#include "common/adapter/DriverPort.h"
#include "common/platform/Registry.h"
#include "common/shell/StorePort.h"
#include "station/shell/controller/ControllerPorts.h"

namespace kavo9 {

class SoftApDefaults : public SoftApDefaultsPort {
 public:
  SoftApDefaults(Registry& registry, StorePort& store, DriverPort& driver, AdapterPort& adapter)
      : registry_(registry), store_(store), driver_(driver), adapter_(adapter) {}

  void CreateIfMissing() override;

 private:
  Registry& registry_;
  StorePort& store_;
  DriverPort& driver_;
  AdapterPort& adapter_;
};

}  // namespace kavo9
