#pragma once
// What the station's advanced page shows and does, without the window: wireless mode, b/g
// protection, transmit rate, TX burst, TCP window tuning, the authentication-status switch,
// country regions and the 802.11n group; which control is shown and enabled; the checks of Apply
// and the registry values and driver requests it produces.
//
// The window (CPageAdvanceDlg) renders this model and forwards the user's choices to it. Values
// without side effects are written straight into values(); choices that move other controls go
// through the Choose... calls.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/platform/EventLoop.h"
#include "radio/AdvanceControls.h"
#include "radio/RadioPorts.h"
#include "radio/RadioState.h"
#include "radio/ht/HtSetting.h"
#include "radio/vocabulary/CcxControlWord.h"

namespace kavo9::radio {

// The controller's side of the page.
class AdvancePageHost {
 public:
  virtual ~AdvancePageHost() = default;
  // The program's message dialog, with the text of a language key.
  virtual void ShowMessage(std::string_view key) = 0;
  // The modeless message window (the channel-conflict warning).
  virtual void ShowModelessMessage(std::string_view key) = 0;
  // Sends the CCX control word again from the CCX settings.
  virtual void RefreshCcxControl() = 0;
  // The supplicant's switch for its authentication-status dialog.
  virtual void SetSupplicantShowStatus(bool show) = 0;
  // Whether the controller holds a connection it could make again, and doing so.
  virtual bool HasCurrentConnection() = 0;
  virtual void RequeueCurrentConnection() = 0;
  // Presses the site survey page's Rescan button.
  virtual void PressSiteSurveyRescan() = 0;
  // The radio settings changed: an open profile editor rebuilds its channel list.
  virtual void RadioSettingsChanged() = 0;
};

// What the page knows about the system and the user.
struct AdvancePageEnvironment {
  int windowsVersionCode = 8;
  bool isAdministrator = true;
  bool allowStandardUserSetAdvance = true;
};

// The page's values.
struct AdvanceValues {
  int wirelessMode = 0;
  int bgProtection = kBgAuto;
  int transRate = 0;
  bool txBurst = false;
  bool tcpWindow = false;
  bool showAuthStatus = false;
  int region24 = 0;
  int region5 = 0;
  CcxSettings ccx;
  HtSetting ht;  // its wireless mode is taken from wirelessMode when packed
};

struct ControlState {
  bool visible = true;
  bool enabled = true;
};

class AdvancePageModel {
 public:
  AdvancePageModel(RadioState& state, DriverPort& driver, RadioStorePort& store,
                   const TextPort& texts, const SettingsPort& settings, AdvancePageHost& host,
                   EventLoop& loop, AdvancePageEnvironment environment);
  ~AdvancePageModel();
  AdvancePageModel(const AdvancePageModel&) = delete;
  AdvancePageModel& operator=(const AdvancePageModel&) = delete;

  // Called when the page is created (once), shown and hidden.
  void Create();
  void Show();
  void Hide();

  // The user's choices.
  void ChooseWirelessMode(int index);  // index into WirelessModeEntries()
  void ChooseRegion24(int index);
  void ChooseRegion5(int index);
  void ChooseBgProtection(int value);
  void ChooseTxRate(int index);
  void ChooseMcs(int index);  // index into McsChoices()
  // The Apply button. False when a check refused it (its message has been shown).
  bool Apply();

  AdvanceValues& values() { return values_; }
  const AdvanceValues& values() const { return values_; }
  ControlState Control(int id) const;
  // The text of a control: its language text, or its own text without one.
  std::string ControlText(int id) const;

  std::vector<std::string> WirelessModeEntries() const;  // texts
  int WirelessModeIndex() const;                         // -1 when the mode has no entry
  std::vector<std::string> TxRateEntries() const;        // texts; empty until filled
  int TxRateIndex() const;                               // -1 when the index has no entry
  const std::vector<std::string>& Region24Entries() const { return region24Texts_; }
  const std::vector<std::string>& Region5Entries() const { return region5Texts_; }
  std::vector<std::string> McsEntries() const;
  int McsIndex() const;

  // Told after the model changed by itself (a timer tick).
  void SetChangedCallback(std::function<void()> callback) { changed_ = std::move(callback); }

 private:
  void OnTimer(TimerId id);
  void LoadValues();
  void LoadHtGroup();
  void ReadFromDriver();
  bool MustReadFromDriver() const;
  void ModeChanged(bool warn);
  // The region combos and the transmit-rate entries of the selected mode.
  void LayOutForMode();
  void UpdateVisibility();
  void SetControl(int id, bool visible, bool enabled);
  void SetVisible(int id, bool visible);
  void SetEnabled(int id, bool enabled);
  bool HtGroupVisible() const;
  std::string Setting(std::string_view key) const;
  std::string RegionText24() const;
  void WriteRegistry(int mode);
  void SendToDriver(int mode);
  bool BandChanged(std::string_view newKey) const;

  RadioState& state_;
  DriverPort& driver_;
  RadioStorePort& store_;
  const TextPort& texts_;
  const SettingsPort& settings_;
  AdvancePageHost& host_;
  AdvancePageEnvironment env_;
  std::unique_ptr<WindowTimers> timers_;
  std::function<void()> changed_;

  AdvanceValues values_;
  std::map<int, ControlState> controls_;
  std::vector<std::string_view> modeKeys_;
  std::vector<std::string_view> txRateKeys_;
  std::vector<std::string> region24Texts_;
  std::vector<std::string> region5Texts_;
  bool creating_ = false;

  // What the last apply (or the creation) left in force.
  std::string_view appliedBandKey_;
  std::string_view appliedModeKey_;
  int appliedRegion24_ = 0;
  int appliedRegion5_ = 0;
};

}  // namespace kavo9::radio
