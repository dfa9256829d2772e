#include "apps/Stavio/wiring/StationPages.h"

#include <QKeySequence>
#include <QShortcut>
#include <QTabWidget>
#include <thread>

#include "common/adapter/RequestCatalogue.h"
#include "common/platform/Registry.h"
#include "common/ui/MessageBoxDlg.h"
#include "radio/about/ui/CPageAboutDlg.h"
#include "radio/blockack/ui/CPage80211nSettingDlg.h"
#include "radio/registers/ui/CPageRegSettingDlg.h"
#include "radio/ui/CPageAdvanceDlg.h"
#include "radio/wmm/ui/CPageWMMDlg.h"
#include "station/dot1x/editor/ui/CSecurityEditorDlg.h"
#include "station/dot1x/password/ui/CPeapSettingDlg.h"
#include "station/dot1x/reentry/ui/CInvalidIDPW.h"
#include "station/dot1x/sso/ui/CPageSSODlg.h"
#include "station/dot1x/supplicant/ui/CAuthenStatusDlg.h"
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
      about_(p_.platform, p_.driver, p_.adapter, Utility::kStation),
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
  if (dot1x::SupplicantBinding* binding = p_.supplicantBinding) {
    passwordPanel_ = std::make_unique<dot1x::PasswordPanel>(*binding);
    reentry_ = std::make_unique<dot1x::Reentry>(
        dot1x::ReentryParts{*binding, p_.driver, p_.connect,
                            [this](std::string_view name) {
                              std::string value;
                              RegReadString(*p_.platform.registry, HKEY_LOCAL_MACHINE,
                                            p_.adapter.Identity().registryKey, name, &value);
                              return value;
                            },
                            nullptr});
    binding->SetReentry(
        [this](int) { ShowPanelExpanded(mainwindow::kReentryPanel); },
        [this] { return p_.settings.IsSettingOn(settings::kGenericRejectedCallback); });
    binding->SetPasswordPanel(
        [this, binding](bool change) {
          // Without a window there is no one to ask: the exchange hears Cancel.
          if (!peap_ || !windows_) return binding->PasswordPanelDone(false);
          peap_->Open(change);
          ShowPanelExpanded(mainwindow::kPasswordPanel);
        },
        [this] {
          if (windows_) windows_->ShowPanel(mainwindow::kLinkStatusPanel);
        });
  }
}

StationPages::~StationPages() {
  if (dot1x::SupplicantBinding* binding = p_.supplicantBinding) {
    binding->SetReentry({}, {});
    binding->SetPasswordPanel({}, {});
  }
}

// ---- The window and its parts --------------------------------------------------------------

std::unique_ptr<MainWindowView> StationPages::CreateMainWindow() {
  // The old window (and with it the pages that used the model) is gone by now.
  advance_ = std::make_unique<radio::AdvancePageModel>(
      p_.radio, p_.driver, p_.radioStore, p_.language, p_.settings, *this, *p_.platform.loop,
      radio::AdvancePageEnvironment{.windowsVersionCode = p_.adapter.WindowsVersionCode(),
                                    .isAdministrator = p_.state.isAdministrator,
                                    .allowStandardUserSetAdvance = p_.settings.IsSettingOn(
                                        settings::kAllowStandardUserSetAdvance)});
  wmm_ = std::make_unique<radio::WmmPageModel>(p_.driver, p_.radioStore, p_.language, *this,
                                               *p_.platform.loop);
  // A page or panel that could not be made ends the window's creation there; what was made stays
  // usable, so the window is kept either way.
  auto window = std::make_unique<CLinkora2007Dlg>(
      p_.services, [this](int dialog, QWidget* parent) { return CreatePart(dialog, parent); });
  // The page the user looked at last, when it can still be reached.
  window->ShowPageIfReachable(
      p_.memory.Number(programsettings::kLastPage, mainwindow::kProfilePageDialog));
  p_.profilePages.SetShowProfilePage(
      [page = window.get()] { page->ShowPageIfReachable(mainwindow::kProfilePageDialog); });
  // The register diagnostics have no page button: an engineer opens them with a key combination.
  if (auto* widget = dynamic_cast<QWidget*>(window.get())) {
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R), widget);
    QObject::connect(shortcut, &QShortcut::activated, widget, [this] { OpenRegisterPage(); });
  }
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
  if (dialog == mainwindow::k80211nPageDialog) return Create80211nPage(parent);
  if (dialog == mainwindow::kWmmPageDialog) return CreateWmmPage(parent);
  if (dialog == mainwindow::kAboutPageDialog) return CreateAboutPage(parent);
  if (dialog == mainwindow::kRegisterPageDialog) return CreateRegisterPage(parent);
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
  if (dialog == mainwindow::kSsoPageDialog && p_.ssoPage) return CreateSsoPage(parent);
  if (QWidget* part = CreateDot1xPart(dialog, parent)) return part;
  return MakeStandInPart(p_.services, dialog, parent);
}

