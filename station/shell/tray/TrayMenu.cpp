#include "station/shell/tray/TrayMenu.h"

#include <fstream>

#include "common/shell/ConfigToolState.h"

namespace kavo9 {

bool ProgramFileOpenable(const std::filesystem::path& dir, std::string_view fileName) {
  auto openable = [](const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return false;
    return std::ifstream(path, std::ios::binary).is_open();
  };
  if (openable(dir / std::string(fileName))) return true;
  constexpr std::string_view kExe = ".exe";
  if (fileName.size() > kExe.size() && fileName.ends_with(kExe)) {
    return openable(dir / std::string(fileName.substr(0, fileName.size() - kExe.size())));
  }
  return false;
}

bool AccessPointSwitchAllowed(const std::filesystem::path& programDir, int chipCode,
                              bool adapterAvailable) {
  return ProgramFileOpenable(programDir, "Hostira.exe") &&
         ProgramFileOpenable(programDir, "TsSwap.exe") && chipCode >= 4 && chipCode <= 9 &&
         adapterAvailable;
}

std::vector<TrayMenuItem> BuildTrayMenu(const TrayMenuContext& context, const TextLookup& texts) {
  std::vector<TrayMenuItem> items{{kTrayOpen, texts("IDS_TRAY_LAUNCH")}};
  auto add = [&](TrayCommand command, std::string_view key) {
    items.push_back({command, texts(key)});
  };
  if (context.administrator) {
    if (context.configToolState == kConfigToolService) {
      add(kTraySwitchTsConfig, "IDS_TRAY_SWITCH_TSCONFIG");
    } else if (context.windowsVersionCode >= 8) {
      add(kTraySwitchZeroConfig, "IDS_TRAY_SWITCH_ZEROCONFIG");
    }
    if (context.accessPointSwitchAllowed) add(kTraySwitchApMode, "IDS_TRAY_SWITCH_AP_MODE");
  }
  add(kTrayExit, "IDS_TRAY_EXIT");
  return items;
}

}  // namespace kavo9
