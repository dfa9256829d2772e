#include "common/shell/SettingsFile.h"

#include "common/platform/ProfileString.h"

namespace kavo9 {

SettingsFile::SettingsFile(const std::filesystem::path& executable) {
  // Everything up to and including the last "." of the file name, then "ini".
  std::string name = executable.filename().string();
  size_t dot = name.rfind('.');
  name = (dot == std::string::npos ? name + "." : name.substr(0, dot + 1)) + "ini";
  path_ = executable.parent_path() / name;
}

std::string SettingsFile::ReadSettingsString(std::string_view section, std::string_view key,
                                             std::string_view defaultValue) const {
  return ReadProfileString(path_, section, key, defaultValue, kSettingsValueChars);
}

bool SettingsFile::IsSettingOn(std::string_view section, std::string_view key,
                               std::string_view defaultValue) const {
  return ReadSettingsString(section, key, defaultValue) == "1";
}

}  // namespace kavo9
