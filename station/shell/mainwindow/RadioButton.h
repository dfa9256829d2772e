#pragma once
// The radio on/off button: what one press does.

#include <string_view>

namespace kavo9 {

// What the radio button needs from the rest of the program.
class RadioHost {
 public:
  virtual ~RadioHost() = default;
  virtual bool RadioOn() const = 0;
  virtual void SetRadioOnFlag(bool on) = 0;
  virtual void SetAutoReconnect(bool on) = 0;
  // Sends the radio request to the driver (1 on, 0 off).
  virtual void SendRadioRequest(bool on) = 0;
  // 0 no Windows wireless service, 1 the service runs without managing the adapter, 2 it does.
  virtual int ConfigToolState() const = 0;
  virtual void ClearSurveyConnectMarks() = 0;
  virtual void ConnectActiveProfile(int mode) = 0;
  // An administrator, or standard users may change advanced settings.
  virtual bool MaySetAdvanced() const = 0;
  // Writes the adapter value `Radio` through the parameter store.
  virtual void WriteRadioValue(std::string_view value) = 0;
  virtual void SetSurveyRebuildPending() = 0;
  virtual void RequestScan() = 0;
};

// The icon of the radio button for a radio state.
int RadioIcon(bool radioOn);

// One press: flips the radio, tells the driver, reconnects when it came on, remembers the state
// when the user may change radio settings, and asks for a fresh scan. Returns the new state.
bool ToggleRadio(RadioHost& host);

}  // namespace kavo9
