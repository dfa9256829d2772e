#pragma once
// The controls of the station's advanced page (dialog 145, "Advance") by number. The window's
// widgets carry these numbers as object names.

#include <span>
#include <string_view>

namespace kavo9::radio::advance {

inline constexpr int kDialog = 145;

enum ControlId : int {
  kWirelessModeLabel = 1212,
  kWirelessModeCombo = 1107,
  kBgProtectionLabel = 1208,
  kBgProtectionButton = 1207,
  kTxRateLabel = 1054,
  kTxRateCombo = 1044,
  kTxBurstCheck = 1109,
  kTcpWindowCheck = 1119,
  kShowAuthStatusCheck = 1312,
  kQosCheck = 1116,
  kRegionGroup = 1227,
  kRegion24Label = 1239,
  kRegion24Combo = 1000,
  kRegion5Label = 1240,
  kRegion5Combo = 1001,
  kApplyButton = 1136,

  // The "HT Physical Mode" group.
  kHtGroup = 1262,
  kHtModeLabel = 3281,
  kHtModeMixed = 3282,
  kHtModeGreenfield = 1283,
  kWidthLabel = 3269,
  kWidth20 = 3273,
  kWidthAuto = 3274,
  kGuardLabel = 3270,
  kGuardLong = 4275,
  kGuardAuto = 4276,
  kStbcLabel = 3271,
  kStbcNone = 3277,
  kStbcAuto = 1278,
  kMcsLabel = 3272,
  kMcsCombo = 1279,
  // The extension-channel row is carried but never shown.
  kExtLabel = 1284,
  kExtNoneRadio = 1285,
  kExtAbove = 1286,
  kExtBelow = 1287,
};

// The controls of the 802.11n group, the hidden extension row included.
inline constexpr ControlId kHtGroupControls[] = {
    kHtGroup,    kHtModeLabel, kHtModeMixed,  kHtModeGreenfield, kWidthLabel, kWidth20,  kWidthAuto,
    kGuardLabel, kGuardLong,   kGuardAuto,    kStbcLabel,        kStbcNone,   kStbcAuto, kMcsLabel,
    kMcsCombo,   kExtLabel,    kExtNoneRadio, kExtAbove,         kExtBelow};

// Every control with its text: a language key (may be empty) and the text shown without one.
struct ControlText {
  ControlId control;
  std::string_view key;
  std::string_view text;
};

inline constexpr ControlText kControlTexts[] = {
    {kWirelessModeLabel, "IDS_WIRELESS_MODE", "Wireless Mode >>"},
    {kWirelessModeCombo, "", ""},
    {kBgProtectionLabel, "IDS_BGPROTECTION", "B/G Protection >>"},
    {kBgProtectionButton, "", "AUTO"},
    {kTxRateLabel, "IDS_TXRATE", "TX Rate >>"},
    {kTxRateCombo, "", ""},
    {kTxBurstCheck, "IDS_ENABLE_TX_BURST", "Enable TX Burst"},
    {kTcpWindowCheck, "IDS_ENABLE_TCP_WINDOW", "Enable TCP Window Size"},
    {kShowAuthStatusCheck, "IDS_SHOW_AUTH_STATUS", "Show Authentication Status Dialog"},
    {kQosCheck, "IDS_QOS", "Enable QOS"},
    {kRegionGroup, "IDS_COUNTRY_REGION", "Select Your Country Region Code"},
    {kRegion24Label, "", "11 B/G >>"},
    {kRegion24Combo, "", ""},
    {kRegion5Label, "", "11 A >>"},
    {kRegion5Combo, "", ""},
    {kApplyButton, "IDS_APPLY", "&APPLY"},
    {kHtGroup, "", "HT Physical Mode"},
    {kHtModeLabel, "", "HT Mode >>"},
    {kHtModeMixed, "", "MM"},
    {kHtModeGreenfield, "", "GF"},
    {kWidthLabel, "", "BW >>"},
    {kWidth20, "", "20"},
    {kWidthAuto, "", "Auto"},
    {kGuardLabel, "", "GI >>"},
    {kGuardLong, "", "long"},
    {kGuardAuto, "", "Auto"},
    {kStbcLabel, "", "STBC >>"},
    {kStbcNone, "", "None"},
    {kStbcAuto, "", "Auto"},
    {kMcsLabel, "", "MCS >>"},
    {kMcsCombo, "", ""},
    {kExtLabel, "", "Ext Channel >>"},
    {kExtNoneRadio, "", "None"},
    {kExtAbove, "", "Above"},
    {kExtBelow, "", "Below"},
};

// The b/g protection menu, by value.
inline constexpr std::string_view kBgProtectionTexts[] = {"AUTO", "ON", "OFF"};

// The page's timers: the 1-second visibility check while shown, and the rescan after an apply
// that changed the band or region.
inline constexpr unsigned kTimerVisibility = 1;
inline constexpr unsigned kTimerRescan = 2;
inline constexpr unsigned kTimerRequeue = 3;
inline constexpr unsigned kVisibilityPeriodMs = 1000;
inline constexpr unsigned kRescanDelayMs = 1000;
inline constexpr unsigned kRequeueDelayMs = 100;

}  // namespace kavo9::radio::advance
