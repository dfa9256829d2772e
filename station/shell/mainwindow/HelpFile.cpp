#include "station/shell/mainwindow/HelpFile.h"

namespace kavo9 {

std::string HelpFileName(uint16_t languageId) {
  constexpr uint16_t kChineseTaiwan = 1028;  // 0x0404
  return languageId == kChineseTaiwan ? "TSCONFIGCHN.html" : "TSCONFIGENG.html";
}

void OpenHelp(ProcessLauncher& launcher, const std::filesystem::path& programDir,
              uint16_t languageId) {
  launcher.ShellOpen((programDir / HelpFileName(languageId)).string());
}

}  // namespace kavo9
