// Handing the adapter over to the soft-AP utility: the station values are kept in the adapter
// key's "Default" subkey, the access-point values come in from "ApDefault", and the switching
// program starts the other utility.

#include "common/adapter/RequestCatalogue.h"
#include "common/platform/ProcessLauncher.h"
#include "station/shell/controller/CHideDlg.h"

namespace kavo9 {

void CHideDlg::SwitchToAccessPoint() {
  if (!radioOn_) {
    parts_.mainWindow->ShowMessageBox("Kavo9", parts_.language->Text("IDS_INVAILDRADIOOFF"),
                                      parts_.language->Text("IDS_OK"));
    return;
  }
  if (parts_.supplicant->IsRunning()) {
    parts_.supplicant->ReleasePorts();
    parts_.supplicant->Stop();
  }
  StopWirelessServiceOnDemand();

  // Ending first, marked so that destruction does not save the station values a second time.
  endingForApSwitch_ = true;
  CloseController();

  SaveStationValues();
  const std::string key = adapter_.Facts().registryKey;
  if (!key.empty()) CopyRegistryValues(key + "\\ApDefault", key);
  WriteAdapterText("OpMode", "1", StorePort::Area::kAdvanced);
  SetDriverValue(OID_VND_OP_MODE, 1);
  platform_.launcher->WinExec(
      "\"TsSwap.exe\" ON Stavio Hostira \"Norvik Wireless\" \"Kavo9 Utility\" " +
          adapter_.Facts().hardwareIdPrefix,
      SW_SHOWMINIMIZED);
}

}  // namespace kavo9
