#pragma once
// A stand-in for the rest of the station utility, so the windows can be shown and photographed
// on their own: the real language files (English, or Simplified Chinese with --chinese), and a
// radio that only remembers itself.

#include <string>

#include "common/platform/ProcessLauncher.h"
#include "station/shell/Language.h"
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

  std::string Text(std::string_view key) const override { return language_.Text(key); }
  std::string FontFaceName() const override { return language_.FaceName(); }
  bool SsoInstalled() const override { return ssoInstalled; }
  bool Setting11n() const override { return setting11n; }
  bool IsHtFamily() const override { return true; }
  uint16_t DefaultLanguageId() const override { return languageId_; }
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
  uint16_t languageId_;
  Language language_;
  PreviewLauncher launcher_;
};

}  // namespace kavo9
