#pragma once
// The single-sign-on rules around profiles: whether the feature is installed for this user, which
// profiles can sign on, and the check when a profile is activated.

#include <string>
#include <string_view>

#include "common/platform/Registry.h"
#include "common/shell/StorePort.h"
#include "station/networks/profiles/ProfileStore.h"
#include "station/networks/profiles/ProfileValues.h"

namespace kavo9::sso {

// Installed: the Windows service does not manage the adapter (configuration-tool state 2), the
// user may set profiles, and the key says "SSOInstall" "1".
bool SsoInstalled(Registry& registry, int configToolState, bool maySetProfiles);

// Only EAP-FAST ("AuthenProtocol" "3") and LEAP ("LeapEnabled" "1") profiles can sign on.
bool EligibleForSso(const profiles::ProfileValues& values);
// "LEAP" (it wins when both hold), "EAP-FAST", or empty for a profile that cannot sign on.
std::string_view SsoAuthenticationText(const profiles::ProfileValues& values);

inline constexpr const char* kSsoProfileRemovedMessage =
    "Selected profile is removed in SSO page.\n\nPlease re-select profile in SSO page";

struct SsoActivationParts {
  Registry& registry;
  StorePort& store;
  const profiles::ProfileStore& profiles;
  profiles::ProfileMessagePort& messages;
};

// A profile was activated: it becomes the single-sign-on profile when it can sign on; otherwise
// the feature goes off (with a message when it was on) and the logon library is removed. Nothing
// happens when the key does not open; without the component installed only the logon library is
// removed.
void SsoActivationCheck(const SsoActivationParts& parts, std::string_view profileName);

}  // namespace kavo9::sso
