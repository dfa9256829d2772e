#pragma once
// The control numbers of the "11n Setting" page and its dialogs; each control's object name is
// its number. The session buttons differ between the two programs.

namespace kavo9::blockack {

inline constexpr int kApDialog = 3218, kStationDialog = 3243;
inline constexpr int kAmsduGroup = 1254, kSmpsGroup = 1255, kOriginatorGroup = 1263,
                     kRecipientGroup = 1264;
inline constexpr int kAmsduCheck = 1258, kMpduCheck = 1260;
inline constexpr int kMax3839 = 1262, kMax7935 = 6265;
inline constexpr int kSmEnable = 6267, kStaticSmps = 6216, kDynamicSmps = 6268;
inline constexpr int kManual = 1242, kAuto = 1243;
inline constexpr int kDensityLabel = 1282, kDensityCombo = 1281;
inline constexpr int kOriginatorList = 1257, kRecipientList = 1256;
inline constexpr int kApplyButton = 1259;

// Add, delete one TID, delete every TID: originator side, then recipient side.
struct SessionButtonIds {
  int add[2];
  int remove[2];
  int removeAll[2];
};
inline constexpr SessionButtonIds kApButtons{{1136, 1275}, {1137, 1276}, {1248, 1277}};
inline constexpr SessionButtonIds kStationButtons{{1133, 3275}, {1135, 3276}, {3248, 1277}};

// The dialogs.
inline constexpr int kApAddDialog = 3219, kApDeleteDialog = 3220;
inline constexpr int kStationAddDialog = 3242, kStationDeleteDialog = 3245;
inline constexpr int kTidCombo = 6259, kWindowEdit = 6243, kPeerList = 6242;

}  // namespace kavo9::blockack
