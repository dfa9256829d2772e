#pragma once
// Numbers of the profile editor (dialog 179) and its tabs: the system tab (dialog 244) and the
// authentication and security tab (dialog 182); each control's object name is its number. The
// menus' command numbers name their entries.

#include <array>

namespace kavo9::profileeditor {

// The panel.
inline constexpr int kDialog = 179;
inline constexpr int kTabContainer = 147;
inline constexpr int kSystemTabButton = 1163;
inline constexpr int kAuthTabButton = 1129;
inline constexpr int kDot1xTabButton = 1130;
inline constexpr int kOk = 1144;
inline constexpr int kCancel = 1145;

// The tabs, in order.
enum class EditorTab { kSystem = 0, kSecurity = 1, kDot1x = 2 };

}  // namespace kavo9::profileeditor

namespace kavo9::systemconfig {

inline constexpr int kDialog = 244;
inline constexpr int kName = 1151;
inline constexpr int kNameLabel = 1128;
inline constexpr int kSsid = 1241;
inline constexpr int kSsidLabel = 1130;
inline constexpr int kCam = 1152;
inline constexpr int kPsm = 1153;
inline constexpr int kCamLabel = 1325;
inline constexpr int kPsmLabel = 1326;
inline constexpr int kPowerSaveLabel = 1137;
inline constexpr int kNetworkType = 1154;
inline constexpr int kNetworkTypeLabel = 1036;
inline constexpr int kTxPower = 1142;
inline constexpr int kTxPowerLabel = 1141;
inline constexpr int kPreamble = 1143;
inline constexpr int kPreambleLabel = 1156;
inline constexpr int kChannel = 1168;
inline constexpr int kChannelLabel = 1030;
inline constexpr int kUseRts = 1157;
inline constexpr int kUseRtsLabel = 1323;
inline constexpr int kRtsSlider = 1159;
inline constexpr int kRtsEdit = 1161;
inline constexpr int kRtsMinLabel = 1163;
inline constexpr int kRtsMaxLabel = 1164;
inline constexpr int kUseFrag = 1158;
inline constexpr int kUseFragLabel = 1324;
inline constexpr int kFragSlider = 1160;
inline constexpr int kFragEdit = 1162;
inline constexpr int kFragMinLabel = 1165;
inline constexpr int kFragMaxLabel = 1166;

// Menu 251: the network type.
inline constexpr int kMenuAdhoc = 32878;
inline constexpr int kMenuInfra = 32877;
// Menu 253: the transmit power, by index 0 to 6.
inline constexpr std::array<int, 7> kMenuTxPower = {32881, 32891, 32882, 32883,
                                                    32884, 32885, 32886};
// Menu 252: the preamble, Auto (0) and Long (1).
inline constexpr std::array<int, 2> kMenuPreamble = {32879, 32880};

}  // namespace kavo9::systemconfig

namespace kavo9::authencry {

inline constexpr int kDialog = 182;
inline constexpr int kAuthentication = 1076;
inline constexpr int kAuthenticationLabel = 1074;
inline constexpr int kEncryption = 1077;
inline constexpr int kEncryptionLabel = 1075;
inline constexpr int kUse8021X = 1078;
inline constexpr int kUse8021XLabel = 1316;
inline constexpr int kPreSharedKey = 1082;
inline constexpr int kPreSharedKeyLabel = 1080;
inline constexpr std::array<int, 4> kDefaultKey = {1083, 1084, 1085, 1086};
inline constexpr std::array<int, 4> kDefaultKeyLabel = {1317, 1318, 1319, 1320};
inline constexpr int kWepKeyGroupLabel = 1081;
inline constexpr std::array<int, 4> kKeyForm = {1079, 1087, 1088, 1089};
inline constexpr std::array<int, 4> kKey = {1090, 1091, 1092, 1093};
inline constexpr int kLeapIdentity = 1130;
inline constexpr int kLeapPassword = 1131;
inline constexpr int kLeapDomain = 3143;
inline constexpr int kLeapIdentityLabel = 1157;
inline constexpr int kLeapPasswordLabel = 1158;
inline constexpr int kLeapDomainLabel = 3159;
inline constexpr std::array<int, 3> kLeapCipher = {3219, 3067, 3220};
inline constexpr std::array<int, 3> kLeapCipherLabel = {1256, 1257, 1258};
inline constexpr int kShowPassword = 3241;
inline constexpr int kShowPasswordLabel = 1251;

// Menu 187 and the program's own choices: the command of each authentication choice 0 to 7.
inline constexpr std::array<int, 8> kMenuAuthentication = {32776, 32785, 32802, 32803,
                                                           32804, 32805, 32806, 32811};
// Menu 218: the command of each encryption choice 0 to 3.
inline constexpr std::array<int, 4> kMenuEncryption = {32812, 32813, 32814, 32815};
// Menus 232 to 235: "Hexadecimal" and "ASCII" of keys 1 to 4.
inline constexpr std::array<std::array<int, 2>, 4> kMenuKeyForm = {
    {{32842, 32843}, {32844, 32845}, {32846, 32847}, {32848, 32849}}};

}  // namespace kavo9::authencry