QWidget* StationPages::CreateSsoPage(QWidget* parent) {
  if (!p_.ssoPage) return nullptr;
  return new CPageSSODlg(
      *p_.ssoPage,
      [this](std::string_view key) { return QString::fromStdString(p_.language.Text(key)); },
      parent);
}

QWidget* StationPages::Create80211nPage(QWidget* parent) {
  auto t = [this](std::string_view key) { return QString::fromStdString(p_.language.Text(key)); };
  // The options without a language key keep the page's own English texts.
  BlockAckTexts texts{
      .title = t("IDS_TAB_80211N"),
      .amsduGroup = QStringLiteral("A-MSDU"),
      .smpsGroup = QStringLiteral("Spatial Multiplexing Power Save"),
      .originator = t("IDS_BLOCKACK_ORIGINATOR"),
      .recipient = t("IDS_BLOCKACK_RECIPIENT"),
      .amsduEnable = QStringLiteral("Enable"),
      .mpdu = t("IDS_BLOCKACK_ENABLE_BA"),
      .max3839 = QStringLiteral("Max: 3839"),
      .max7935 = QStringLiteral("Max: 7935"),
      .smEnable = QStringLiteral("SM enable"),
      .staticSmps = QStringLiteral("Static SMPS"),
      .dynamicSmps = QStringLiteral("Dynamic SMPS"),
      .manual = t("IDS_BLOCKACK_MANUAL"),
      .automatic = t("IDS_BLOCKACK_AUTO"),
      .density = t("IDS_BLOCKACK_DENSITY"),
      .apply = t("IDS_APPLY"),
      .add = QStringLiteral("+"),
      .remove = QStringLiteral("-"),
      .removeAll = QStringLiteral("-All"),
      .macColumn = t("IDS_BLOCKACK_MAC"),
      .addCaption = t("IDS_TAB_ADD_BLOCK_ACK"),
      .deleteCaption = t("IDS_TAB_DELETE_BLOCK_ACK"),
      .tid = t("IDS_ADD_BLOCKACK_TID"),
      .window = t("IDS_ADD_BLOCKACK_WINDOW_SIZE"),
      .availableBssids = t("IDS_ADD_BLOCKACK_AVAIL_BSSID"),
      .bssidColumn = QStringLiteral("BSSID"),
      .ok = t("IDS_ADD_BLOCKACK_CONFIRM"),
      .cancel = t("IDS_ADD_BLOCKACK_CANCEL"),
      .noPeer = t("IDS_ADD_BLOCKACK_BSSID_ERR_MSG"),
      .badOriginatorWindow = t("IDS_ADD_BLOCKACK_ORI_WM_SIZE_ERR_MSG"),
      .badRecipientWindow = t("IDS_ADD_BLOCKACK_REC_WM_SIZE_ERR_MSG"),
  };
  BlockAckHooks hooks{.showMessage =
                          [this](const QString& message) {
                            if (windows_) {
                              windows_->ShowMessageBox("Kavo9", message.toStdString(),
                                                       p_.language.Text("IDS_OK"));
                            }
                          },
                      .associatedBssid = [this]() -> std::optional<radio::MacBytes> {
                        radio::MacBytes bssid{};
                        if (!QueryValue(p_.driver, OID_802_11_BSSID, &bssid)) return std::nullopt;
                        if (bssid == radio::MacBytes{}) return std::nullopt;
                        return bssid;
                      }};
  // Each page has its own model, gone with the page.
  auto* model = new radio::BlockAckPageModel(p_.driver, p_.radioStore, *p_.platform.loop);
  auto* page = new CPage80211nSettingDlg(*model, BlockAckFlavour::kStation, std::move(texts),
                                         std::move(hooks), parent);
  QObject::connect(page, &QObject::destroyed, [model] { delete model; });
  return page;
}

