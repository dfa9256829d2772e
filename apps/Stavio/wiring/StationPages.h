#pragma once
// The main window's pages and panels bound to the station: it makes them when the window is
// created, and takes their hand-overs to the window (message boxes, panels) and to the parts
// (connecting, editors, the supplicant, CCX). What the pages read comes from StationServices.

#include <QPointer>
#include <memory>

#include "apps/Stavio/wiring/StationActions.h"
#include "apps/Stavio/wiring/StationProfilePages.h"
#include "apps/Stavio/wiring/StationWpsHost.h"
#include "common/shell/ProgramSettings.h"
#include "radio/AdvancePage.h"
#include "radio/about/AboutInfo.h"
#include "radio/registers/RegisterPage.h"
#include "radio/wmm/WmmPage.h"
#include "station/dot1x/editor/SecurityEditor.h"
#include "station/dot1x/password/PasswordPanel.h"
#include "station/dot1x/password/ui/CPeapSettingDlg.h"
#include "station/dot1x/reentry/Reentry.h"
#include "station/dot1x/sso/SsoPage.h"
#include "station/dot1x/supplicant/SupplicantBinding.h"
#include "station/networks/link/ui/CLinkStatusDlg.h"
#include "station/networks/statistics/Statistics.h"
#include "station/networks/statistics/ui/CPageStatisticsDlg.h"
#include "station/networks/survey/SurveySeams.h"
#include "station/networks/ui/CAPDetailInfoDlg.h"
#include "station/networks/ui/CPageSiteSurveyDlg.h"
#include "station/shell/mainwindow/MainWindowView.h"
#include "station/shell/services/LinkServices.h"
#include "station/shell/services/StationServices.h"
#include "station/wps/page/ui/CPageWPSDlg.h"
#include "station/wps/page/ui/CPageWPSProfile.h"

class QWidget;

namespace kavo9 {

class StationWindows;

// The parts the pages hand over to.
struct StationPagesParts {
  Platform& platform;
  DriverPort& driver;
  const AdapterPort& adapter;
  const SettingsFile& settings;
  ProgramSettings& memory;
  const StationLanguage& language;
  StationState& state;
  StationServices& services;
  radio::RadioState& radio;
  radio::RadioStorePort& radioStore;
  ConnectPort& connect;
  SupplicantPort& supplicant;
  StationProfilePages& profilePages;
  SecurityEditorPort& securityEditor;
  CcxPort& ccx;
  wps::WpsPart& wps;
  // The panels of the supplicant binding and of the security editor; none when null.
  dot1x::SupplicantBinding* supplicantBinding = nullptr;
  dot1x::SecurityEditor* securityEditorPanel = nullptr;
  // The single-sign-on page's logic; no page when null.
  sso::SsoPage* ssoPage = nullptr;
};

class StationPages : public SurveyHandOverPort,
                     public radio::AdvancePageHost,
                     public radio::WmmPageHost,
                     public statistics::StatisticsLinkPort {
 public:
  explicit StationPages(const StationPagesParts& parts);
  ~StationPages() override;

  void SetWindows(StationWindows* windows) { windows_ = windows; }

  // The main window with every page and panel there is; null when it could not be made.
  std::unique_ptr<MainWindowView> CreateMainWindow();
  // The list was read outside the queue: the site survey shows it at once.
  void OnListReadOutsideQueue();
  // The 802.11n page (also made on its own for pictures).
  QWidget* Create80211nPage(QWidget* parent);
  QWidget* CreateWmmPage(QWidget* parent);
  // The single-sign-on page; null without its logic.
  QWidget* CreateSsoPage(QWidget* parent);
  QWidget* CreateAboutPage(QWidget* parent);
  // The register diagnostics, in a window of their own (Ctrl+Shift+R in the main window).
  QWidget* OpenRegisterPage();
  // The same as the page of its page-bar button.
  QWidget* CreateRegisterPage(QWidget* parent);
  CPageSiteSurveyDlg* SiteSurveyPage() const { return survey_; }
  CLinkStatusDlg* LinkStatusPanel() const { return link_; }
  CPageStatisticsDlg* StatisticsPage() const { return statistics_; }
  CPageWPSDlg* WpsPage() const { return wpsPage_; }
  // The password panel of an 802.1X exchange, when the window has it.
  CPeapSettingDlg* PasswordPanel() const { return peap_; }

  // StatisticsLinkPort.
  void ResetLinkByteCounts() override {
    if (link_) link_->Logic().ResetByteCounts();
  }

  // SurveyHandOverPort.
  void ShowMessage(LangKey key) override;
  void ClosePeapDialog() override { p_.supplicant.ClosePeapDialog(); }
  void MarkNotThroughProfile() override { p_.connect.MarkNotThroughProfile(); }
  void ShowHiddenSsidDialog() override;
  void ShowSecurityEditor(const SurveySelection& selection) override {
    p_.securityEditor.Show(selection);
  }
  void CompleteConnection(const SurveySelection& selection) override {
    p_.connect.CompleteConnection(selection);
  }
  void OpenProfileEditor(const SurveySelection& selection) override {
    p_.profilePages.OpenFromSurvey(selection);
  }
  void ShowApDetail(std::span<const uint8_t> record) override;

  // AdvancePageHost.
  void ShowMessage(std::string_view key) override;
  void ShowModelessMessage(std::string_view key) override;
  void RefreshCcxControl() override { p_.ccx.RefreshControl(false); }
  void SetSupplicantShowStatus(bool show) override { p_.supplicant.SetShowStatus(show); }
  bool HasCurrentConnection() override { return p_.connect.HasCurrentConnection(); }
  void RequeueCurrentConnection() override { p_.connect.RequeueCurrentConnection(); }
  void PressSiteSurveyRescan() override;
  void RadioSettingsChanged() override { p_.profilePages.RadioSettingsChanged(); }

  // WmmPageHost (the CCX refresh and the rescan as above).
  bool RadioOn() override { return p_.state.radioOn; }

 private:
  QWidget* CreatePart(int dialog, QWidget* parent);
  QWidget* CreateDot1xPart(int dialog, QWidget* parent);
  void ShowPanelExpanded(int number);
  void ShowWpsCredential(uint32_t slot);
  void ImportWpsCredential(const wps::WpsCredential& credential);

  StationPagesParts p_;
  StationWindows* windows_ = nullptr;
  std::unique_ptr<radio::AdvancePageModel> advance_;
  std::unique_ptr<radio::WmmPageModel> wmm_;
  radio::AboutReader about_;
  std::unique_ptr<radio::RegisterPageModel> registers_;
  QPointer<QWidget> registerPage_;
  QPointer<CPageSiteSurveyDlg> survey_;
  QPointer<CAPDetailInfoDlg> apDetail_;
  LinkServices linkServices_;
  QPointer<CLinkStatusDlg> link_;
  QPointer<CPageStatisticsDlg> statistics_;
  StationWpsHost wpsHost_;
  QPointer<CPageWPSDlg> wpsPage_;
  QPointer<CPageWPSProfile> wpsProfile_;
  QPointer<QWidget> modelessMessage_;
  // The supplicant's two credential panels: their logic lives as long as the pages.
  std::unique_ptr<dot1x::PasswordPanel> passwordPanel_;
  std::unique_ptr<dot1x::Reentry> reentry_;
  QPointer<CPeapSettingDlg> peap_;
};

}  // namespace kavo9
