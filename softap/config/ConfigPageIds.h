#pragma once
// The control numbers of the configuration page (dialog 194) and its security dialog (132); each
// control's object name is its number.

namespace kavo9::softap::config {

enum : int {
  kPageDialog = 194,
  kBandCombo = 1149,
  kSsidEdit = 1062,
  kChannelCombo = 1032,
  kUseMacButton = 1144,
  kSecurityButton = 1143,
  kRegion24Combo = 1155,
  kRegion5Combo = 1162,
  kBeaconEdit = 1153,
  kTxPowerCombo = 1030,
  kTxRateCombo = 1161,
  kProtectionCombo = 1150,
  kTxBurstCheck = 1154,
  kNoForwardingCheck = 1151,
  kHideSsidCheck = 1152,
  kIdleEdit = 1216,
  kAllow40Check = 1218,
  kGuardLong = 6275,
  kGuardAuto = 6276,
  kStbcNone = 6277,
  kStbcAuto = 1278,
  kHtModeMixed = 6282,
  kHtModeGreen = 1283,
  kMcsCombo = 1279,
  kExtChannelCombo = 1288,
  kDefaultButton = 1156,
  kApplyButton = 1157,
  kRegionGroup = 1300,
  kHtGroup = 1301,

  kSecurityDialog = 132,
  kAuthCombo = 6012,
  kEncryptionCombo = 1111,
  kPskEdit = 1112,
  kRekeyEdit = 1113,
  kRekeyUnitButton = 1130,
  kShowPasswordCheck = 1215,
  kKeyRadio1 = 1114,      // then 1115-1117
  kKeyTypeCombo1 = 1118,  // then 1119-1121
  kKeyHexEdit1 = 1122,    // then 1123-1125
  kKeyAsciiEdit1 = 1126,  // then 1127-1129
};

}  // namespace kavo9::softap::config