QWidget* StationPages::CreateWmmPage(QWidget* parent) {
  return new CPageWMMDlg(
      *wmm_, [this](std::string_view key) { return QString::fromStdString(p_.language.Text(key)); },
      [this](std::string_view key) { ShowMessage(key); }, parent);
}

QWidget* StationPages::CreateAboutPage(QWidget* parent) {
  auto t = [this](std::string_view key) { return QString::fromStdString(p_.language.Text(key)); };
  AboutTexts texts{.title = t("IDS_TAB_ABOUT"),
                   .utilityVersion = t("IDS_ABOUT_TS_VERSION"),
                   .date = t("IDS_ABOUT_DATE"),
                   .driverVersion = t("IDS_ABOUT_VERSION"),
                   .eepromVersion = t("IDS_EEPROMVERSION"),
                   .firmwareVersion = t("IDS_FW_VERSION_NAME"),
                   .macAddress = t("IDS_ABOUT_PHY_ADDR"),
                   .web = QStringLiteral("&Web Site")};
  // The shell may take its time to start a browser: the page does not wait for it.
  ProcessLauncher* launcher = p_.platform.launcher;
  auto openWeb = [launcher] {
    std::thread([launcher] { launcher->ShellOpen(radio::kVendorWebAddress); }).detach();
  };
  return new CPageAboutDlg(about_, AboutFlavour::kStation, std::move(texts), openWeb, parent);
}

QWidget* StationPages::CreateRegisterPage(QWidget* parent) {
  if (!registers_) {
    // Dumps go to the program's current directory, as its users expect of a diagnostics tool.
    std::error_code ec;
    registers_ = std::make_unique<radio::RegisterPageModel>(p_.driver, *p_.platform.loop,
                                                            std::filesystem::current_path(ec));
  }
  return new CPageRegSettingDlg(
      *registers_,
      [this](const QString& message) {
        if (windows_) {
          windows_->ShowMessageBox("Kavo9", message.toStdString(), p_.language.Text("IDS_OK"));
        }
      },
      parent);
}

QWidget* StationPages::OpenRegisterPage() {
  if (!registerPage_) {
    registerPage_ = CreateRegisterPage(nullptr);
    registerPage_->setAttribute(Qt::WA_DeleteOnClose);
  }
  registerPage_->show();
  registerPage_->raise();
  registerPage_->activateWindow();
  return registerPage_;
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
  if (dialog == mainwindow::kPanelDialogs[mainwindow::kReentryPanel] && reentry_) {
    auto message = [this](const QString& shown) {
      if (windows_)
        windows_->ShowMessageBox("Kavo9", shown.toStdString(), p_.language.Text("IDS_OK"));
    };
    return new CInvalidIDPW(*reentry_, text, message, returnToPages, parent);
  }
  if (dialog == mainwindow::kPanelDialogs[mainwindow::kPasswordPanel] && passwordPanel_) {
    peap_ = new CPeapSettingDlg(*passwordPanel_, text, returnToPages, parent);
    return peap_;
  }
  if (dialog == mainwindow::kPanelDialogs[mainwindow::kSecurityEditorPanel] &&
      p_.securityEditorPanel) {
    return new CSecurityEditorDlg(
        *p_.securityEditorPanel,
        [this](LangKey key) { return QString::fromStdString(p_.language.language().Text(key)); },
        parent);
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
