#pragma once
// The settings file beside each program's executable (Stavio.ini beside Stavio, Hostira.ini beside
// Hostira): switches the installer sets and extra adapter lists. The programs only read it, anew
// at every lookup; the adapter lists are parsed once at start (AdapterPort::LoadIniDeviceLists).

#include <filesystem>
#include <string>
#include <string_view>

namespace kavo9 {

// One switch of the settings file: its place and what a missing key means.
struct SettingKey {
  std::string_view section;
  std::string_view key;
  std::string_view defaultValue;
};

// Every switch the programs read, in one place. The soft-AP utility reads the four of both
// programs: TGnWiFiTest, 11n Setting, HT Setting, TxRate and BgProtection; the rest are the
// station utility's.
namespace settings {
inline constexpr SettingKey kWarningMessageForGenUser{"Account", "WarningMessageForGenUser", "1"};
inline constexpr SettingKey kAllowStandardUserSetAdvance{"Advance", "AllowStandardUserSetAdvance",
                                                         "1"};
inline constexpr SettingKey kAllowStandardUserSetProfile{"Advance", "AllowStandardUserSetProfile",
                                                         "0"};
inline constexpr SettingKey kOpenFile{"Advance", "OpenFile", "0"};
inline constexpr SettingKey kTGnWiFiTest{"Advance", "TGnWiFiTest", "0"};
inline constexpr SettingKey kShow11nPage{"Page", "11n Setting", "0"};
// The register diagnostics get a page-bar button.
inline constexpr SettingKey kShowRegisterPage{"Page", "Register Setting", "0"};
inline constexpr SettingKey kHtSetting{"Advance", "HT Setting", "0"};
inline constexpr SettingKey kTxRate{"Advance", "TxRate", "0"};
inline constexpr SettingKey kBgProtection{"Advance", "BgProtection", "0"};
inline constexpr SettingKey kEapFastEnhancement{"Advance", "EAPFastEnhancement", "0"};
inline constexpr SettingKey kGenericRejectedCallback{"Advance", "GenericRejectedCallback", "0"};
inline constexpr SettingKey kSupportPhyModeinWps{"Advance", "SupportPhyModeinWps", "0"};
}  // namespace settings

// Values are read into a buffer of this many characters, so at most 255 come back.
inline constexpr size_t kSettingsValueChars = 256;

// The settings as a piece reads them: the value of `key` in `section`, or `defaultValue`, read
// afresh on each call.
class SettingsPort {
 public:
  virtual ~SettingsPort() = default;
  virtual std::string Read(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const = 0;
};

class SettingsFile : public SettingsPort {
 public:
  // `executable` is the program's full path; the file is that path with its extension replaced by
  // "ini" (or "ini" appended after a final "." when there is none, "Stavio" -> "Stavio.ini").
  explicit SettingsFile(const std::filesystem::path& executable);

  const std::filesystem::path& path() const { return path_; }
  // The value of `key` in `section` (case-insensitive names, trimmed value), or `defaultValue`.
  std::string ReadSettingsString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) const;
  // On exactly when the value is the text "1"; "yes", "true" or " 1 x" are off.
  bool IsSettingOn(std::string_view section, std::string_view key,
                   std::string_view defaultValue) const;
  bool IsSettingOn(const SettingKey& key) const {
    return IsSettingOn(key.section, key.key, key.defaultValue);
  }
  std::string Read(std::string_view section, std::string_view key,
                   std::string_view defaultValue) const override {
    return ReadSettingsString(section, key, defaultValue);
  }

 private:
  std::filesystem::path path_;
};

}  // namespace kavo9
