#pragma once
// The numbers of the 802.1X page's controls (each control's object name is its number).

namespace kavo9::dot1xpage {

inline constexpr int kDialog = 183;
inline constexpr int kIdentityDialog = 236;
inline constexpr int kClientDialog = 237;
inline constexpr int kServerDialog = 238;
inline constexpr int kFastDialog = 275;

// The page: method and tunnel buttons with their menus, session resumption, the tab buttons.
inline constexpr int kMethodLabel = 1100;
inline constexpr int kMethod = 1101;
inline constexpr int kTunnelLabel = 1106;
inline constexpr int kTunnel = 1107;
inline constexpr int kSessionResumption = 1143;
inline constexpr int kIdentityTabButton = 1131;
inline constexpr int kClientTabButton = 1132;
inline constexpr int kServerTabButton = 1133;
inline constexpr int kFastTabButton = 1134;
inline constexpr int kMethodMenu = 239;
inline constexpr int kTunnelMenu = 240;
inline constexpr int kTtlsMenu = 241;
// Menu entries: the method menu's five, the tunnel menu's three, the TTLS menu's five.
inline constexpr int kMethodCommands[] = {32900, 32901, 32902, 32903, 32904};
inline constexpr int kTunnelCommands[] = {32910, 32911, 32912};
inline constexpr int kTtlsCommands[] = {32920, 32921, 32922, 32923, 32924};
inline constexpr int kProvisioningCommands[] = {32930, 32931, 32932};

// Identity tab.
inline constexpr int kUserId = 1102;
inline constexpr int kTunnelId = 1103;
inline constexpr int kUserPassword = 1104;
inline constexpr int kTunnelPassword = 1105;
inline constexpr int kDomainName = 4265;
inline constexpr int kShowPassword = 3241;
inline constexpr int kSoftToken = 1149;
inline constexpr int kStaticPassword = 1150;

// EAP-FAST tab.
inline constexpr int kProvisionMode = 3141;
inline constexpr int kUsePac = 3138;
inline constexpr int kProvisioningLabel = 1341;
inline constexpr int kProvisioning = 1342;
inline constexpr int kPacPathLabel = 1292;
inline constexpr int kPacPath = 1293;
inline constexpr int kImport = 3139;
inline constexpr int kRemove = 3140;

// Client certificate tab.
inline constexpr int kUseClientCert = 1141;
inline constexpr int kClientList = 1115;
inline constexpr int kIssuedTo = 1120;
inline constexpr int kIssuedBy = 1121;
inline constexpr int kExpiresOn = 1122;
inline constexpr int kFriendlyName = 1123;
inline constexpr int kCertOnMachine = 1343;
inline constexpr int kCertOnSmartCard = 1346;

// Server certificate tab.
inline constexpr int kUseServerCert = 1142;
inline constexpr int kServerList = 1112;
inline constexpr int kIntermediate = 1116;
inline constexpr int kServerName = 1111;
inline constexpr int kNameExact = 1118;
inline constexpr int kNameDomain = 1119;

}  // namespace kavo9::dot1xpage
