#pragma once
// The tray icon's context menu: which commands it offers to whom.

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

#include "common/platform/TrayIcon.h"
#include "station/shell/tray/TextLookup.h"

namespace kavo9 {

// Commands of the tray menu, sent to the controller as WM_COMMAND. A second instance sends
// kTrayOpen too.
enum TrayCommand : uint32_t {
  kTrayOpen = 32771,
  kTrayExit = 32772,
  kTraySwitchApMode = 32773,
  kTraySwitchTsConfig = 32774,    // this utility manages the adapter
  kTraySwitchZeroConfig = 32775,  // the Windows wireless service manages the adapter
};

struct TrayMenuContext {
  bool administrator = false;
  int configToolState = 0;     // 0 no service, 1 service not managing, 2 service manages
  int windowsVersionCode = 8;  // 8 = Windows XP
  bool accessPointSwitchAllowed = false;
};

// Whether the switch to access-point mode may be offered: the soft-AP utility and the switching
// program both sit in `programDir`, the chip code is 4 to 9, and an adapter is available.
bool AccessPointSwitchAllowed(const std::filesystem::path& programDir, int chipCode,
                              bool adapterAvailable);

// Whether the program `fileName` ("TsSwap.exe") in `dir` can be opened. The programs here carry
// no ".exe", so the name without it counts as well.
bool ProgramFileOpenable(const std::filesystem::path& dir, std::string_view fileName);

// The menu's items in order, labelled from the language texts.
std::vector<TrayMenuItem> BuildTrayMenu(const TrayMenuContext& context, const TextLookup& texts);

}  // namespace kavo9
