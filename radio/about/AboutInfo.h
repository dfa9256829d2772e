#pragma once
// What the About pages show: the utility's and the driver file's versions and dates, the EEPROM
// and firmware versions, the adapter's address and, in the access point, its IP settings.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "common/adapter/AdapterPort.h"
#include "common/adapter/ChipFamilies.h"
#include "common/adapter/DriverPort.h"
#include "common/platform/Platform.h"

namespace kavo9::radio {

// The vendor's web address the About pages' button opens.
inline constexpr std::string_view kVendorWebAddress = "http://www.norvik.example.com/";

struct AboutInfo {
  std::string utilityVersion, utilityDate, copyright;
  std::string driverVersion, driverDate;
  std::optional<std::string> eepromVersion;    // nullopt: the row is hidden
  std::optional<std::string> firmwareVersion;  // nullopt: the row stays hidden
  std::string macAddress;
};

struct AboutIpSettings {
  std::string ipAddress, subnetMask, gateway;
};

// "%d.%d.%d.%d" and "%m-%d-%Y".
std::string VersionText(const FileVersionInfo& info);
std::string DateText(const FileDate& date);
// The EEPROM version shows byte 0 then byte 1; the firmware version byte 1 then byte 0.
std::string EepromVersionText(uint32_t word);
std::string FirmwareVersionText(uint32_t word);

// The Windows path of the driver file of `family` for the running Windows (WindowsVersionCode),
// or nullopt for a version with none.
std::optional<std::string> DriverFilePath(const std::string& systemDirectory, int versionCode,
                                          bool wow64, const ChipFamily& family);

class AboutReader {
 public:
  AboutReader(Platform& platform, DriverPort& driver, const AdapterPort& adapter, Utility utility)
      : platform_(platform), driver_(driver), adapter_(adapter), utility_(utility) {}

  // Everything but the IP settings. Under WOW64 the driver file is read with the process's
  // file-system redirection switched off, and switched on again after.
  AboutInfo Read() const;
  // The IP settings of the system's adapter whose hardware address is `mac`; empty when none.
  AboutIpSettings IpSettings(std::span<const uint8_t> mac) const;

 private:
  void ReadUtility(AboutInfo* info) const;
  void ReadDriverFile(AboutInfo* info) const;

  Platform& platform_;
  DriverPort& driver_;
  const AdapterPort& adapter_;
  Utility utility_;
};

}  // namespace kavo9::radio
