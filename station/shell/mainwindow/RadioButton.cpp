#include "station/shell/mainwindow/RadioButton.h"

#include "common/shell/ConfigToolState.h"
#include "station/shell/mainwindow/MainWindowIds.h"

namespace kavo9 {

int RadioIcon(bool radioOn) {
  return radioOn ? mainwindow::kRadioOnIcon : mainwindow::kRadioOffIcon;
}

bool ToggleRadio(RadioHost& host) {
  bool on = !host.RadioOn();
  host.SetRadioOnFlag(on);
  host.SetAutoReconnect(on);
  host.SendRadioRequest(on);
  if (on && host.ConfigToolState() != kConfigToolService) {
    host.ClearSurveyConnectMarks();
    host.ConnectActiveProfile(1);
  }
  if (host.MaySetAdvanced()) {
    host.WriteRadioValue(on ? "0" : "1");
  }
  host.SetSurveyRebuildPending();
  host.RequestScan();
  return on;
}

}  // namespace kavo9
