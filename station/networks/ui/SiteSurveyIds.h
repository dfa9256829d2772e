#pragma once
// Control numbers of the site survey page; each control's object name is its number.

namespace kavo9::sitesurvey {

inline constexpr int kDialog = 144;
inline constexpr int kList = 1014;
inline constexpr int kRescan = 1015;
inline constexpr int kConnect = 1016;
inline constexpr int kAddToProfile = 1067;
inline constexpr int kListTitle = 1045;
inline constexpr int kSortByLabel = 1066;
inline constexpr int kSsidRadio = 1062;
inline constexpr int kChannelRadio = 1063;
inline constexpr int kSignalRadio = 1064;
inline constexpr int kSsidLabel = 1287;
inline constexpr int kChannelLabel = 1288;
inline constexpr int kSignalLabel = 1289;
inline constexpr int kShowDbm = 1065;
inline constexpr int kShowDbmLabel = 1290;

}  // namespace kavo9::sitesurvey
