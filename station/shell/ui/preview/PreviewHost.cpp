#include "station/shell/ui/preview/PreviewHost.h"

#include <QDesktopServices>
#include <QUrl>

#include "common/platform/Paths.h"

namespace kavo9 {

namespace {

// The program's own directory, where the language files and help documents sit.
class PreviewPaths : public Paths {
 public:
  std::filesystem::path MachineDir() const override { return ProgramDir(); }
  std::filesystem::path ProgramDir() const override { return ExecutablePath().parent_path(); }
  std::filesystem::path ExecutablePath() const override { return CurrentExecutablePath(); }
};

class PreviewSystem : public SystemInfo {
 public:
  explicit PreviewSystem(uint16_t languageId) : languageId_(languageId) {}
  bool GetVersionInfo(bool, OsVersionInfo*) const override { return false; }
  bool IsWow64Process(bool*) const override { return false; }
  uint16_t DefaultLanguageId() const override { return languageId_; }

 private:
  uint16_t languageId_;
};

}  // namespace

bool PreviewLauncher::ShellOpen(std::string_view file) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(std::string(file))));
}

PreviewHost::PreviewHost(bool chinese) : languageId_(chinese ? 0x0804 : 0x0409) {
  language_.LoadLanguage(PreviewPaths(), PreviewSystem(languageId_));
}

std::filesystem::path PreviewHost::ProgramDir() const {
  return CurrentExecutablePath().parent_path();
}

}  // namespace kavo9
