#pragma once
// The main window's pages and panels bound to the station: what the window, the site survey and
// the advanced page read from the controller, the radio state and the settings, and where their
// hand-overs go. Pieces that are not built yet keep the named do-nothing defaults of their seams.

#include <QPointer>
#include <memory>

#include "apps/Stavio/wiring/AdapterRequests.h"
#include "apps/Stavio/wiring/StationActions.h"
#include "apps/Stavio/wiring/StationRadio.h"
#include "radio/AdvancePage.h"
#include "station/networks/survey/SurveySeams.h"
#include "station/networks/ui/CAPDetailInfoDlg.h"
#include "station/networks/ui/CPageSiteSurveyDlg.h"
#include "station/shell/controller/Settings.h"
#include "station/shell/controller/StationPorts.h"
#include "station/shell/mainwindow/MainWindowHost.h"
#include "station/shell/mainwindow/MainWindowView.h"

class QWidget;

namespace kavo9 {

class CHideDlg;
class StationWindows;

struct StationPagesParts {
  Platform* platform = nullptr;
  AdapterPort* adapter = nullptr;
  AdapterRequests* requests = nullptr;
  StorePort* store = nullptr;
  const SettingsFile* settings = nullptr;
  const LanguagePort* language = nullptr;
  StationActions* actions = nullptr;
  radio::RadioState* radio = nullptr;
  radio::RadioStore* radioStore = nullptr;
};

class StationPages : public MainWindowHost,
                     public SurveyStation,
                     public SurveyHandOver,
                     public radio::AdvancePageHost {
 public:
  explicit StationPages(StationPagesParts parts);
  ~StationPages() override;

  void SetController(CHideDlg* controller) { controller_ = controller; }
  void SetWindows(StationWindows* windows) { windows_ = windows; }

  // The main window with every page and panel there is; null when it could not be made.
  std::unique_ptr<MainWindowView> CreateMainWindow();
  // The list was read outside the queue: the site survey shows it at once.
  void OnListReadOutsideQueue();
  CPageSiteSurveyDlg* SiteSurveyPage() const { return survey_; }

  // MainWindowHost.
  std::string Text(std::string_view key) const override;
  std::string FontFaceName() const override;
  bool SsoInstalled() const override;
  bool Setting11n() const override;
  bool IsHtFamily() const override;
  uint16_t DefaultLanguageId() const override;
  std::filesystem::path ProgramDir() const override;
  ProcessLauncher& Launcher() override;
  // RadioHost.
  bool RadioOn() const override;
  void SetRadioOnFlag(bool on) override;
  void SetAutoReconnect(bool) override {}  // the connecting piece keeps this flag
  void SendRadioRequest(bool on) override;
  int ConfigToolState() const override;
  void ClearSurveyConnectMarks() override {}  // kept by the connecting piece
  void ConnectActiveProfile(int) override {}  // the profile piece activates profiles
  bool IsAdministrator() const override;
  bool AllowStandardUserSetAdvance() const override;
  void WriteRadioValue(std::string_view value) override;
  void SetSurveyRebuildPending() override;
  void RequestScan() override;

  // SurveyStation.
  bool ScanPending() const override;
  MergedBssList& Merged() override;
  bool SupplicantAvailable() const override { return false; }  // no supplicant binding yet
  bool MaySetProfiles() const override;
  std::array<uint8_t, 6> CurrentBssid() const override;
  bool ConnectedThroughProfile() const override { return false; }
  std::string ActiveProfileSsid() const override { return {}; }

  // SurveyHandOver.
  void ShowMessage(LangKey key) override;
  void ShowHiddenSsidDialog() override;
  void ShowApDetail(std::span<const uint8_t> record) override;

  // AdvancePageHost.
  void ShowMessage(std::string_view key) override;
  void ShowModelessMessage(std::string_view key) override;
  void RefreshCcxControl() override {}  // the CCX piece sends its control word
  void SetSupplicantShowStatus(bool) override {}
  bool HasCurrentConnection() override { return false; }
  void RequeueCurrentConnection() override {}
  void PressSiteSurveyRescan() override;
  void RadioSettingsChanged() override {}  // the profile editor rebuilds its channels

 private:
  QWidget* CreatePart(int dialog, QWidget* parent);
  void ShowPanelExpanded(int number);

  StationPagesParts parts_;
  CHideDlg* controller_ = nullptr;
  StationWindows* windows_ = nullptr;
  std::unique_ptr<radio::TextSource> radioTexts_;
  std::unique_ptr<radio::SettingsSource> radioSettings_;
  std::unique_ptr<radio::AdvancePageModel> advance_;
  QPointer<CPageSiteSurveyDlg> survey_;
  QPointer<CAPDetailInfoDlg> apDetail_;
  QPointer<QWidget> modelessMessage_;
};

}  // namespace kavo9
