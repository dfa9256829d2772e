#include "station/dot1x/supplicant/StationEnvironment.h"

namespace kavo9::dot1x {

void WriteCredentialText(StorePort& store, const profiles::ProfileStore& profiles,
                         std::string_view name, std::string_view text, bool profileToo) {
  if (profiles.AdapterKey().empty()) return;
  StoreText(store, profiles.AdapterKey(), name, text, StorePort::Area::kProfile);
  if (!profileToo) return;
  const std::string current = profiles.CurrentProfileName();
  if (!current.empty()) {
    StoreText(store, profiles.ProfileKey(current), name, text, StorePort::Area::kProfile);
  }
}

Dot1xEnvironment StationDot1xEnvironment(const SettingsFile& settings, StorePort& store,
                                         const profiles::ProfileStore& profiles,
                                         const Paths& paths) {
  Dot1xEnvironment env;
  env.eapFastEnhancement = [&settings] {
    return settings.IsSettingOn(settings::kEapFastEnhancement);
  };
  env.currentProfile = [&profiles] { return profiles.CurrentProfileName(); };
  env.writeText = [&store, &profiles](std::string_view name, std::string_view text,
                                      bool profileToo) {
    WriteCredentialText(store, profiles, name, text, profileToo);
  };
  // A relative Windows path is a file of the program's directory: the default PAC files live
  // there, as they live in the working directory of a program started from its own folder.
  env.hostPath = [&paths](std::string_view windowsPath) { return paths.FromWindows(windowsPath); };
  return env;
}

}  // namespace kavo9::dot1x
