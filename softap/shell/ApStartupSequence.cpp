// The controller's start-up sequence: the adapter into access-point operation, the record copied
// into the adapter key and applied to the driver, connection sharing started and the wireless
// service kept away. Also run after the configuration page stored a new record.

#include "common/adapter/DriverValues.h"
#include "common/adapter/RequestCatalogue.h"
#include "common/shell/AdapterKey.h"
#include "softap/apply/ApApply.h"
#include "softap/apply/ApStartup.h"
#include "softap/shell/CHideDlg.h"

namespace kavo9::softap {

void CHideDlg::RunStartupSequence(bool openSheet) {
  const ApControllerParts& p = parts_;
  ApRuntimeState& state = p.state;
  uint32_t mode = 0;
  if (QueryValue(p.driver, OID_VND_OP_MODE, &mode) && mode != kOpModeAccessPoint) {
    SetValue32(p.driver, OID_VND_OP_MODE, kOpModeAccessPoint);
  }
  StoreText(p.store, AdapterKey(), "OpMode", "1");

  busy_ = true;
  ApStartup steps(*p.platform.registry, p.store, p.driver, state);
  steps.TakeOverTxBurst();
  steps.EnsureAndCopy();
  p.adapter.ReadSupportedNetworkTypes();
  state.bandASupported = (p.adapter.NetworkTypesPresent() & (1u << Ndis802_11OFDM5)) != 0;
  if (state.chipKind == 0 || state.chipKind == 1) {
    steps.CheckChannelForOlderChips();
  } else {
    steps.ReadCountryRegion();
  }
  p.adapter.ReadDriverVersion();
  state.driverVersion = p.adapter.DriverVersion();
  busy_ = false;

  std::string allow;
  if (ReadMachineText(*p.platform.registry, AdapterKey(), "AllowBW40InBGBand", &allow)) {
    state.allowBw40InBgBand = allow == "1";
  }
  const ApKeyReader key(*p.platform.registry, AdapterKey());
  ApApply(p.driver, key, state, [&p] {
    if (p.sheet.IsOpen()) p.sheet.RecheckPages();
  }).Run();

  if (p.adapter.WindowsVersionCode() >= 8 && p.sharing.Available()) p.sharing.Enable();
  StopWirelessService();
  if (openSheet) OpenSheet();
}

}  // namespace kavo9::softap
