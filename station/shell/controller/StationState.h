#pragma once
// What the station utility knows about itself for the whole process: who the user is, who
// configures the adapter, whether the radio is on, the session, and the connection the tick last
// saw. The controller keeps it current; the pages and the tray read it. One rule for each
// question lives here.

#include <array>
#include <cstdint>
#include <string>

#include "common/shell/ConfigToolState.h"
#include "common/shell/SettingsFile.h"

namespace kavo9 {

struct StationState {
  bool isAdministrator = false;
  bool wow64 = false;
  bool adapterAvailable = false;
  bool selecting = false;  // the adapter chooser is open: ticks and tray commands wait
  bool radioOn = true;
  int configToolState = kConfigToolNone;
  bool sessionActive = true;
  bool consoleDisconnected = false;
  bool keyError = false;  // the connected network is suspected of using a wrong WEP key
  bool ieee80211h = false;
  uint32_t psMode = 0;
  std::array<uint8_t, 6> currentBssid{};  // the BSSID the tick last read (zeros: not connected)
  std::string lastSsid;

  // Whether the Windows service is in charge of the adapter: the profile and WPS pages, Connect
  // and the utility's own scans wait.
  bool ServiceManagesAdapter() const { return configToolState == kConfigToolService; }
  // Whether this user may change profiles: an administrator, or the settings file allows standard
  // users (read anew, as every setting is).
  bool MaySetProfiles(const SettingsFile& settings) const {
    return isAdministrator || settings.IsSettingOn(settings::kAllowStandardUserSetProfile);
  }
  // Whether this user's advanced settings reach the registry.
  bool MaySetAdvanced(const SettingsFile& settings) const {
    return isAdministrator || settings.IsSettingOn(settings::kAllowStandardUserSetAdvance);
  }
};

}  // namespace kavo9
