#pragma once
// The soft-AP utility's numbers: its tray icons and their tips, its string numbers, its timer.

#include <cstdint>

namespace kavo9::softap {

// Tray and window icons (resource numbers).
enum : uint32_t {
  kIconDisconnected = 163,
  kIconGood = 161,
  kIconNormal = 156,
  kIconWeak = 159,
  kIconNotExist = 179,
};

// String numbers of the program's own tables.
enum : int {
  kStrSheetCaption = 102,  // "Kavo9"
  kStrCardNotReady = 182,  // "Card or driver not ready"
  kStrTipDisconnected = 200,
  kStrTipGood = 202,
  kStrTipWeak = 203,
  kStrTipNormal = 204,
  kStrTipNotExist = 3205,
  kStrConfigTitle = 3185,       // "Config"
  kStrNotAdministrator = 3300,  // the administrator message
  kStrMenuLaunch = 3301,
  kStrMenuSwitch = 3302,
  kStrMenuExit = 3303,
  kStrOk = 3304,
  kStrAccessControlTitle = 3310,
  kStrMacTableTitle = 3311,
  kStrEventLogTitle = 3312,
  kStrStatisticsTitle = 3313,
  kStrHtTitle = 3314,
  kStrAboutTitle = 3315,
  kStrNotBuiltYet = 3316,
  kStrSummarySsid = 3320,
  kStrSummaryMode = 3321,
  kStrSummaryChannel = 3322,
  kStrSummaryAuth = 3323,
  kStrSummaryEncryption = 3324,
  kStrSummaryHidden = 3325,
  kStrSummaryNote = 3326,
  kStrCancel = 3327,
  kStrYes = 3328,
  kStrNo = 3329,
  // The 11n Setting page and its session dialogs.
  kStrBaOriginator = 312,
  kStrBaRecipient = 313,
  kStrBaAuto = 314,
  kStrBaManual = 315,
  kStrBaApply = 320,
  kStrBaOk = 324,
  kStrBaCaption = 325,
  kStrBaAddCaption = 326,
  kStrBaMacColumn = 327,
  kStrBaSelectBssid = 333,
  kStrBaCancel = 334,
  kStrBaDensity = 338,
  kStrBaDeleteCaption = 339,
  kStrBaAmsdu = 3340,
  kStrBaSmps = 3341,
  kStrBaEnable = 3342,
  kStrBaMpdu = 3343,
  kStrBaMax3839 = 3344,
  kStrBaMax7935 = 3345,
  kStrBaSmEnable = 3346,
  kStrBaStaticSmps = 3347,
  kStrBaDynamicSmps = 3348,
  kStrBaAdd = 3349,
  kStrBaDelete = 3350,
  kStrBaDeleteEntry = 3351,
  kStrBaTid = 3352,
  kStrBaWindow = 3353,
  kStrBaAvailable = 3354,
  kStrBaBssidColumn = 3355,
  kStrBaBadOriginatorWindow = 3356,
  kStrBaBadRecipientWindow = 3357,
  // The About page.
  kStrAboutDriverVersion = 2,
  kStrAboutDate = 3,
  kStrAboutPhyAddress = 4,
  kStrAboutUtilityVersion = 5,
  kStrAboutEepromVersion = 296,
  kStrAboutFirmwareVersion = 309,
  kStrAboutIpAddress = 350,
  kStrAboutSubMask = 351,
  kStrAboutGateway = 352,
  kStrAboutWeb = 3358,
};

// The controller's timer and its period.
inline constexpr uint32_t kApTickTimer = 1;
inline constexpr uint32_t kApTickMs = 2000;

// The dialog title the controller answers to and its result codes.
inline constexpr int kEndExit = 1;
inline constexpr int kEndNotAdministrator = 2;

}  // namespace kavo9::softap
