#pragma once
// The CCX settings word on its way to the driver: a connect record's own word before its join,
// the adapter key's word again after every join and whenever a settings page applies it.

#include "common/adapter/AdapterPort.h"
#include "common/adapter/DriverPort.h"
#include "common/platform/Registry.h"
#include "station/shell/controller/ControllerPorts.h"

namespace kavo9::ccx {

class CcxControl : public CcxPort {
 public:
  CcxControl(DriverPort& driver, Registry& registry, const AdapterPort& adapter)
      : driver_(driver), registry_(registry), adapter_(adapter) {}

  void SendControl(uint32_t word, bool bssidBound) override;
  void RefreshControl(bool bssidBound) override;

 private:
  DriverPort& driver_;
  Registry& registry_;
  const AdapterPort& adapter_;
};

}  // namespace kavo9::ccx
