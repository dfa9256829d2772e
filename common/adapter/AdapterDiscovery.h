#pragma once
// Finding the adapter: the present network devices whose hardware identifier belongs to a
// supported family and whose driver device opens; the user chooses when several qualify.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/adapter/AdapterAccess.h"
#include "common/adapter/AdapterChooser.h"
#include "common/adapter/ChipFamilies.h"

namespace kavo9 {

// Extra adapters listed in the settings file. When it lists at least one, only these are
// supported and the built-in tables are ignored.
struct IniDeviceEntry {
  std::string prefix;  // upper-cased, at most 21 characters
  int code;            // the family of the section it was listed in
};
using IniDeviceLists = std::vector<IniDeviceEntry>;

// Reads the lists: for each section of the utility, keys DeviceID_1, DeviceID_2 ... until the
// first missing or empty one. `read(section, key)` returns the value ("" when missing).
IniDeviceLists ReadIniDeviceLists(
    Utility utility, const std::function<std::string(std::string_view, std::string_view)>& read);

// The same from the settings file (Stavio.ini, Hostira.ini); a missing file lists nothing.
IniDeviceLists ReadIniDeviceLists(Utility utility, const std::filesystem::path& settingsFile);

struct HardwareMatch {
  int code;
  AdapterBus bus;
};
// Matches a hardware identifier against the settings-file lists when they hold anything, else
// against the USB table and then the PCI table. Only the first 21 characters, upper-cased, count.
std::optional<HardwareMatch> MatchHardwareId(Utility utility, const IniDeviceLists& lists,
                                             std::string_view hardwareId);

// The registry key of a device's driver settings below HKEY_LOCAL_MACHINE, as the driver
// reads it on this system.
std::string AdapterRegistryKeyFor(int windowsVersionCode, std::string_view driverKeyName);

// Looks for the adapter and publishes it into `access` (device path and identity). False when no
// supported adapter whose device opens is present, or the chosen one's instance id cannot be
// read; `access` is then left as it was. `chooser` may be null: the first candidate is taken.
bool DiscoverAdapter(AdapterAccess& access, const IniDeviceLists& lists, AdapterChooser* chooser);

}  // namespace kavo9
