#include "station/networks/profiles/ProfileStore.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <cstring>

#include "common/platform/WinTypes.h"

namespace kavo9::profiles {
namespace {

constexpr StorePort::Area kArea = StorePort::Area::kProfile;
// Values up to this size are copied into the adapter key at activation.
constexpr uint32_t kCopyBuffer = 260;

std::string Upper(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](char c) { return char(std::toupper(static_cast<unsigned char>(c))); });
  return out;
}

bool SameText(std::string_view a, std::string_view b) {
  return Upper(a) == Upper(b);
}

std::string_view Trim(std::string_view text) {
  const auto space = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  while (!text.empty() && space(text.front())) text.remove_prefix(1);
  while (!text.empty() && space(text.back())) text.remove_suffix(1);
  return text;
}

// The values the active copy is emptied of, in order; a failed write of the first eight ends it.
struct ClearStep {
  const char* name;
  const char* text;
  bool mustSucceed;
};
constexpr std::array<ClearStep, 19> kClearSteps = {{
    {"SSID", "", true},
    {"NetworkType", "1", true},
    {"AuthenType", "0", true},
    {"Encryption", "1", false},
    {"WEPKey1Type", "", true},
    {"WEPKey2Type", "", true},
    {"WEPKey3Type", "", true},
    {"WEPKey4Type", "", true},
    {"CurProfile", "", false},
    {"LeapEnabled", "", false},
    {"LeapUserName", "", false},
    {"LeapPassword", "", false},
    {"TunnelID", "", false},
    {"TunnelProtocol", "", false},
    {"Use8021X", "0", false},
    {"ServerCertLen", "0", false},
    {"ServerCertData", "", false},
    {"ClientCertLen", "0", false},
    {"ClientCertData", "", false},
}};

}  // namespace

std::string ProfileStore::ProfilesKey() const {
  return AdapterKey() + "\\Profile\\Station";
}

std::string ProfileStore::ProfileKey(std::string_view name) const {
  return ProfilesKey() + "\\" + std::string(name);
}

