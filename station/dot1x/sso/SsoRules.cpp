#include "station/dot1x/sso/SsoRules.h"

#include "common/shell/ConfigToolState.h"
#include "station/dot1x/sso/SsoRecord.h"

namespace kavo9::sso {

bool SsoInstalled(Registry& registry, int configToolState, bool maySetProfiles) {
  if (configToolState == kConfigToolService || !maySetProfiles) return false;
  return SsoKeyOpens(registry) && InstallFlagSet(ReadSsoValue(registry, kInstallValue));
}

bool EligibleForSso(const profiles::ProfileValues& values) {
  return values.Get("AuthenProtocol") == "3" || values.Get("LeapEnabled") == "1";
}

std::string_view SsoAuthenticationText(const profiles::ProfileValues& values) {
  if (values.Get("LeapEnabled") == "1") return "LEAP";
  if (values.Get("AuthenProtocol") == "3") return "EAP-FAST";
  return {};
}

void SsoActivationCheck(const SsoActivationParts& p, std::string_view profileName) {
  profiles::ProfileValues values;
  const bool eligible = p.profiles.ReadProfile(profileName, &values) && EligibleForSso(values);
  if (!SsoKeyOpens(p.registry)) return;
  SsoKeyWriter writer(p.registry, p.store);
  const auto install = ReadSsoValue(p.registry, kInstallValue);
  if (!install || *install == "0") {
    writer.RemoveGina();
    return;
  }
  const bool enabled = EnableFlagSet(ReadSsoValue(p.registry, kEnableValue));
  if (!eligible) {
    if (enabled) p.messages.ShowMessage(kSsoProfileRemovedMessage);
    writer.Set(kEnableValue, "0");
  }
  writer.DeleteSubkeys();
  const auto enable = ReadSsoValue(p.registry, kEnableValue);
  const std::string current =
      eligible && (!enable || *enable != "0") ? std::string(profileName) : std::string();
  writer.Set(kCurProfileValue, current);
  writer.Set(kProfileNameValue, ProfileNameText(current));
  if (!eligible) writer.RemoveGina();
}

}  // namespace kavo9::sso
