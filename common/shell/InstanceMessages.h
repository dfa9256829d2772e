#pragma once
// The names and numbers the programs share across processes: the single-instance name, the
// window titles a second instance looks for, and the messages it sends to the first.

#include <cstdint>

namespace kavo9 {

// The named mutex both utilities take: only one of them runs at a time.
inline constexpr const char* kInstanceName = "QKB1";
// The title of the station's main window and of the soft-AP sheet, and of the hidden controller.
inline constexpr const char* kMainWindowTitle = "Kavo9";
inline constexpr const char* kControllerTitle = "HideDlg";

// WM_COMMAND ids of the tray menus and what a second instance sends.
enum : uint32_t {
  kCmdOpen = 32771,  // open (or bring up) the main window / sheet
  kCmdExit = 32772,
  kCmdSwitchToAp = 32773,
  kCmdThisUtilityIsTool = 32774,
  kCmdWindowsServiceIsTool = 32775,
  kCmdApExit = 32776,
  kCmdSwitchToStation = 32778,
};

// The notification icon's callback message; its lParam is the mouse message
// (WM_LBUTTONDBLCLK, WM_RBUTTONDOWN of common/platform/TrayIcon.h).
inline constexpr uint32_t kMsgTrayCallback = 0x0464;

}  // namespace kavo9
