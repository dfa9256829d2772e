#include "station/shell/mainwindow/HelpFile.h"

namespace kavo9 {

std::string HelpFileName(uint16_t languageId) {
  // Any Chinese locale (Taiwan 0x0404, PRC 0x0804, Hong Kong, Singapore, Macao) gets the Chinese
  // document: its primary language is 0x04.
  constexpr uint16_t kPrimaryLanguageMask = 0x03FF;
  constexpr uint16_t kChinese = 0x04;
  return (languageId & kPrimaryLanguageMask) == kChinese ? "TSCONFIGCHN.html" : "TSCONFIGENG.html";
}

void OpenHelp(ProcessLauncher& launcher, const std::filesystem::path& programDir,
              uint16_t languageId) {
  launcher.ShellOpen((programDir / HelpFileName(languageId)).string());
}

}  // namespace kavo9
