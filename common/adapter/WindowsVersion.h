#pragma once
// The running Windows as one small number, and who counts as an administrator.
//
// Codes: 0 not classified, 2 Windows 95, 3 Windows 98, 4 Windows 98 SE, 5 Windows Me,
// 6 Windows NT 4 or older, 7 Windows 2000, 8 Windows XP, 9 Windows Server 2003,
// 10 Windows XP Professional x64, 11 Windows Vista generation, 12 a later workstation,
// 13 a later server. Code is compared by order: above 6 means Windows 2000 or later, above 7
// Windows XP or later.

#include "common/platform/SecurityToken.h"
#include "common/platform/SystemInfo.h"

namespace kavo9 {

enum : int {
  kWinUnknown = 0,
  kWin95 = 2,
  kWin98 = 3,
  kWin98SE = 4,
  kWinMe = 5,
  kWinNT4 = 6,
  kWin2000 = 7,
  kWinXP = 8,
  kWinServer2003 = 9,
  kWinXPx64 = 10,
  kWinVista = 11,
  kWinLaterWorkstation = 12,
  kWinLaterServer = 13,
};

// Classifies the system from its version record: the extended form first, the plain one when the
// extended form is refused; 0 when both fail.
int ClassifyWindowsVersion(const SystemInfo& system);
// Classifies one version record (the product type is 0 when only the plain form was had).
int ClassifyVersionRecord(const OsVersionInfo& info);

// Systems without user accounts to speak of (code 6 and below) make everyone an administrator;
// otherwise the token must hold the built-in Administrators group. A token that cannot be read
// means not an administrator.
bool IsAdministratorUser(int windowsVersionCode, const SecurityToken& token);

}  // namespace kavo9
