#include "apps/Stavio/wiring/StationApp.h"

#include <QString>

#include "common/ui/MessageBoxDlg.h"
#include "station/dot1x/sso/SsoRules.h"
#include "station/dot1x/supplicant/StationEnvironment.h"
#include "station/shell/mainwindow/MainWindowIds.h"

namespace kavo9 {

StationApp::StationApp(StationAppParts parts)
    : platform_(*parts.platform),
      trayIcon_(std::move(parts.trayIcon)),
      settings_(platform_.paths->ExecutablePath()),
      memory_(ProgramSettings::FileFor(platform_.paths->MachineDir(), platform_.token->UserName(),
                                       "Stavio")),
      adapter_(platform_, Utility::kStation, parts.chooser,
               [this](bool selecting) { state_.selecting = selecting; }),
      driver_(adapter_.access()),
      store_(*platform_.registry, parts.service, Utility::kStation),
      language_(*platform_.paths, *platform_.system),
      wps_(driver_, {adapter_, *platform_.registry, store_}),
      supplicantLibrary_(platform_.libraries),
      supplicant_({supplicantLibrary_, driver_, *platform_.loop, state_}),
      profileDot1xPage_(platform_.certs, settings_.IsSettingOn(settings::kEapFastEnhancement)),
      profileDot1xTab_(profileDot1xPage_),
      securityEditor_(platform_.certs, settings_.IsSettingOn(settings::kEapFastEnhancement)),
      softApDefaults_(*platform_.registry, store_, driver_, adapter_),
      radioStore_(platform_, adapter_, store_),
      adapterRadio_(radio_, adapter_, driver_, radioStore_),
      region_(adapterRadio_),
      ccx_(driver_, *platform_.registry, adapter_),
      connect_({platform_, driver_, adapter_, store_, settings_, state_, language_, radio_,
                adapterRadio_, supplicant_, supplicant_, wps_, ccx_}),
      actions_(*platform_.loop, driver_, adapterRadio_, connect_.Steps(), connect_.Connector(),
               wps_),
      services_({platform_, driver_, adapter_, store_, settings_, language_, state_,
                 actions_.Queue(), connect_.Connector(), supplicant_}),
      profilePages_({platform_, driver_, adapter_, settings_, language_, state_, radio_, services_,
                     connect_.Profiles(), connect_.Connector(), wps_, profileDot1xTab_}),
      signOn_({connect_.Connector(), *platform_.registry, store_, driver_, state_, settings_,
               *platform_.loop}),
      ssoPage_({*platform_.registry, store_, connect_.Profiles(), adapter_, signOn_}),
      domainStep_(*platform_.registry, *platform_.domain, *platform_.loop, supplicant_) {
  connect_.SetQueue(&actions_);
  connect_.Connector().SetSignOn(&signOn_);
  connect_.Connector().SetActivationHook([this](std::string_view name) {
    sso::SsoActivationCheck({*platform_.registry, store_, connect_.Profiles(), connect_}, name);
  });
  dot1x::Dot1xEnvironment env =
      dot1x::StationDot1xEnvironment(settings_, store_, connect_.Profiles(), *platform_.paths);
  env.credentialsChanged = [this](const connect::ConnectRecord& record) {
    connect_.Connector().TakeNewCredentials(record);
  };
  supplicant_.SetEnvironment(std::move(env));
  supplicant_.SetAutoReconnect([this] { return connect_.Connector().AutoReconnect(); });
  memory_.Load();
  ShowDbm() = memory_.Flag(programsettings::kShowDbm, false);
  pages_ = std::make_unique<StationPages>(StationPagesParts{
      platform_, driver_, adapter_, settings_, memory_, language_, state_, services_, radio_,
      radioStore_, connect_.Connector(), supplicant_, profilePages_, securityEditor_, ccx_, wps_,
      &supplicant_, &securityEditor_, &ssoPage_});
  windows_ = std::make_unique<StationWindows>(*this, *trayIcon_,
                                              [this] { return pages_->CreateMainWindow(); });
  controller_ = std::make_unique<CHideDlg>(ControllerParts{
      platform_, driver_, adapter_, store_, settings_, language_, *windows_, *windows_, actions_,
      connect_.Connector(), supplicant_, wps_, softApDefaults_, region_, state_});

  actions_.SetController(controller_.get());
  wpsTimers_.SetController(controller_.get());
  wps_.Bind(
      {.queue = &actions_,
       .supplicant = &supplicant_,
       .timers = &wpsTimers_,
       .freshList = [this] { return std::span<const uint8_t>(actions_.Queue().FreshBssList()); },
       .refreshList = [this] { actions_.RefreshScanList(); },
       .activateStationProfile = [this] { connect_.Connector().ConnectActiveProfile(1); },
       .psMode = [this] { return state_.psMode; }});
  connect_.SetController(controller_.get());
  connect_.SetMessageBox([this](std::string_view text) {
    if (windows_) windows_->ShowMessageBox("Kavo9", text, language_.Text("IDS_OK"));
  });
  actions_.SetListReadCallback([this] { pages_->OnListReadOutsideQueue(); });
  pages_->SetWindows(windows_.get());
  securityEditor_.SetHost(
      {.showPanel =
           [this] {
             windows_->ShowPanel(mainwindow::kSecurityEditorPanel);
             windows_->SetExpanded(true);
           },
       .returnToPages = [this] { windows_->ShowPanel(mainwindow::kLinkStatusPanel); },
       .showMessage =
           [this](LangKey key) {
             windows_->ShowMessageBox("Kavo9", language_.language().Text(key),
                                      language_.Text("IDS_OK"));
           },
       .showText =
           [this](const std::string& text) {
             windows_->ShowMessageBox("Kavo9", text, language_.Text("IDS_OK"));
           },
       .connect =
           [this](const SurveySelection& selection, const connect::SecurityChoices& choices) {
             connect_.Connector().ConnectFromSiteSurvey(selection, choices, true);
           },
       .supplicantAvailable = [this] { return supplicant_.IsRunning(); },
       .windowsVersionCode = [this] { return adapter_.WindowsVersionCode(); }});
  profilePages_.SetWindows(windows_.get());
}

StationApp::~StationApp() {
  // The controller saves its state and closes the windows while everything it uses still exists.
  // A WPS page closing with the windows hands its timers to a controller that is going away.
  wpsTimers_.SetController(nullptr);
  controller_.reset();
  windows_.reset();
}

int StationApp::ShowMessageBox(const std::string& text, const std::string& button) {
  return kavo9::ShowMessageBox(QString::fromStdString(text), QString::fromStdString(button));
}

}  // namespace kavo9
