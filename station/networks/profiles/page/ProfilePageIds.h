#pragma once
// Control numbers of the profile page (dialog 143); each control's object name is its number.

#include <array>

namespace kavo9::profilepage {

inline constexpr int kDialog = 143;
inline constexpr int kList = 1024;
inline constexpr int kListTitle = 1127;
inline constexpr int kAdd = 1133;
inline constexpr int kEdit = 1134;
inline constexpr int kDelete = 1135;
inline constexpr int kApply = 1136;

// The details, in the order the page lists them.
enum Detail : int {
  kDetailName,
  kDetailSsid,
  kDetailNetworkType,
  kDetailAuthentication,
  kDetailEncryption,
  kDetailUse8021X,
  kDetailChannel,
  kDetailPowerSave,
  kDetailTxPower,
  kDetailRts,
  kDetailFrag,
};
inline constexpr int kDetailCount = 11;
// The caption and value control of each detail.
inline constexpr std::array<int, kDetailCount> kDetailCaption = {1128, 1130, 1036, 1074, 1075, 1139,
                                                                 1030, 1137, 1141, 1143, 1145};
inline constexpr std::array<int, kDetailCount> kDetailValue = {1129, 1131, 1037, 1076, 1077, 1140,
                                                               1031, 1138, 1142, 1144, 1146};

// The list's columns.
enum Column : int { kColumnState, kColumnName, kColumnSsid, kColumnSecured, kColumnNetworkType };
inline constexpr int kColumnCount = 5;
// Each column's share of the list's width.
inline constexpr std::array<double, kColumnCount> kColumnWidth = {0.04, 0.28, 0.56, 0.04, 0.04};

}  // namespace kavo9::profilepage
