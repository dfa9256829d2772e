#include "apps/Stavio/wiring/StationPages.h"

#include "common/adapter/RequestCatalogue.h"
#include "radio/ui/CPageAdvanceDlg.h"
#include "station/networks/ui/CAPDetailInfoDlg.h"
#include "station/networks/ui/CHiddenSsidDlg.h"
#include "station/networks/ui/CPageSiteSurveyDlg.h"
#include "station/shell/controller/CHideDlg.h"
#include "station/shell/mainwindow/MainWindowIds.h"
#include "station/shell/mainwindow/StationWindows.h"
#include "station/shell/ui/MainWindowDlg.h"
#include "station/shell/ui/MessageBoxDlg.h"

namespace kavo9 {

namespace {

// Single sign-on is installed when its logon component says so in its key.
constexpr std::string_view kSsoKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Tesmar";

constexpr int kSiteSurveyPage = 144;
constexpr int kAdvancePage = 145;
constexpr int kHiddenSsidPanel = 1;
constexpr int kApDetailPanel = 4;

}  // namespace

StationPages::StationPages(StationPagesParts parts) : parts_(parts) {
  radioTexts_ = std::make_unique<radio::TextSourceOn<LanguagePort>>(*parts_.language);
  radioSettings_ = std::make_unique<radio::ProfileSettings>(parts_.settings->path());
}

StationPages::~StationPages() = default;

// ---- The window and its parts --------------------------------------------------------------

std::unique_ptr<MainWindowView> StationPages::CreateMainWindow() {
  // The old window (and with it the pages that used the model) is gone by now.
  advance_ = std::make_unique<radio::AdvancePageModel>(
      *parts_.radio, *parts_.requests, *parts_.radioStore, *radioTexts_, *radioSettings_, *this,
      *parts_.platform->loop,
      radio::AdvancePageEnvironment{.windowsVersionCode = parts_.adapter->WindowsVersionCode(),
                                    .isAdministrator = IsAdministrator(),
                                    .allowStandardUserSetAdvance = AllowStandardUserSetAdvance()});
  auto window = std::make_unique<CLinkora2007Dlg>(
      *this, [this](int dialog, QWidget* parent) { return CreatePart(dialog, parent); });
  // A page or panel that could not be made ends the window's creation there; what was made stays
  // usable, so the window is kept either way.
  return window;
}

QWidget* StationPages::CreatePart(int dialog, QWidget* parent) {
  auto text = [this](LangKey key) {
    return QString::fromStdString(parts_.language->language().Text(key));
  };
  auto returnToPages = [this] {
    if (windows_) windows_->ShowPanel(mainwindow::kLinkStatusPanel);
  };
  if (dialog == kSiteSurveyPage) {
    survey_ = new CPageSiteSurveyDlg(*parts_.platform->loop, *this, *parts_.requests, *this, text,
                                     parent);
    return survey_;
  }
  if (dialog == kAdvancePage) return new CPageAdvanceDlg(*advance_, parent);
  if (dialog == mainwindow::kPanelDialogs[kHiddenSsidPanel] && survey_) {
    return new CHiddenSsidDlg(survey_->Logic(), returnToPages, text, parent);
  }
  if (dialog == mainwindow::kPanelDialogs[kApDetailPanel]) {
    apDetail_ = new CAPDetailInfoDlg(returnToPages, text, parent);
    return apDetail_;
  }
  return MakeStandInPart(*this, dialog, parent);
}

void StationPages::OnListReadOutsideQueue() {
  if (survey_) survey_->RebuildRowsNow();
}

void StationPages::ShowPanelExpanded(int number) {
  if (!windows_) return;
  windows_->ShowPanel(number);
  windows_->SetExpanded(true);
}

// ---- MainWindowHost ------------------------------------------------------------------------

std::string StationPages::Text(std::string_view key) const { return parts_.language->Text(key); }

std::string StationPages::FontFaceName() const { return parts_.language->language().FaceName(); }

bool StationPages::SsoInstalled() const {
  std::string value;
  return RegReadString(*parts_.platform->registry, HKEY_LOCAL_MACHINE, kSsoKey, "SSOInstall",
                       &value) == ERROR_SUCCESS &&
         value == "1";
}

bool StationPages::Setting11n() const { return parts_.settings->IsSettingOn(settings::kShow11nPage); }

bool StationPages::IsHtFamily() const { return parts_.adapter->Facts().isHtFamily; }

uint16_t StationPages::DefaultLanguageId() const {
  return parts_.platform->system->DefaultLanguageId();
}

std::filesystem::path StationPages::ProgramDir() const { return parts_.platform->paths->ProgramDir(); }

ProcessLauncher& StationPages::Launcher() { return *parts_.platform->launcher; }

// ---- RadioHost -----------------------------------------------------------------------------

bool StationPages::RadioOn() const { return !controller_ || controller_->radioOn(); }

void StationPages::SetRadioOnFlag(bool on) {
  if (controller_) controller_->SetRadioOn(on);
}

void StationPages::SendRadioRequest(bool on) {
  const uint32_t value = on ? 1 : 0;
  parts_.adapter->SetInformation(OID_VND_RADIO, &value, sizeof value, 3);
}

int StationPages::ConfigToolState() const { return controller_ ? controller_->configToolState() : 0; }

bool StationPages::IsAdministrator() const { return controller_ && controller_->isAdministrator(); }

bool StationPages::AllowStandardUserSetAdvance() const {
  return parts_.settings->IsSettingOn(settings::kAllowStandardUserSetAdvance);
}

void StationPages::WriteRadioValue(std::string_view value) {
  const std::string& key = parts_.adapter->Facts().registryKey;
  if (key.empty()) return;
  std::vector<uint8_t> data = RegBytesFromString(value);
  parts_.store->SetValue(key, "Radio", REG_SZ, data.data(), uint32_t(data.size()),
                         StorePort::Area::kAdvanced);
}

void StationPages::SetSurveyRebuildPending() {
  if (survey_) survey_->Logic().MarkRebuildPending();
}

void StationPages::RequestScan() { parts_.actions->RequestScan(); }

// ---- SurveyStation -------------------------------------------------------------------------

bool StationPages::ScanPending() const { return parts_.actions->ScanPending(); }

MergedBssList& StationPages::Merged() { return parts_.actions->Queue().Merged(); }

bool StationPages::MaySetProfiles() const {
  return IsAdministrator() || parts_.settings->IsSettingOn(settings::kAllowStandardUserSetProfile);
}

std::array<uint8_t, 6> StationPages::CurrentBssid() const {
  return controller_ ? controller_->currentBssid() : std::array<uint8_t, 6>{};
}

// ---- Hand-overs ----------------------------------------------------------------------------

void StationPages::ShowMessage(LangKey key) {
  if (windows_) {
    windows_->ShowMessageBox("Kavo9", parts_.language->language().Text(key), Text("IDS_OK"));
  }
}

void StationPages::ShowHiddenSsidDialog() { ShowPanelExpanded(kHiddenSsidPanel); }

void StationPages::ShowApDetail(std::span<const uint8_t> record) {
  if (!apDetail_ || !windows_) return;
  windows_->ShowPanel(-1);
  apDetail_->ShowRecord(record);
  ShowPanelExpanded(kApDetailPanel);
}

void StationPages::ShowMessage(std::string_view key) {
  if (windows_) windows_->ShowMessageBox("Kavo9", Text(key), Text("IDS_OK"));
}

void StationPages::ShowModelessMessage(std::string_view key) {
  // One warning window at a time: a second warning while it is open only brings it forward.
  if (!modelessMessage_) {
    modelessMessage_ = new CMessageBoxDlg(QString::fromStdString(Text(key)),
                                          QString::fromStdString(Text("IDS_OK")));
    modelessMessage_->setAttribute(Qt::WA_DeleteOnClose);
  }
  modelessMessage_->show();
  modelessMessage_->raise();
}

void StationPages::PressSiteSurveyRescan() {
  if (survey_) survey_->RequestRebuild();
}

}  // namespace kavo9
