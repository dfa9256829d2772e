#include "apps/Stavio/wiring/StationPages.h"

#include "common/ui/MessageBoxDlg.h"
#include "radio/ui/CPageAdvanceDlg.h"
#include "station/dot1x/passphrase/ui/CPassPhraseDlg.h"
#include "station/dot1x/supplicant/ui/CAuthenStatusDlg.h"
#include "station/networks/ui/CAPDetailInfoDlg.h"
#include "station/networks/ui/CHiddenSsidDlg.h"
#include "station/networks/ui/CPageSiteSurveyDlg.h"
#include "station/shell/mainwindow/MainWindowIds.h"
#include "station/shell/mainwindow/StationWindows.h"
#include "station/shell/ui/MainWindowDlg.h"

namespace kavo9 {

StationPages::StationPages(const StationPagesParts& parts)
    : p_(parts), linkServices_({p_.platform, p_.adapter, p_.language, p_.state, p_.radio}) {
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
  if (QWidget* part = CreateDot1xPart(dialog, parent)) return part;
  return MakeStandInPart(p_.services, dialog, parent);
}

QWidget* StationPages::CreateDot1xPart(int dialog, QWidget* parent) {
  auto text = [this](std::string_view key) {
    return QString::fromStdString(p_.language.Text(key));
  };
  auto returnToPages = [this] {
    if (windows_) windows_->ShowPanel(mainwindow::kLinkStatusPanel);
  };
  if (dialog == mainwindow::kPanelDialogs[mainwindow::kAuthStatusPanel] && p_.supplicantBinding) {
    auto* view = new CAuthenStatusDlg(p_.supplicantBinding->StatusList(), *p_.platform.loop,
                                      returnToPages, text, parent);
    p_.supplicantBinding->SetStatusView([view = QPointer<CAuthenStatusDlg>(view)](int index) {
      if (view) view->OnStatusLine(index);
    });
    return view;
  }
  if (dialog == mainwindow::kPanelDialogs[mainwindow::kSecurityEditorPanel] && p_.passPhrase) {
    return new CPassPhraseDlg(*p_.passPhrase, text, parent);
  }
  return nullptr;
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
