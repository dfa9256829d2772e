#include "apps/Stavio/wiring/StationPages.h"

#include <QTabWidget>

#include "common/ui/MessageBoxDlg.h"
#include "radio/ui/CPageAdvanceDlg.h"
#include "station/networks/ui/ApDetailIds.h"
#include "station/networks/ui/CAPDetailInfoDlg.h"
#include "station/networks/ui/CHiddenSsidDlg.h"
#include "station/networks/ui/CPageSiteSurveyDlg.h"
#include "station/shell/mainwindow/MainWindowIds.h"
#include "station/shell/mainwindow/StationWindows.h"
#include "station/shell/ui/MainWindowDlg.h"
#include "station/wps/page/WpsImport.h"

namespace kavo9 {

StationPages::StationPages(const StationPagesParts& parts)
    : p_(parts),
      linkServices_({p_.platform, p_.adapter, p_.language, p_.state, p_.radio}),
      wpsHost_(
          {.language = p_.language,
           .state = p_.state,
           .settings = p_.settings,
           .radio = p_.radio,
           .requestScan = [this] { p_.services.RequestScan(); },
           .messageBox =
               [this](const std::string& text, const std::string& button) {
                 if (windows_) windows_->ShowMessageBox("Kavo9", text, button);
               },
           .showApDetail =
               [this](std::span<const uint8_t> record) {
                 ShowApDetail(record);
                 // From the WPS page, the details open on their WPS tab.
                 if (!apDetail_) return;
                 auto* tab =
                     apDetail_->Tabs()->findChild<QWidget*>(QString::number(apdetail::kWpsTab));
                 if (tab) apDetail_->Tabs()->setCurrentWidget(tab);
               },
           .showCredentialDetail = [this](uint32_t slot) { ShowWpsCredential(slot); },
           .importCredential =
               [this](const wps::WpsCredential& credential) { ImportWpsCredential(credential); }}) {
  p_.services.SetSurveyRebuildHook([this] {
    if (survey_) survey_->Logic().MarkRebuildPending();
  });
  linkServices_.SetSurveyRows([this]() -> const std::vector<SiteSurveyRow>* {
    return survey_ ? &survey_->Logic().Rows() : nullptr;
  });
}

StationPages::~StationPages() = default;

// ---- The window and its parts --------------------------------------------------------------

std::unique_ptr<MainWindowView> StationPages::CreateMainWindow() {
  // The old window (and with it the pages that used the model) is gone by now.
  advance_ = std::make_unique<radio::AdvancePageModel>(
      p_.radio, p_.driver, p_.radioStore, p_.language, p_.settings, *this, *p_.platform.loop,
      radio::AdvancePageEnvironment{.windowsVersionCode = p_.adapter.WindowsVersionCode(),
                                    .isAdministrator = p_.state.isAdministrator,
                                    .allowStandardUserSetAdvance = p_.settings.IsSettingOn(
                                        settings::kAllowStandardUserSetAdvance)});
  // A page or panel that could not be made ends the window's creation there; what was made stays
  // usable, so the window is kept either way.
  auto window = std::make_unique<CLinkora2007Dlg>(
      p_.services, [this](int dialog, QWidget* parent) { return CreatePart(dialog, parent); });
  // The page the user looked at last, when it can still be reached.
  window->ShowPageIfReachable(
      p_.memory.Number(programsettings::kLastPage, mainwindow::kProfilePageDialog));
  p_.profilePages.SetShowProfilePage(
      [page = window.get()] { page->ShowPageIfReachable(mainwindow::kProfilePageDialog); });
  window->SetPageShownCallback(
      [this](int page) { p_.memory.SetNumber(programsettings::kLastPage, page); });
  return window;
}

QWidget* StationPages::CreatePart(int dialog, QWidget* parent) {
  auto text = [this](LangKey key) {
    return QString::fromStdString(p_.language.language().Text(key));
  };
  auto returnToPages = [this] {
    if (windows_) windows_->ShowPanel(mainwindow::kLinkStatusPanel);
  };
  if (dialog == mainwindow::kSiteSurveyPageDialog) {
    survey_ =
        new CPageSiteSurveyDlg(*p_.platform.loop, p_.services, p_.driver, *this, text, parent);
    survey_->RestorePreferences(p_.memory.Number(programsettings::kSortKey, kSortBySsid),
                                ShowDbm());
    QObject::connect(survey_, &CPageSiteSurveyDlg::PreferencesChanged, survey_,
                     [this](int sortKey, bool showDbm) {
                       p_.memory.SetNumber(programsettings::kSortKey, sortKey);
                       p_.memory.SetFlag(programsettings::kShowDbm, showDbm);
                     });
    return survey_;
  }
  if (dialog == mainwindow::kAdvancePageDialog) return new CPageAdvanceDlg(*advance_, parent);
  if (dialog == mainwindow::kProfilePageDialog) return p_.profilePages.CreateProfilePage(parent);
  if (dialog == mainwindow::kPanelDialogs[mainwindow::kProfileEditorPanel]) {
    return p_.profilePages.CreateEditorPanel(parent);
  }
  const QString face = QString::fromStdString(p_.language.language().FaceName());
  if (dialog == mainwindow::kStatisticsPageDialog) {
    statistics_ = new CPageStatisticsDlg(*p_.platform.loop, p_.driver, *this, text, face, parent);
    return statistics_;
  }
  if (dialog == mainwindow::kWpsPageDialog) {
    wpsPage_ = new CPageWPSDlg(
        *p_.platform.loop, p_.wps, wpsHost_, text, face,
        {.bandChoiceShown = p_.settings.IsSettingOn(settings::kSupportPhyModeinWps)}, parent);
    return wpsPage_;
  }
  if (dialog == mainwindow::kPanelDialogs[mainwindow::kWpsCredentialPanel]) {
    WpsProfileHooks hooks{
        .done = returnToPages,
        .message =
            [this](const std::string& message) {
              if (windows_) windows_->ShowMessageBox("Kavo9", message, p_.language.Text("IDS_OK"));
            },
        .confirm =
            [this](const std::string& question) {
              return windows_ && windows_->AskMessageBox(question, p_.language.Text("IDS_OK")) == 1;
            },
        .edited =
            [this] {
              if (wpsPage_) {
                wpsPage_->Logic().CredentialEdited();
              } else {
                p_.wps.Record().SaveWscInUse(p_.wps.State());
                p_.wps.Record().SaveWpsRecord(p_.wps.State());
              }
            }};
    wpsProfile_ = new CPageWPSProfile(p_.wps, std::move(hooks), text, parent);
    return wpsProfile_;
  }
  if (dialog == mainwindow::kPanelDialogs[mainwindow::kLinkStatusPanel]) {
    link_ = new CLinkStatusDlg(*p_.platform.loop, p_.driver, linkServices_, face, parent);
    return link_;
  }
  if (dialog == mainwindow::kPanelDialogs[mainwindow::kHiddenSsidPanel] && survey_) {
    return new CHiddenSsidDlg(survey_->Logic(), returnToPages, text, parent);
  }
  if (dialog == mainwindow::kPanelDialogs[mainwindow::kApDetailPanel]) {
    apDetail_ = new CAPDetailInfoDlg(returnToPages, text, parent);
    return apDetail_;
  }
  return MakeStandInPart(p_.services, dialog, parent);
}

void StationPages::OnListReadOutsideQueue() {
  if (survey_) survey_->RebuildRowsNow();
}

void StationPages::ShowPanelExpanded(int number) {
  if (!windows_) return;
  windows_->ShowPanel(number);
  windows_->SetExpanded(true);
}

// ---- Hand-overs ----------------------------------------------------------------------------

void StationPages::ShowMessage(LangKey key) {
  if (windows_) {
    windows_->ShowMessageBox("Kavo9", p_.language.language().Text(key), p_.language.Text("IDS_OK"));
  }
}

void StationPages::ShowHiddenSsidDialog() {
  ShowPanelExpanded(mainwindow::kHiddenSsidPanel);
}

void StationPages::ShowApDetail(std::span<const uint8_t> record) {
  if (!apDetail_ || !windows_) return;
  windows_->ShowPanel(-1);
  apDetail_->ShowRecord(record);
  ShowPanelExpanded(mainwindow::kApDetailPanel);
}

void StationPages::ImportWpsCredential(const wps::WpsCredential& credential) {
  const profileeditor::OkResult result =
      wpspage::ImportCredential(p_.profilePages.Editor(), credential);
  if (!result.saved && windows_) {
    const std::string text =
        result.message ? p_.language.language().Text(*result.message) : result.text;
    if (!text.empty()) windows_->ShowMessageBox("Kavo9", text, p_.language.Text("IDS_OK"));
  }
  if (CPageProfileDlg* page = p_.profilePages.ProfilePage()) page->RefreshProfileList();
}

void StationPages::ShowWpsCredential(uint32_t slot) {
  if (!wpsProfile_ || !windows_) return;
  wpsProfile_->ShowSlot(slot);
  ShowPanelExpanded(mainwindow::kWpsCredentialPanel);
}

void StationPages::ShowMessage(std::string_view key) {
  if (windows_)
    windows_->ShowMessageBox("Kavo9", p_.language.Text(key), p_.language.Text("IDS_OK"));
}

void StationPages::ShowModelessMessage(std::string_view key) {
  // One warning window at a time: a second warning while it is open only brings it forward.
  if (!modelessMessage_) {
    modelessMessage_ = new CMessageBoxDlg(QString::fromStdString(p_.language.Text(key)),
                                          QString::fromStdString(p_.language.Text("IDS_OK")));
    modelessMessage_->setAttribute(Qt::WA_DeleteOnClose);
  }
  modelessMessage_->show();
  modelessMessage_->raise();
}

void StationPages::PressSiteSurveyRescan() {
  if (survey_) survey_->RequestRebuild();
}

}  // namespace kavo9
