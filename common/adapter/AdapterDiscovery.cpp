#include "common/adapter/AdapterDiscovery.h"

#include <algorithm>
#include <cctype>

#include "common/adapter/WindowsVersion.h"
#include "common/platform/ProfileString.h"
#include "common/platform/Registry.h"

namespace kavo9 {
namespace {

constexpr std::string_view kDevicePrefix = "\\\\.\\";
constexpr std::string_view kControlClass = "System\\CurrentControlSet\\Control\\Class";
constexpr std::string_view kServicesClass = "System\\CurrentControlSet\\Services\\Class";
// The buffers the identifiers are read into: longer ones are cut (hardware id) or refused
// (instance id), as a fixed buffer would.
constexpr size_t kHardwareIdBuffer = 256;
constexpr uint32_t kInstanceIdBuffer = 128;

std::string Upper(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return result;
}

// The device's first hardware identifier as read into a fixed buffer, upper-cased.
std::string FirstHardwareId(const DeviceInstance& device) {
  if (device.hardwareIds.empty()) return {};
  return Upper(std::string_view(device.hardwareIds.front()).substr(0, kHardwareIdBuffer - 1));
}

// NetCfgInstanceId from the device's driver key; empty when the key or value cannot be read.
std::string ReadInstanceId(Registry& registry, const DeviceInstance& device) {
  if (device.driverKeyName.empty()) return {};
  std::string path = std::string(kControlClass) + "\\" + device.driverKeyName;
  ScopedKey key(registry);
  if (registry.OpenKey(HKEY_LOCAL_MACHINE, path, KEY_READ, &key) != ERROR_SUCCESS) return {};
  uint8_t data[kInstanceIdBuffer];
  uint32_t length = sizeof(data);
  uint32_t type = 0;
  if (registry.QueryValue(key.get(), "NetCfgInstanceId", &type, data, &length) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return {};
  }
  return RegStringFromBytes(data, length);
}

// The device path a candidate would be opened by; empty when none can be formed.
std::string TrialDevicePath(const AdapterAccess& access, const DeviceInstance& device,
                            const HardwareMatch& match) {
  int version = access.WindowsVersionCode();
  if (version == kWin98SE || version == kWinMe) {
    const ChipFamily* family = FindChipFamily(access.utility(), match.code);
    return family ? std::string(kDevicePrefix) + std::string(family->name) : std::string();
  }
  if (version >= kWin2000) {
    std::string id = ReadInstanceId(*access.platform().registry, device);
    return id.empty() ? std::string() : std::string(kDevicePrefix) + id;
  }
  return {};
}

bool DeviceOpens(DeviceIo& io, const std::string& path) {
  DeviceIo::Handle handle = io.Open(path);
  if (handle == DeviceIo::kInvalidHandle) return false;
  io.Close(handle);
  return true;
}

}  // namespace

IniDeviceLists ReadIniDeviceLists(
    Utility utility, const std::function<std::string(std::string_view, std::string_view)>& read) {
  IniDeviceLists lists;
  for (std::string_view section : IniDeviceSections(utility)) {
    const ChipFamily* family = nullptr;
    for (const ChipFamily& f : ChipFamilyTable(utility)) {
      if (f.iniSection == section) family = &f;
    }
    if (family == nullptr) continue;
    for (int n = 1;; ++n) {
      std::string value = read(section, "DeviceID_" + std::to_string(n));
      if (value.empty()) break;
      lists.push_back(
          {Upper(std::string_view(value).substr(0, kHardwareIdPrefixLength)), family->code});
    }
  }
  return lists;
}

IniDeviceLists ReadIniDeviceLists(Utility utility, const std::filesystem::path& settingsFile) {
  ProfileFile file = ProfileFile::Load(settingsFile);
  return ReadIniDeviceLists(utility, [&](std::string_view section, std::string_view key) {
    return file.Get(section, key, "", kHardwareIdBuffer);
  });
}

std::optional<HardwareMatch> MatchHardwareId(Utility utility, const IniDeviceLists& lists,
                                             std::string_view hardwareId) {
  std::string prefix = Upper(hardwareId.substr(0, kHardwareIdPrefixLength));
  if (!lists.empty()) {
    for (const IniDeviceEntry& entry : lists) {
      // An identifier shorter than the prefix can never name a device.
      if (entry.prefix.size() == kHardwareIdPrefixLength && entry.prefix == prefix) {
        const ChipFamily* family = FindChipFamily(utility, entry.code);
        return HardwareMatch{entry.code, family ? family->bus : AdapterBus::kNone};
      }
    }
    return std::nullopt;
  }
  for (AdapterBus bus : {AdapterBus::kUsb, AdapterBus::kPci}) {
    for (const HardwareIdRow& row : HardwareIdTable(utility, bus)) {
      if (row.prefix == prefix) return HardwareMatch{row.code, bus};
    }
  }
  return std::nullopt;
}

std::string AdapterRegistryKeyFor(int windowsVersionCode, std::string_view driverKeyName) {
  std::string_view base = windowsVersionCode >= kWin2000 ? kControlClass : kServicesClass;
  return std::string(base) + "\\" + std::string(driverKeyName);
}

bool DiscoverAdapter(AdapterAccess& access, const IniDeviceLists& lists, AdapterChooser* chooser) {
  Platform& platform = access.platform();
  std::vector<DeviceInstance> devices;
  if (!platform.deviceEnum->GetPresentDevices("Net", &devices)) return false;

  std::vector<size_t> candidates;
  for (size_t i = 0; i < devices.size(); ++i) {
    auto match = MatchHardwareId(access.utility(), lists, FirstHardwareId(devices[i]));
    if (!match) continue;
    std::string path = TrialDevicePath(access, devices[i], *match);
    if (!path.empty() && DeviceOpens(*platform.deviceIo, path)) candidates.push_back(i);
  }
  if (candidates.empty()) return false;

  size_t chosen = candidates.front();
  if (candidates.size() > 1 && chooser != nullptr) {
    size_t picked = chooser->Choose(devices, candidates);
    // Only a listed candidate can be taken; anything else keeps the first line.
    if (std::find(candidates.begin(), candidates.end(), picked) != candidates.end()) {
      chosen = picked;
    }
  }
  const DeviceInstance& device = devices[chosen];

  std::string hardwareId = FirstHardwareId(device);
  auto match = MatchHardwareId(access.utility(), lists, hardwareId);
  if (!match) return false;
  const ChipFamily* family = FindChipFamily(access.utility(), match->code);
  const int version = access.WindowsVersionCode();

  AdapterIdentity identity;
  identity.hardwareIdPrefix = hardwareId.substr(0, kHardwareIdPrefixLength);
  identity.chipKind = match->code;
  identity.bus = match->bus;
  identity.isFirstGenerationFamily = match->code == 0 || match->code == 1;
  identity.isHtFamily = version >= kWin2000 && family != nullptr && family->ht;
  identity.htVariant = family != nullptr ? family->htVariant : 0;

  std::string devicePath;
  if (version >= kWin2000) {
    identity.instanceId = ReadInstanceId(*platform.registry, device);
    if (identity.instanceId.empty()) return false;
    devicePath = std::string(kDevicePrefix) + identity.instanceId;
  } else {
    devicePath = TrialDevicePath(access, device, *match);
  }
  identity.registryKey = AdapterRegistryKeyFor(version, device.driverKeyName);
  access.Publish(std::move(devicePath), std::move(identity));
  return true;
}

}  // namespace kavo9
