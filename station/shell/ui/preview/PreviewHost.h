#pragma once
// A stand-in for the rest of the station utility, so the windows can be shown and photographed
// on their own: texts in English or Simplified Chinese, and a radio that only remembers itself.

#include <map>
#include <string>

#include "common/platform/ProcessLauncher.h"
#include "station/shell/mainwindow/MainWindowHost.h"

namespace kavo9 {

class PreviewLauncher : public ProcessLauncher {
 public:
  bool WinExec(std::string_view, int) override { return false; }
  bool ShellOpen(std::string_view file) override;
};

class PreviewHost : public MainWindowHost {
 public:
  explicit PreviewHost(bool chinese);

  std::string Text(std::string_view key) const override;
  std::string FontFaceName() const override { return "Trebuchet MS"; }
  bool SsoInstalled() const override { return ssoInstalled; }
  bool Setting11n() const override { return setting11n; }
  bool IsHtFamily() const override { return true; }
  uint16_t DefaultLanguageId() const override { return chinese_ ? 0x0804 : 0x0409; }
  std::filesystem::path ProgramDir() const override;
  ProcessLauncher& Launcher() override { return launcher_; }

  bool RadioOn() const override { return radioOn; }
  void SetRadioOnFlag(bool on) override { radioOn = on; }
  void SetAutoReconnect(bool) override {}
  void SendRadioRequest(bool) override {}
  int ConfigToolState() const override { return 0; }
  void ClearSurveyConnectMarks() override {}
  void ConnectActiveProfile(int) override {}
  bool IsAdministrator() const override { return true; }
  bool AllowStandardUserSetAdvance() const override { return true; }
  void WriteRadioValue(std::string_view) override {}
  void SetSurveyRebuildPending() override {}
  void RequestScan() override {}

  bool ssoInstalled = false;
  bool setting11n = false;
  bool radioOn = true;

 private:
  bool chinese_;
  PreviewLauncher launcher_;
};

}  // namespace kavo9
