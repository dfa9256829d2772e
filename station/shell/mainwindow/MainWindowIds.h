#pragma once
// The numbers of the main window (dialog 102): its controls, the page buttons with their texts,
// icons and pages, and the panels of the lower frame. Each control's object name is its number.

#include <array>
#include <cstdint>
#include <string_view>

namespace kavo9::mainwindow {

inline constexpr int kDialog = 102;
inline constexpr int kUpperFrame = 1331;
inline constexpr int kLowerFrame = 1330;
inline constexpr int kFirstButtonSlot = 1342;
inline constexpr int kLeftArrowSlot = 1340;
inline constexpr int kRightArrowSlot = 1341;
inline constexpr int kMoreLess = 1329;
inline constexpr int kPageContainer = 147;  // CTabDialog

inline constexpr int kLeftArrow = 6256;
inline constexpr int kRightArrow = 6257;
inline constexpr int kLeftArrowIcon = 302;
inline constexpr int kRightArrowIcon = 303;

// The More/Less button's faces.
inline constexpr int kLessIcon = 300;
inline constexpr int kMoreIcon = 301;

// Commands of the page buttons.
inline constexpr int kProfileButton = 1124;
inline constexpr int kSiteSurveyButton = 1125;
inline constexpr int kAdvanceButton = 1126;
inline constexpr int kStatisticsButton = 1127;
inline constexpr int kWmmButton = 1278;
inline constexpr int kWpsButton = 1279;
inline constexpr int kSsoButton = 1370;
inline constexpr int k80211nButton = 6251;
inline constexpr int kRadioButton = 6248;
inline constexpr int kAboutButton = 6252;
inline constexpr int kRegistersButton = 6254;
inline constexpr int kHelpButton = 6253;

inline constexpr int kRadioOnIcon = 272;
inline constexpr int kRadioOffIcon = 273;

inline constexpr int kNoPage = 0;

// The page buttons in bar order.
enum class BarButton {
  Profile,
  SiteSurvey,
  Advance,
  Statistics,
  Wmm,
  Wps,
  Sso,
  Dot11n,
  Radio,
  About,
  Registers,
  Help
};
inline constexpr size_t kBarButtonCount = 12;

struct PageButtonInfo {
  BarButton button;
  int command;
  std::string_view textKey;
  int icon;
  int page;  // dialog number of its page, kNoPage for the radio and help buttons
};

inline constexpr std::array<PageButtonInfo, kBarButtonCount> kPageButtons{{
    {BarButton::Profile, kProfileButton, "IDS_TAB_PROFILE", 137, 143},
    {BarButton::SiteSurvey, kSiteSurveyButton, "IDS_TAB_SITESURVEY", 282, 144},
    {BarButton::Advance, kAdvanceButton, "IDS_TAB_ADVANCE", 136, 145},
    {BarButton::Statistics, kStatisticsButton, "IDS_TAB_STATISTICS", 141, 146},
    {BarButton::Wmm, kWmmButton, "IDS_TAB_WMM", 280, 262},
    {BarButton::Wps, kWpsButton, "IDS_TAB_WPS", 274, 263},
    {BarButton::Sso, kSsoButton, "IDS_TAB_SSO", 305, 2300},
    {BarButton::Dot11n, k80211nButton, "IDS_TAB_80211N", 281, 3243},
    {BarButton::Radio, kRadioButton, "IDS_TAB_RADIO", kRadioOnIcon, kNoPage},
    {BarButton::About, kAboutButton, "IDS_TAB_ABOUT", 289, 136},
    // The register diagnostics, with the advanced page's icon; only with its settings switch.
    {BarButton::Registers, kRegistersButton, "IDS_TAB_REGSETTING", 136, 131},
    {BarButton::Help, kHelpButton, "IDS_BTN_HELP", 295, kNoPage},
}};

inline constexpr const PageButtonInfo& InfoOf(BarButton button) {
  return kPageButtons[static_cast<size_t>(button)];
}

// The button of `command`; the profile button for a command that is none of them.
inline constexpr const PageButtonInfo& InfoOfCommand(int command) {
  for (const auto& info : kPageButtons) {
    if (info.command == command) return info;
  }
  return kPageButtons[0];
}

// Dialog numbers of the pages.
inline constexpr int kProfilePageDialog = 143;
inline constexpr int kSiteSurveyPageDialog = 144;
inline constexpr int kAdvancePageDialog = 145;
inline constexpr int kStatisticsPageDialog = 146;
inline constexpr int kWmmPageDialog = 262;
inline constexpr int kWpsPageDialog = 263;
inline constexpr int kSsoPageDialog = 2300;
inline constexpr int k80211nPageDialog = 3243;
inline constexpr int kAboutPageDialog = 136;
inline constexpr int kRegisterPageDialog = 131;

// Panels of the lower frame, by number: their dialog numbers.
inline constexpr int kPanelCount = 11;
inline constexpr std::array<int, kPanelCount> kPanelDialogs{
    170,   // 0 link status
    180,   // 1 hidden network name
    179,   // 2 profile editor
    181,   // 3 security editor
    257,   // 4 access-point details
    2244,  // 5 authentication status
    247,   // 6 WPS credential details
    2242,  // 7 identity and password re-entry
    165,   // 8 password during authentication
    3242,  // 9 add a Block Ack session
    3245,  // 10 delete Block Ack sessions
};
inline constexpr int kLinkStatusPanel = 0;
inline constexpr int kHiddenSsidPanel = 1;
inline constexpr int kProfileEditorPanel = 2;
inline constexpr int kSecurityEditorPanel = 3;
inline constexpr int kApDetailPanel = 4;
inline constexpr int kAuthStatusPanel = 5;
inline constexpr int kWpsCredentialPanel = 6;
inline constexpr int kReentryPanel = 7;
inline constexpr int kPasswordPanel = 8;
inline constexpr int kAddBlockAckPanel = 9;
inline constexpr int kDeleteBlockAckPanel = 10;

}  // namespace kavo9::mainwindow
