#include "radio/about/AboutInfo.h"

#include <algorithm>
#include <cstdio>

#include "common/adapter/RequestCatalogue.h"
#include "radio/vocabulary/MacAddress.h"

namespace kavo9::radio {
namespace {

// WindowsVersionCode values the driver file depends on.
constexpr int kFirst9xCode = 3, kLast9xCode = 6, kWindows2000 = 7, kWindowsXp = 8, kServer2003 = 9,
              kWindowsXp64 = 10, kWindowsVista = 11;
// The driver file names by generation.
enum DriverGeneration { k9x = 0, k2000 = 1, kXp = 2, kVista32 = 3, kVista64 = 4 };
// Families from this code on report a firmware version.
constexpr int kFirstFirmwareFamily = 4;

}  // namespace

std::string VersionText(const FileVersionInfo& info) {
  char text[32];
  std::snprintf(text, sizeof text, "%d.%d.%d.%d", info.major, info.minor, info.build,
                info.revision);
  return text;
}

std::string DateText(const FileDate& date) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d-%02d-%04d", date.month % 100, date.day % 100,
                date.year % 10000);
  return text;
}

std::string EepromVersionText(uint32_t word) {
  return std::to_string(word & 0xFF) + "." + std::to_string(word >> 8 & 0xFF);
}

std::string FirmwareVersionText(uint32_t word) {
  return std::to_string(word >> 8 & 0xFF) + "." + std::to_string(word & 0xFF);
}

std::optional<std::string> DriverFilePath(const std::string& systemDirectory, int versionCode,
                                          bool wow64, const ChipFamily& family) {
  auto file = [&family](DriverGeneration g) { return std::string(family.driverFiles[g]); };
  const std::string drivers = systemDirectory + "\\drivers\\";
  switch (versionCode) {
    case kWindowsVista:
      return drivers + file(wow64 ? kVista64 : kVista32);
    case kWindowsXp64:
    case kWindowsXp:
      return drivers + file(kXp);
    case kWindows2000:
    case kServer2003:
      return drivers + file(k2000);
    default:
      if (versionCode >= kFirst9xCode && versionCode <= kLast9xCode) {
        return systemDirectory + "\\" + file(k9x);
      }
      return std::nullopt;
  }
}

void AboutReader::ReadUtility(AboutInfo* info) const {
  if (!platform_.fileVersion) return;
  const std::filesystem::path self = platform_.paths->ExecutablePath();
  FileVersionInfo version;
  if (platform_.fileVersion->ReadVersion(self, &version)) {
    info->utilityVersion = VersionText(version);
    info->copyright = version.legalCopyright;
  }
  FileDate date;
  if (platform_.fileVersion->ModificationDate(self, &date)) info->utilityDate = DateText(date);
}

void AboutReader::ReadDriverFile(AboutInfo* info) const {
  const ChipFamily* family = FindChipFamily(utility_, adapter_.Identity().chipKind);
  if (!family || !platform_.fileVersion || !platform_.system) return;
  const int code = adapter_.WindowsVersionCode();
  bool wow64 = false;
  if (!platform_.system->IsWow64Process(&wow64)) wow64 = false;
  const std::optional<std::string> path =
      DriverFilePath(platform_.system->SystemDirectory(), code, wow64, *family);
  if (!path) return;
  // A 32-bit program on a 64-bit Windows sees the 32-bit system directory, which holds no
  // driver: the redirection is off while the file is read, and back on afterwards so that the
  // rest of the program sees what it expects.
  const bool unredirect = wow64 && (code == kWindowsXp64 || code == kWindowsVista);
  const bool switched = unredirect && platform_.system->EnableWow64FsRedirection(false);
  const std::filesystem::path file = platform_.paths->FromWindows(*path);
  FileVersionInfo version;
  if (!file.empty() && platform_.fileVersion->ReadVersion(file, &version)) {
    info->driverVersion = VersionText(version);
  }
  FileDate date;
  if (!file.empty() && platform_.fileVersion->ModificationDate(file, &date)) {
    info->driverDate = DateText(date);
  }
  if (switched) platform_.system->EnableWow64FsRedirection(true);
}

AboutInfo AboutReader::Read() const {
  AboutInfo info;
  ReadUtility(&info);
  ReadDriverFile(&info);
  uint32_t word = 0;
  if (QueryValue(driver_, OID_VND_EEPROM_VERSION, &word))
    info.eepromVersion = EepromVersionText(word);
  MacBytes mac{};
  QueryValue(driver_, OID_802_3_CURRENT_ADDRESS, &mac);
  info.macAddress = MacAddressText(mac);
  const int chip = adapter_.Identity().chipKind;
  if (chip >= kFirstFirmwareFamily && FindChipFamily(utility_, chip) &&
      QueryValue(driver_, OID_VND_FIRMWARE_VERSION, &word)) {
    info.firmwareVersion = FirmwareVersionText(word);
  }
  return info;
}

AboutIpSettings AboutReader::IpSettings(std::span<const uint8_t> mac) const {
  std::vector<IpAdapterInfo> adapters;
  if (!platform_.ipHelper || !platform_.ipHelper->GetAdaptersInfo(&adapters)) return {};
  for (const IpAdapterInfo& a : adapters) {
    if (a.address.size() == 6 &&
        std::equal(a.address.begin(), a.address.end(), mac.begin(), mac.end())) {
      return {a.ipAddress, a.subnetMask, a.gateway};
    }
  }
  return {};
}

}  // namespace kavo9::radio
