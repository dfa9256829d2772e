#pragma once
// What the station's windows ask of the rest of the program, answered from the controller's
// state, the settings file, the registry and the parts: the main window's texts and switches, the
// radio button's steps, the site survey's view of the station. Qt-free, so every rule here is
// tested without windows; the windows' own hand-overs (message boxes, panels) stay with them.

#include <functional>

#include "common/adapter/AdapterPort.h"
#include "common/adapter/DriverPort.h"
#include "common/platform/Platform.h"
#include "common/shell/SettingsFile.h"
#include "common/shell/StorePort.h"
#include "station/networks/queue/ActionQueue.h"
#include "station/networks/survey/SurveySeams.h"
#include "station/shell/controller/ControllerPorts.h"
#include "station/shell/controller/StationLanguage.h"
#include "station/shell/controller/StationState.h"
#include "station/shell/mainwindow/MainWindowHost.h"

namespace kavo9 {

// The single-sign-on key (its rules: station/dot1x/sso).
inline constexpr const char* kSsoKey =
    "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Tesmar";

struct StationServicesParts {
  Platform& platform;
  DriverPort& driver;
  const AdapterPort& adapter;
  StorePort& store;
  const SettingsFile& settings;
  const StationLanguage& language;
  StationState& state;
  ActionQueue& queue;
  ConnectPort& connect;
  SupplicantPort& supplicant;
};

class StationServices : public MainWindowHost, public SurveyStationPort {
 public:
  explicit StationServices(const StationServicesParts& parts) : p_(parts) {}

  // The site survey's rebuild flag, when a survey page exists.
  void SetSurveyRebuildHook(std::function<void()> hook) { surveyRebuild_ = std::move(hook); }

  // MainWindowHost.
  std::string Text(std::string_view key) const override { return p_.language.Text(key); }
  std::string FontFaceName() const override { return p_.language.language().FaceName(); }
  bool SsoInstalled() const override;
  bool Setting11n() const override { return p_.settings.IsSettingOn(settings::kShow11nPage); }
  bool RegisterSetting() const override {
    return p_.settings.IsSettingOn(settings::kShowRegisterPage);
  }
  bool IsHtFamily() const override { return p_.adapter.Identity().isHtFamily; }
  uint16_t DefaultLanguageId() const override;
  std::filesystem::path ProgramDir() const override;
  ProcessLauncher& Launcher() override { return *p_.platform.launcher; }

  // RadioHost.
  bool RadioOn() const override { return p_.state.radioOn; }
  void SetRadioOnFlag(bool on) override { p_.state.radioOn = on; }
  void SetAutoReconnect(bool on) override { p_.connect.SetAutoReconnect(on); }
  void SendRadioRequest(bool on) override;
  int ConfigToolState() const override { return p_.state.configToolState; }
  void ClearSurveyConnectMarks() override { p_.connect.ClearSurveyConnectMarks(); }
  void ConnectActiveProfile(int reason) override { p_.connect.ConnectActiveProfile(reason); }
  bool MaySetAdvanced() const override { return p_.state.MaySetAdvanced(p_.settings); }
  void WriteRadioValue(std::string_view value) override;
  void SetSurveyRebuildPending() override;
  void RequestScan() override { p_.queue.RequestScan(); }

  // SurveyStationPort.
  bool ScanPending() const override { return p_.queue.ScanPending(); }
  MergedBssList& Merged() override { return p_.queue.Merged(); }
  bool SupplicantAvailable() const override { return p_.supplicant.IsRunning(); }
  bool MaySetProfiles() const override { return p_.state.MaySetProfiles(p_.settings); }
  std::array<uint8_t, 6> CurrentBssid() const override { return p_.state.currentBssid; }
  bool ConnectedThroughProfile() const override { return p_.connect.ConnectedThroughProfile(); }
  std::string ActiveProfileSsid() const override { return p_.connect.ActiveProfileSsid(); }

 private:
  StationServicesParts p_;
  std::function<void()> surveyRebuild_;
};

}  // namespace kavo9
