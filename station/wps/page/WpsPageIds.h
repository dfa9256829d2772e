#pragma once
// Control numbers of the WPS page (dialog 263) and the credential detail (dialog 247); each
// control's object name is its number.

namespace kavo9::wpspage {

inline constexpr int kDialog = 263;
inline constexpr int kApList = 3255;
inline constexpr int kProfileList = 5258;
inline constexpr int kRescan = 3256;
inline constexpr int kInformation = 3261;
inline constexpr int kPin = 3257;
inline constexpr int kPbc = 3262;
inline constexpr int kRenew = 3258;
inline constexpr int kConfigMode = 1363;
inline constexpr int kBand = 1343;
inline constexpr int kBandLabel = 1344;
inline constexpr int kProfileDetail = 1265;
inline constexpr int kConnect = 3266;
inline constexpr int kRotate = 4267;
inline constexpr int kDisconnect = 4268;
inline constexpr int kDelete = 4269;
inline constexpr int kImport = 4270;
inline constexpr int kPinBox = 1243;
inline constexpr int kStatusLine = 4260;
inline constexpr int kProbeIe = 4272;
inline constexpr int kAssocIe = 3271;

// The page's timers.
inline constexpr uint32_t kTimerApList = 1, kTimerPoll = 2, kTimerWatch = 3, kTimerButton = 5;
inline constexpr uint32_t kPollMs = 200, kWatchMs = 2000, kButtonMs = 1000;
inline constexpr uint32_t kApListMs = 3500, kApListSlowMs = 5500;

}  // namespace kavo9::wpspage
