#include "common/adapter/WindowsVersion.h"

namespace kavo9 {

int ClassifyVersionRecord(const OsVersionInfo& info) {
  const bool workstation = info.productType == VER_NT_WORKSTATION;
  if (info.platformId == VER_PLATFORM_WIN32_WINDOWS) {
    if (info.major != 4) return kWinUnknown;
    if (info.minor == 0) return kWin95;
    if (info.minor == 10) return (info.build & 0xFFFF) == 2222 ? kWin98SE : kWin98;
    if (info.minor == 90) return kWinMe;
    return kWinUnknown;
  }
  if (info.platformId != VER_PLATFORM_WIN32_NT) return kWinUnknown;
  if (info.major <= 4) return kWinNT4;
  if (info.major == 5) {
    switch (info.minor) {
      case 0:
        return kWin2000;
      case 1:
        return kWinXP;
      case 2:
        return workstation ? kWinXPx64 : kWinServer2003;
      default:
        return workstation ? kWinLaterWorkstation : kWinLaterServer;
    }
  }
  if (info.major == 6) return kWinVista;
  return workstation ? kWinLaterWorkstation : kWinLaterServer;
}

int ClassifyWindowsVersion(const SystemInfo& system) {
  OsVersionInfo info;
  if (!system.GetVersionInfo(/*extended=*/true, &info)) {
    info = OsVersionInfo{};
    if (!system.GetVersionInfo(/*extended=*/false, &info)) return kWinUnknown;
    info.productType = 0;
  }
  return ClassifyVersionRecord(info);
}

bool IsAdministratorUser(int windowsVersionCode, const SecurityToken& token) {
  if (windowsVersionCode <= kWinNT4) return true;
  return token.IsAdministrator();
}

}  // namespace kavo9
