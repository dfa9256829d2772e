#pragma once
// The single-sign-on record: the key the logon component and this program share, and the
// Winlogon value that makes the component the logon library. Every value is a text (REG_SZ).
//
// The record is written through the parameter store (profile area), so a standard user's
// changes reach the privileged registry service; it is read plainly. Registry failures are
// passed over: each write goes on with the next value.

#include <optional>
#include <string>
#include <string_view>

#include "common/platform/Registry.h"
#include "common/shell/StorePort.h"

namespace kavo9::sso {

inline constexpr const char* kWinlogonKey =
    "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
inline constexpr const char* kSsoKey =
    "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Tesmar";
inline constexpr const char* kGinaValue = "GinaDLL";
inline constexpr const char* kSsoGina = "TesmarGina.DLL";

// Value names of the record.
inline constexpr const char* kInstallValue = "SSOInstall";
inline constexpr const char* kEnableValue = "SSOEnable";
inline constexpr const char* kSavedPasswordValue = "SavedPassword";
inline constexpr const char* kCurProfileValue = "CurProfile";
inline constexpr const char* kDeviceRegistryPathValue = "DeviceRegistryPath";
inline constexpr const char* kProfilePathValue = "SSOProfilePath";
inline constexpr const char* kProfileNameValue = "ProfileName";
inline constexpr const char* kCardNameValue = "CardName";
inline constexpr const char* kCancelledValue = "SSOAuthenticationCancelled";
inline constexpr const char* kReleaseAegisValue = "SSOReleaseAegis";
inline constexpr const char* kWinlogonDomainValue = "WinlogonDomain";

// Which credentials the logon component uses.
enum class SavedPassword { kWindowsLogon = 0, kProfile = 1, kPrompt = 2 };

// The record as the key holds it; a missing (or unreadable) value is nullopt.
struct SsoRecord {
  std::optional<std::string> install, enable, savedPassword, curProfile, deviceRegistryPath,
      profilePath, profileName, cardName, cancelled, releaseAegis, winlogonDomain;
  bool operator==(const SsoRecord&) const = default;
};

// Whether the single-sign-on key opens for reading.
bool SsoKeyOpens(Registry& registry);
// One value of the key: a text of at most `maxLength` characters (a longer one reads as missing,
// as it would not fit the reader's buffer).
std::optional<std::string> ReadSsoValue(Registry& registry, std::string_view name,
                                        size_t maxLength = 255);
// Every value of the record; nullopt when the key does not open.
std::optional<SsoRecord> ReadSsoRecord(Registry& registry);

// "1" exactly: the logon component is installed.
bool InstallFlagSet(const std::optional<std::string>& install);
// Present and not "0".
bool EnableFlagSet(const std::optional<std::string>& enable);
// The credential choice a stored text stands for: "0" and a missing value the Windows logon's,
// "1" the profile's, anything else a prompt.
SavedPassword SavedPasswordChoice(const std::optional<std::string>& text);

// The texts the record keeps about a profile and the adapter.
std::string ProfileNameText(std::string_view profile);
std::string CardNameText(std::string_view driverDescription);
std::string ProfilePathText(std::string_view adapterKey, std::string_view profile);

// Writes of the record, through the parameter store.
class SsoKeyWriter {
 public:
  SsoKeyWriter(Registry& registry, StorePort& store) : registry_(registry), store_(store) {}

  // One value; the store's result.
  int32_t Set(std::string_view name, std::string_view text);
  // Deletes every subkey of the key (the logon component's own state), keeping its values.
  void DeleteSubkeys();
  // Makes the logon component the logon library. Another logon library already installed is
  // left in place (false): replacing it would break the logon it provides.
  bool InstallGina();
  // Restores the Windows default, only when the logon library is ours.
  void RemoveGina();
  // Whether "GinaDLL" names the logon component.
  bool GinaIsOurs() const;

 private:
  Registry& registry_;
  StorePort& store_;
};

}  // namespace kavo9::sso
