#pragma once
// Control numbers of the hidden-network dialog (panel 1 of the main window).

namespace kavo9::hiddenssid {

inline constexpr int kDialog = 180;
inline constexpr int kPrompt = 1070;
inline constexpr int kSsidEdit = 1068;
inline constexpr int kOk = 1144;
inline constexpr int kCancel = 1145;
inline constexpr int kMaxSsidLength = 32;

}  // namespace kavo9::hiddenssid
