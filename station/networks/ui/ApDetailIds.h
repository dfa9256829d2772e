#pragma once
// Dialog numbers of the access-point detail dialog (panel 4 of the main window) and its tabs.

namespace kavo9::apdetail {

inline constexpr int kDialog = 257;
inline constexpr int kOk = 1144;
inline constexpr int kGeneralTab = 258;
inline constexpr int kWpsTab = 259;
inline constexpr int kCcxTab = 260;
inline constexpr int k80211nTab = 261;

}  // namespace kavo9::apdetail
