#pragma once
// The control numbers of the single-sign-on page (dialog 2300).

namespace kavo9::sso::ids {

inline constexpr int kDialog = 2300;
inline constexpr int kEnableFeature = 1330;
inline constexpr int kCredentialWindowsLogon = 1332;
inline constexpr int kCredentialProfile = 1333;
inline constexpr int kCredentialPrompt = 1334;
inline constexpr int kProfileListGroup = 1338;
inline constexpr int kSelectProfileLabel = 1339;
inline constexpr int kProfileList = 1340;
inline constexpr int kProfileInformationGroup = 1341;
inline constexpr int kProfileNameLabel = 1342;
inline constexpr int kSsidLabel = 1343;
inline constexpr int kAuthenticationLabel = 1344;
inline constexpr int kProfileName = 1345;
inline constexpr int kSsid = 1346;
inline constexpr int kAuthentication = 1347;
inline constexpr int kApply = 1136;

}  // namespace kavo9::sso::ids
