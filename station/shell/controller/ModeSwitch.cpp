#include "station/shell/controller/ModeSwitch.h"

#include "common/shell/ModeHandOver.h"

namespace kavo9 {

void ModeSwitch::SwitchToAccessPoint() {
  const ControllerParts& p = c_.parts;
  if (!c_.state.radioOn) {
    c_.ShowMessage("IDS_INVAILDRADIOOFF");
    return;
  }
  if (p.supplicant.IsRunning()) {
    p.supplicant.ReleasePorts();
    p.supplicant.Stop();
  }
  configTool_.StopWirelessServiceOnDemand();

  endingForApSwitch_ = true;
  endController_();

  Registry& registry = *p.platform.registry;
  const std::string key = c_.AdapterKey();
  SaveStationValues(registry, p.store, key);
  LoadAccessPointValues(registry, p.store, key);
  SetOperatingMode(p.store, p.driver, key, kOpModeAccessPoint);
  StartTsSwap(*p.platform.launcher, kOpModeAccessPoint, p.adapter.Identity().hardwareIdPrefix);
}

}  // namespace kavo9
