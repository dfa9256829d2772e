#pragma once
// The station profiles in the registry: one key per profile below the adapter key
// ("Profile\Station\<name>"), the active profile's name in the adapter key's "CurProfile", and the
// active copy (the active profile's values beside the driver's own parameters). Reads are plain
// registry reads; every write goes through the parameter store's profile area, so a standard user's
// writes reach the privileged service when the settings file allows them.
//
// Stored profiles are untrusted: names with "\" or longer than 32 characters are refused, texts
// longer than the read buffer are not read, and a "CurProfile" that names no profile leaves no
// active row.

#include <string>
#include <string_view>
#include <vector>

#include "common/adapter/AdapterPort.h"
#include "common/platform/Registry.h"
#include "common/shell/StorePort.h"
#include "common/shell/TextPort.h"
#include "station/networks/profiles/ProfileValues.h"

namespace kavo9::profiles {

// The row of a profile as the profile page lists it.
struct ProfileRow {
  int State = -1;  // the page's tick marks the active row 0 or 1
  std::string Name;
  std::string Ssid;
  int Secured = 0;  // 1 unless open authentication with encryption disabled
  int NetworkType = 0;
};

// The message box of the program, for the one failure the store reports.
class ProfileMessagePort {
 public:
  virtual ~ProfileMessagePort() = default;
  virtual void ShowMessage(std::string_view text) = 0;
};

struct ProfileStoreParts {
  const AdapterPort& adapter;
  Registry& registry;
  StorePort& store;
  const TextPort& text;
  ProfileMessagePort& messages;
};

class ProfileStore {
 public:
  explicit ProfileStore(ProfileStoreParts parts) : p_(parts) {}

  // The adapter key the profiles live below ("" while there is no adapter: every call fails).
  const std::string& AdapterKey() const { return p_.adapter.Identity().registryKey; }
  std::string ProfilesKey() const;
  std::string ProfileKey(std::string_view name) const;

  // Every profile in registry order, and the index of the active one (-1 when none). With
  // `activeFromRegistry` (an administrator, or standard users may set profiles) the active name
  // becomes "CurProfile" first; a name no row has is cleared.
  std::vector<ProfileRow> ListProfiles(bool activeFromRegistry, int* activeIndex = nullptr);
  // All values of a profile; false for an invalid name or a missing key.
  bool ReadProfile(std::string_view name, ProfileValues* values) const;
  // Creates the key when needed and writes every value that is set, in the table's order.
  bool WriteProfile(std::string_view name, const ProfileValues& values);
  // Deletes the profile's key. When the profiles key cannot be opened the message box says so
  // ("RegOpenKeyEx '<path>' failed") and nothing is deleted.
  bool DeleteProfile(std::string_view name);
  // "CurProfile" = name, "WSC" = "0" (unless `endWps` is false), and the profile's values copied
  // into the adapter key (only the profile values of the table: nothing planted in a profile key
  // reaches the driver's parameters). The copy stops at the first value that cannot be written.
  bool SetActiveProfile(std::string_view name, bool endWps = true);
  // Empties the active copy in the adapter key (a survey connection, a deleted active profile).
  bool ClearActiveCopy();
  // "CurProfile" of the adapter key ("" when missing).
  std::string CurrentProfileName() const;
  // Whether a profile of this name exists.
  bool Exists(std::string_view name) const;
  // The active copy as the adapter key holds it.
  ProfileValues ReadActiveCopy() const;
  // The default name of a new profile: the language's prefix and one more than the largest number
  // that follows it in an existing name.
  std::string DefaultProfileName() const;
  bool IsActiveProfile(std::string_view rowName) const;

  const std::string& ActiveName() const { return activeName_; }
  void SetActiveName(std::string name) { activeName_ = std::move(name); }

 private:
  std::vector<std::string> ProfileNames() const;
  // A text of HKEY_LOCAL_MACHINE\`path` read with the profile read buffer.
  bool ReadText(std::string_view path, std::string_view name, std::string* text) const;
  ProfileValues ReadValues(std::string_view path) const;
  int32_t WriteText(std::string_view path, std::string_view name, std::string_view text);

  ProfileStoreParts p_;
  std::string activeName_;
};

// Display names of stored codes, as the profile details show them.
std::string_view AuthenticationName(long authenType, bool leapEnabled);
// The authentication text with " - Use 802.1X" for an open or shared profile with 802.1X on
// (while the supplicant is available).
std::string AuthenticationText(long authenType, bool leapEnabled, bool use8021X,
                               bool supplicantAvailable);
std::string_view EncryptionName(long encryption);
std::string_view NetworkTypeName(long networkType);

}  // namespace kavo9::profiles
