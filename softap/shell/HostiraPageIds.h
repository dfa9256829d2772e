#pragma once
// String numbers of the access point's editing pages: the configuration page, its security
// dialog, access control, the station table, the event log and the counters.

namespace kavo9::softap {

enum : int {
  // The configuration page's messages.
  kStrBeaconRange = 61,    // "The beacon period should be between 20 ~ 1000"
  kStrIdleRange = 62,      // "The idle time should be between  60 ~ 3600"
  kStrBand24 = 64,         // "2.4G"
  kStrBand5 = 65,          // "5G"
  kStrKeyInSsid = 195,     // "Please Key in SSID"
  kStrHideSsid = 206,      // "Hide SSID"
  kStrDefault = 208,       // "Default"
  kStrNoForwarding = 211,  // "No forwarding among wireless clients"
  kStrApply = 220,         // "Apply"
  kStrWepKeyLength = 241,
  kStrPskLength = 252,
  kStrTxBurst = 271,  // "Tx BURST"
  kStrWepNote = 306,
  kStrAllowBw40 = 3349,  // "Allow BW 40 MHz"
  // Labels and buttons of the configuration page and the security dialog.
  kStrWirelessModeLabel = 3400,
  kStrSsidLabel,
  kStrChannelLabel,
  kStrUseMac,
  kStrSecurityButton,
  kStrRegionGroup,
  kStrRegion24Label,
  kStrRegion5Label,
  kStrBeaconLabel,
  kStrTxPowerLabel,
  kStrIdleLabel,
  kStrTxRateLabel,
  kStrProtectionLabel,
  kStrHtGroup,
  kStrGuardLabel,
  kStrGuardLong,
  kStrGuardAuto,
  kStrStbcLabel,
  kStrStbcNone,
  kStrStbcAuto,
  kStrMcsLabel,
  kStrHtModeLabel,
  kStrHtModeMixed,
  kStrHtModeGreen,
  kStrExtChannelLabel,
  kStrSecurityCaption,
  kStrAuthLabel,
  kStrEncryptionLabel,
  kStrPskLabel,
  kStrRekeyLabel,
  kStrRekeySeconds,
  kStrRekeyPackets,
  kStrShowPassword,
  kStrKeyLabel,  // "Key#%d"
  kStrKeyHex,
  kStrKeyAscii,
  kStrConfigDescription,
  kStrWepKeysGroup,
};

}  // namespace kavo9::softap

namespace kavo9::softap {

enum : int {
  // Access control.
  kStrMacLabel = 201,        // "MAC Address"
  kStrDelete = 218,          // "Delete"
  kStrRemoveAll = 219,       // "Remove All"
  kStrModify = 221,          // "Modify"
  kStrAccessPolicy = 222,    // "Access Policy"
  kStrAccessList = 223,      // "Access List"
  kStrAdd = 224,             // "Add"
  kStrPolicyDisable = 225,   // "Disable", then "Allow All", "Reject All"
  kStrInvalidMac = 248,      // "Invalid MAC"
  kStrMulticastMac = 249,    // "Multicast MAC Not Accepted"
  kStrDuplicatedMac = 250,   // "Duplicated MAC"
  kStrApErrorCaption = 254,  // "AP Error Message"
  kStrPowerSaveYes = 255,    // "Yes"
  kStrPowerSaveNo = 256,     // "No"
  kStrEditCancel = 139,      // "Cancel"
  // The station table's columns.
  kStrColumnMac = 3440,
  kStrColumnAid,
  kStrColumnPowerSave,
  kStrColumnStatus,
  kStrStationsNone,
  kStrAccessDescription,
  kStrStationsDescription,
};

}  // namespace kavo9::softap

namespace kavo9::softap {

enum : int {
  // The event log.
  kStrEventClear = 236,
  kStrEventTimeColumn = 237,
  kStrEventMessageColumn = 238,
  kStrEventsNone = 3460,
  kStrEventsDescription,
  // The counters.
  kStrTxGroup = 25,
  kStrTxOk = 26,
  kStrTxOkAfterRetry = 28,
  kStrTxFailAllRetry = 29,
  kStrRtsOk = 30,
  kStrRtsFail = 31,
  kStrRxGroup = 32,
  kStrRxOk = 33,
  kStrRxCrcError = 34,
  kStrRxDropped = 35,
  kStrRxDuplicate = 36,
  kStrResetCounters = 37,
  kStrStatisticsDescription = 3462,
  // The clients panel.
  kStrClientsTitle = 3470,
  kStrClientsDescription,
  kStrClientName,
  kStrClientMac,
  kStrClientIp,
  kStrClientRate,
  kStrClientConnected,
};

}  // namespace kavo9::softap
