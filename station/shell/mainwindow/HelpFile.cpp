#include "station/shell/mainwindow/HelpFile.h"

namespace kavo9 {

std::string HelpFileName(uint16_t languageId) {
  constexpr uint16_t kChineseTaiwan = 1028;  // 0x0404
  return languageId == kChineseTaiwan ? "TSCONFIGCHN.html" : "TSCONFIGENG.html";
}

bool OpenHelp(ProcessLauncher& launcher, const std::filesystem::path& programDir,
              uint16_t languageId) {
  return launcher.ShellOpen((programDir / HelpFileName(languageId)).string());
}

std::string HelpNotOpenedMessage(const std::filesystem::path& programDir, uint16_t languageId) {
  return "The help could not be opened: no program to show " + HelpFileName(languageId) +
         " is installed on this computer. The document is " +
         (programDir / HelpFileName(languageId)).string() + ".";
}

}  // namespace kavo9