bool ProfileStore::ReadText(std::string_view path, std::string_view name, std::string* text) const {
  ScopedKey key(p_.registry);
  if (p_.registry.OpenKey(HKEY_LOCAL_MACHINE, path, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    return false;
  }
  std::array<uint8_t, kProfileReadBuffer> buffer{};
  uint32_t type = 0;
  uint32_t length = uint32_t(buffer.size());
  if (p_.registry.QueryValue(key.get(), name, &type, buffer.data(), &length) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return false;
  }
  const auto* chars = reinterpret_cast<const char*>(buffer.data());
  text->assign(chars, strnlen(chars, std::min<uint32_t>(length, uint32_t(buffer.size()))));
  return true;
}

ProfileValues ProfileStore::ReadValues(std::string_view path) const {
  ProfileValues values;
  std::string text;
  for (size_t i = 0; i < kProfileValueNames.size(); ++i) {
    if (ReadText(path, kProfileValueNames[i], &text)) values.SetAt(i, text);
  }
  return values;
}

int32_t ProfileStore::WriteText(std::string_view path, std::string_view name,
                                std::string_view text) {
  return StoreText(p_.store, path, name, text, kArea);
}

std::vector<std::string> ProfileStore::ProfileNames() const {
  std::vector<std::string> names;
  if (AdapterKey().empty()) return names;
  ScopedKey key(p_.registry);
  if (p_.registry.OpenKey(HKEY_LOCAL_MACHINE, ProfilesKey(), KEY_READ, &key) != ERROR_SUCCESS) {
    return names;
  }
  std::string name;
  for (uint32_t i = 0; p_.registry.EnumKey(key.get(), i, &name) == ERROR_SUCCESS; ++i) {
    if (IsValidProfileName(name)) names.push_back(name);
  }
  return names;
}

std::vector<ProfileRow> ProfileStore::ListProfiles(bool activeFromRegistry, int* activeIndex) {
  if (activeIndex) *activeIndex = -1;
  if (activeFromRegistry) {
    std::string current;
    activeName_ = ReadText(AdapterKey(), "CurProfile", &current) ? current : std::string();
  }
  std::vector<ProfileRow> rows;
  for (const std::string& name : ProfileNames()) {
    const std::string path = ProfileKey(name);
    std::string text;
    const auto number = [&](const char* value, long fallback) {
      return ReadText(path, value, &text) ? std::strtol(text.c_str(), nullptr, 10) : fallback;
    };
    ProfileRow row;
    row.Name = name;
    if (ReadText(path, "SSID", &text)) row.Ssid = text;
    long auth = number("AuthenType", 0);
    if (auth < 0 || auth > 7) auth = 0;
    row.Secured = (auth == 0 && number("Encryption", 1) == 1) ? 0 : 1;
    row.NetworkType = number("NetworkType", 1) == 0 ? 0 : 1;
    if (activeIndex && *activeIndex < 0 && IsActiveProfile(name)) *activeIndex = int(rows.size());
    rows.push_back(std::move(row));
  }
  const bool found = std::any_of(rows.begin(), rows.end(),
                                 [&](const ProfileRow& r) { return IsActiveProfile(r.Name); });
  if (!found) activeName_.clear();
  return rows;
}

bool ProfileStore::ReadProfile(std::string_view name, ProfileValues* values) const {
  if (AdapterKey().empty() || !IsValidProfileName(name)) return false;
  ScopedKey key(p_.registry);
  if (p_.registry.OpenKey(HKEY_LOCAL_MACHINE, ProfileKey(name), KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  *values = ReadValues(ProfileKey(name));
  return true;
}

bool ProfileStore::WriteProfile(std::string_view name, const ProfileValues& values) {
  if (AdapterKey().empty() || !IsValidProfileName(name)) return false;
  const std::string path = ProfileKey(name);
  if (p_.store.CreateKey(path, kArea) != ERROR_SUCCESS) return false;
  bool ok = true;
  for (size_t i = 0; i < kProfileValueNames.size(); ++i) {
    if (const auto& text = values.At(i)) {
      ok = WriteText(path, kProfileValueNames[i], *text) == ERROR_SUCCESS && ok;
    }
  }
  return ok;
}

bool ProfileStore::DeleteProfile(std::string_view name) {
  if (!IsValidProfileName(name)) return false;
  {
    ScopedKey key(p_.registry);
    if (AdapterKey().empty() ||
        p_.registry.OpenKey(HKEY_LOCAL_MACHINE, ProfilesKey(), KEY_READ, &key) != ERROR_SUCCESS) {
      p_.messages.ShowMessage("RegOpenKeyEx '" + ProfilesKey() + "' failed\n");
      return false;
    }
  }
  return p_.store.DeleteTree(ProfileKey(name), kArea) == ERROR_SUCCESS;
}

bool ProfileStore::SetActiveProfile(std::string_view name, bool endWps) {
  if (AdapterKey().empty() || !IsValidProfileName(name)) return false;
  ScopedKey key(p_.registry);
  if (p_.registry.OpenKey(HKEY_LOCAL_MACHINE, ProfileKey(name), KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  WriteText(AdapterKey(), "CurProfile", name);
  if (endWps) WriteText(AdapterKey(), "WSC", "0");
  std::array<uint8_t, kCopyBuffer> buffer{};
  for (std::string_view value : kProfileValueNames) {
    uint32_t type = 0;
    uint32_t length = uint32_t(buffer.size());
    if (p_.registry.QueryValue(key.get(), value, &type, buffer.data(), &length) != ERROR_SUCCESS) {
      continue;  // missing, or too long to be a profile value
    }
    if (p_.store.SetValue(AdapterKey(), value, type, buffer.data(), length, kArea) !=
        ERROR_SUCCESS) {
      return false;
    }
  }
  return true;
}

bool ProfileStore::ClearActiveCopy() {
  if (AdapterKey().empty()) return false;
  for (const ClearStep& step : kClearSteps) {
    if (WriteText(AdapterKey(), step.name, step.text) != ERROR_SUCCESS && step.mustSucceed) {
      return false;
    }
  }
  return true;
}

std::string ProfileStore::CurrentProfileName() const {
  std::string name;
  return ReadText(AdapterKey(), "CurProfile", &name) ? name : std::string();
}

bool ProfileStore::Exists(std::string_view name) const {
  if (AdapterKey().empty() || !IsValidProfileName(name)) return false;
  ScopedKey key(p_.registry);
  return p_.registry.OpenKey(HKEY_LOCAL_MACHINE, ProfileKey(name), KEY_READ, &key) == ERROR_SUCCESS;
}

ProfileValues ProfileStore::ReadActiveCopy() const {
  return AdapterKey().empty() ? ProfileValues() : ReadValues(AdapterKey());
}

std::string ProfileStore::DefaultProfileName() const {
  const std::string prefix = p_.text.Text("IDS_PROF");
  const std::string upperPrefix = Upper(prefix);
  long largest = 0;
  for (const std::string& name : ProfileNames()) {
    const std::string upper = Upper(name);
    if (upper.compare(0, upperPrefix.size(), upperPrefix) != 0) continue;
    largest = std::max(largest, std::strtol(upper.c_str() + upperPrefix.size(), nullptr, 10));
  }
  return std::string(Trim(prefix + std::to_string(largest + 1)));
}

bool ProfileStore::IsActiveProfile(std::string_view rowName) const {
  return !activeName_.empty() && SameText(rowName, activeName_);
}

std::string_view AuthenticationName(long authenType, bool leapEnabled) {
  static constexpr std::array<std::string_view, 8> kNames = {
      "Open", "Shared", " ", "WPA", "WPA-PSK", "WPA-NONE", "WPA2", "WPA2-PSK"};
  if (authenType < 0 || authenType > 7) authenType = 0;
  if (authenType == 0 && leapEnabled) return "LEAP";
  return kNames[size_t(authenType)];
}

std::string AuthenticationText(long authenType, bool leapEnabled, bool use8021X,
                               bool supplicantAvailable) {
  const std::string name(AuthenticationName(authenType, leapEnabled));
  const bool openOrShared = (authenType == 0 && !leapEnabled) || authenType == 1;
  if (openOrShared && use8021X && supplicantAvailable) return name + " - Use 802.1X";
  return name;
}

std::string_view EncryptionName(long encryption) {
  switch (encryption) {
    case 0:
      return "WEP";
    case 1:
      return "None";
    case 4:
      return "TKIP";
    case 6:
      return "AES";
    default:
      return "";
  }
}

std::string_view NetworkTypeName(long networkType) {
  switch (networkType) {
    case 0:
      return "Ad hoc";
    case 1:
      return "Infrastructure";
    case 2:
      return "Auto";
    default:
      return "";
  }
}

}  // namespace kavo9::profiles
