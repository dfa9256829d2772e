#pragma once
// What the access point's configuration page shows and does, without the window: the network
// name, band, channel and country regions, the radio values, the 802.11n group and the security
// settings; which control is shown and enabled; the lists of the combos; Default and Apply, which
// checks, stores the record and has the controller apply it again.
//
// The window (CConfigPage) renders this model and hands the user's choices to it. Values without
// side effects are written straight into values(); choices that move other controls go through the
// Choose... calls.

#include <string>
#include <vector>

#include "common/adapter/DriverPort.h"
#include "common/platform/Registry.h"
#include "common/shell/SettingsFile.h"
#include "common/shell/StorePort.h"
#include "radio/ht/HtSetting.h"
#include "softap/config/ApSecurity.h"
#include "softap/record/ApKeyReader.h"
#include "softap/record/ApRuntimeState.h"

namespace kavo9::softap {

// The controller's side of the page.
class ConfigPageHost {
 public:
  virtual ~ConfigPageHost() = default;
  // The program's message box with the text of a string number.
  virtual void ShowMessage(int stringId) = 0;
  // Copies the stored record into the adapter key and applies it to the driver.
  virtual void RunStartupSequence() = 0;
};

inline constexpr size_t kMaxSsidBytes = 32;
inline constexpr long kMinBeacon = 20;
inline constexpr long kMaxBeacon = 1000;
inline constexpr long kMinIdle = 60;
inline constexpr long kMaxIdle = 3600;
inline constexpr long kDefaultIdle = 300;
inline constexpr long kDefaultBeacon = 100;
// The thresholds that switch RTS and fragmentation off: each the top of its own range.
inline constexpr long kDefaultRts = 2347;
inline constexpr long kDefaultFrag = 2346;
inline constexpr const char* kNoExtension = "none";
inline constexpr const char* kMcsAutoText = "Auto";

struct ApConfigValues {
  std::string ssid;
  bool band5 = false;
  std::string channel;  // the channel combo's text
  int region24 = 0;
  int region5 = 0;
  long beaconPeriod = kDefaultBeacon;
  int txPower = 0;
  int txRate = 0;
  int bgProtection = 0;
  int preamble = 0;
  long rtsThreshold = kDefaultRts;
  long fragThreshold = kDefaultFrag;
  bool txBurst = true;
  bool noForwarding = false;
  bool hideSsid = false;
  bool turboRate = false;
  bool shortSlot = true;
  bool autoChannel = false;
  long idleTime = kDefaultIdle;
  bool allow40 = true;
  // 802.11n: width, guard interval, STBC, HT mode and MCS (its mode and extension code are
  // derived when stored).
  radio::HtSetting ht{.mcs = radio::kMcsAuto, .width40 = 1, .shortGuard = 1, .stbc = 1};
  std::string extChannel = kNoExtension;
  ApSecurity security;
};

// Which controls are shown and enabled.
struct ConfigControls {
  bool band5Offered = false;
  bool region24Shown = true;
  bool region24Enabled = true;
  bool region5Shown = false;
  bool region5Enabled = true;
  bool txRateShown = false;
  bool protectionShown = false;
  bool protectionEnabled = true;
  bool htGroupShown = false;
  bool allow40Shown = false;
  bool allow40Enabled = true;
  bool allow40Checked = false;
};

// The text cut to the longest whole-character prefix of at most 32 bytes (UTF-8).
std::string LimitSsid(const std::string& text);

// The channel combo's text of a channel (the Japanese channels as "J8", "J12", "J16"), and back;
// a text that is no channel gives 0.
std::string ChannelText(int channel, uint32_t japanBase);
long ChannelFromText(const std::string& text, uint32_t japanBase);

// The combo texts that do not depend on the adapter.
const std::vector<std::string>& TxPowerEntries();
const std::vector<std::string>& ProtectionEntries();
const std::vector<std::string>& Region24Entries();
std::vector<std::string> Region5Entries(int chipKind);
std::vector<std::string> TxRateEntries(uint32_t mode);
std::vector<std::string> McsEntries();

class ConfigPageModel {
 public:
  ConfigPageModel(ApRuntimeState& state, Registry& registry, StorePort& store, DriverPort& driver,
                  const SettingsPort& settings, ConfigPageHost& host);

  // Loads the adapter key and lays the page out (once, when the page is created).
  void Create();

  // The user's choices.
  void ChooseBand(bool band5);
  void ChooseChannel(const std::string& text);
  void ChooseRegion24(int index);
  void ChooseRegion5(int index);
  void SetAllow40(bool checked);
  void UseMacAddress();
  void RestoreDefaults();
  void SetSecurity(const ApSecurity& security) { values_.security = security; }
  // False when a check refused it (its message has been shown).
  bool Apply();

  ApConfigValues& values() { return values_; }
  const ApConfigValues& values() const { return values_; }
  ConfigControls Controls() const;
  uint32_t Mode() const;
  const std::string& MacText() const { return macText_; }

  std::vector<std::string> ChannelEntries() const;
  std::vector<std::string> ExtChannelEntries() const;
  std::vector<std::string> CurrentTxRateEntries() const { return TxRateEntries(Mode()); }
  std::vector<std::string> Region5Texts() const { return Region5Entries(state_.chipKind); }

 private:
  void Load();
  void LoadSecurity(const ApKeyReader& key);
  void LoadHt(const ApKeyReader& key);
  void LayOutForBand();
  void RebuildChannels();
  void RebuildExtension();
  bool Allow40Forced() const;
  int Span24() const;
  bool HtSettingOn() const;
  void Store();
  void StoreSecurity(const std::string& path);
  void StoreHt(const std::string& path);

  ApRuntimeState& state_;
  Registry& registry_;
  StorePort& store_;
  DriverPort& driver_;
  const SettingsPort& settings_;
  ConfigPageHost& host_;
  ApConfigValues values_;
  std::string macText_;
  uint8_t lastMacByte_ = 0;
};

}  // namespace kavo9::softap
