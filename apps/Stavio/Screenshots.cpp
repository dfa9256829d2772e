#include "apps/Stavio/Screenshots.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QTableView>
#include <QTimer>
#include <cstdio>
#include <optional>

#include "apps/Stavio/ScreenshotCertificates.h"
#include "apps/Stavio/wiring/StationApp.h"
#include "common/adapter/DriverValues.h"
#include "common/adapter/RequestCatalogue.h"
#include "common/ui/MessageBoxDlg.h"
#include "common/ui/QtTrayIcon.h"
#include "common/ui/Theme.h"
#include "radio/blockack/ui/CAddBlockAckDlg.h"
#include "radio/blockack/ui/CPage80211nSettingDlg.h"
#include "station/dot1x/editor/ui/CSecurityEditorDlg.h"
#include "station/dot1x/password/ui/CPeapSettingDlg.h"
#include "station/dot1x/sso/SsoRecord.h"
#include "station/networks/BssFacts.h"
#include "station/networks/link/ui/CLinkStatusDlg.h"
#include "station/networks/profiles/editor/ui/CPageAuthEncryDlg.h"
#include "station/networks/profiles/editor/ui/CProfileEditorDlg.h"
#include "station/networks/profiles/page/ui/CPageProfileDlg.h"
#include "station/networks/statistics/ui/CPageStatisticsDlg.h"
#include "station/networks/ui/SurveyListImages.h"
#include "station/shell/mainwindow/MainWindowIds.h"
#include "station/shell/ui/MainWindowDlg.h"
#include "station/shell/ui/TabDialog.h"
#include "station/wps/page/ui/CPageWPSDlg.h"

namespace kavo9 {
namespace {

// How long to wait for the adapter and the first scan before photographing what there is.
constexpr int kPollMs = 250;
constexpr int kMaxPolls = 120;

bool Save(const QPixmap& picture, const QString& path) {
  const bool saved = picture.save(path);
  std::fprintf(saved ? stdout : stderr, "%s %s\n", saved ? "wrote" : "could not write",
               qPrintable(path));
  return saved;
}

// Every icon resource on one sheet, at two sizes, to judge them side by side.
QPixmap IconSheet() {
  const int ids[] = {137, 282, 136, 141, 280, 274, 305, 281, 272, 273, 289, 295,
                     302, 303, 300, 301, 298, 131, 159, 160, 162, 132, 161};
  QPixmap sheet(64 * 12, 64 * 3 + 40);
  sheet.fill(QColor("#F8FAFC"));
  QPainter painter(&sheet);
  int i = 0;
  for (int id : ids) {
    QRect cell((i % 12) * 64, (i / 12) * 64, 64, 64);
    painter.fillRect(cell.adjusted(4, 4, -4, -4),
                     id == 302 || id == 303 ? QColor("#1E293B") : QColor("#FFFFFF"));
    ResourceIcon(id).paint(&painter, cell.adjusted(12, 8, -12, -16));
    painter.drawText(cell.adjusted(0, 0, 0, -2), Qt::AlignHCenter | Qt::AlignBottom,
                     QString::number(id));
    ++i;
  }
  for (int image = 0; image < 10; ++image) {
    QRect cell(image * 64, 3 * 64 - 20, 64, 56);
    ListImage(image).paint(&painter, QRect(cell.x() + 24, cell.y() + 8, 16, 16));
    ListImage(image).paint(&painter, QRect(cell.x() + 20, cell.y() + 28, 24, 24));
  }
  return sheet;
}

// Lets posted work (layouts, the survey's rows) settle before a picture.
void Settle() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

// Lets the program run (its timers, the panel's refreshes) for `ms` before the next picture.
void RunFor(int ms) {
  QEventLoop wait;
  QTimer::singleShot(ms, &wait, &QEventLoop::quit);
  wait.exec();
}

// The link panel while connected, and the statistics page with counters that moved.
bool WriteLinkScreenshots(StationApp& station, CLinkora2007Dlg* window, const QString& folder) {
  bool ok = true;
  StationWindows& windows = station.Windows();
  window->Tabs()->ShowPageOf(mainwindow::kSiteSurveyButton);
  windows.ShowPanel(mainwindow::kLinkStatusPanel);
  windows.SetExpanded(true);
  Settle();
  if (CLinkStatusDlg* link = station.Pages().LinkStatusPanel()) {
    ok &= Save(link->grab(), folder + "/link-not-connected.png");
  }
  // The demo world's open network, joined as a user does: its row on the site survey, Connect.
  if (CPageSiteSurveyDlg* survey = station.Pages().SiteSurveyPage()) {
    const auto& rows = survey->Logic().Rows();
    for (size_t row = 0; row < rows.size(); ++row) {
      if (rows[row].Ssid != "Bakery Guest") continue;
      survey->Logic().OnListClick(int(row));
      survey->Logic().OnConnect(int(row));
      break;
    }
  }
  // A few refreshes: throughput samples and a stretch of signal history.
  RunFor(9000);
  ok &= Save(window->grab(), folder + "/link-connected.png");
  if (CLinkStatusDlg* link = station.Pages().LinkStatusPanel()) {
    ok &= Save(link->grab(), folder + "/link-panel.png");
  }
  window->Tabs()->ShowPageOf(mainwindow::kStatisticsButton);
  if (CPageStatisticsDlg* statistics = station.Pages().StatisticsPage()) {
    statistics->ShowTab(0);
    RunFor(2100);
    ok &= Save(window->grab(), folder + "/statistics-transmit.png");
    statistics->ShowTab(1);
    Settle();
    ok &= Save(window->grab(), folder + "/statistics-receive.png");
  }
  windows.SetExpanded(false);
  return ok;
}

// The profile editor opened from the site survey's "Add To Profile" on the demo's open network,
// each of its tabs, then the profile page with the saved profile selected.
bool WriteProfileScreenshots(StationApp& station, CLinkora2007Dlg* window, const QString& folder) {
  bool ok = true;
  CPageSiteSurveyDlg* survey = station.Pages().SiteSurveyPage();
  CProfileEditorDlg* editor = station.ProfilePages().EditorPanel();
  if (!survey || !editor) return false;
  window->Tabs()->ShowPageOf(mainwindow::kSiteSurveyButton);
  const auto& rows = survey->Logic().Rows();
  for (size_t row = 0; row < rows.size(); ++row) {
    if (rows[row].Ssid != "Bakery Guest") continue;
    survey->Logic().OnAddToProfile(int(row));
    break;
  }
  Settle();
  ok &= Save(window->grab(), folder + "/profile-editor-system.png");
  editor->SelectTab(profileeditor::EditorTab::kSecurity);
  Settle();
  ok &= Save(window->grab(), folder + "/profile-editor-security.png");
  editor->SelectTab(profileeditor::EditorTab::kDot1x);
  Settle();
  ok &= Save(window->grab(), folder + "/profile-editor-8021x.png");
  editor->OnOk();
  Settle();
  if (CPageProfileDlg* page = station.ProfilePages().ProfilePage()) {
    if (page->List()->model()->rowCount() > 0) page->List()->selectRow(0);
  }
  Settle();
  ok &= Save(window->grab(), folder + "/profile-page.png");
  station.Windows().SetExpanded(false);
  return ok;
}

// A page made on its own, at the size it has in the main window's page area.
template <class Make>
bool PhotographPage(const QString& path, Make make) {
  QWidget frame;
  frame.resize(560, 380);
  QWidget* page = make(&frame);
  if (!page) return false;
  page->resize(frame.size());
  frame.show();
  Settle();
  return Save(frame.grab(), path);
}

// The 802.11n page with the sessions of the current link, and its add dialog.
bool Write80211nScreenshots(StationApp& station, const QString& folder) {
  bool ok = PhotographPage(folder + "/11n-setting.png", [&station](QWidget* parent) {
    return station.Pages().Create80211nPage(parent);
  });
  QWidget frame;
  frame.resize(560, 380);
  auto* page = static_cast<CPage80211nSettingDlg*>(station.Pages().Create80211nPage(&frame));
  page->resize(frame.size());
  frame.show();
  Settle();
  if (auto* manual = page->findChild<QAbstractButton*>(QStringLiteral("1242"))) manual->click();
  if (auto* add = page->findChild<QAbstractButton*>(QStringLiteral("1133"))) add->click();
  Settle();
  if (CBlockAckPeerDlg* dialog = page->OpenDialog()) {
    ok &= Save(dialog->grab(), folder + "/11n-add-block-ack.png");
    dialog->reject();
  }
  return ok;
}

// The WPS page during a push-button run against the demo's pressed access point, and once the
// credential is in.
bool WriteWpsScreenshots(StationApp& station, CLinkora2007Dlg* window, const QString& folder) {
  CPageWPSDlg* page = station.Pages().WpsPage();
  if (!page) return false;
  bool ok = true;
  window->Tabs()->ShowPageOf(mainwindow::kWpsButton);
  RunFor(4000);  // the page's first list after the scan
  page->Logic().StartPbc();
  page->Show();
  RunFor(1900);
  ok &= Save(window->grab(), folder + "/wps-run.png");
  RunFor(5000);
  ok &= Save(window->grab(), folder + "/wps-credentials.png");
  if (page->Logic().SelectedProfile() >= 0) {
    page->Logic().ProfileDetail();
    Settle();
    ok &= Save(window->grab(), folder + "/wps-credential-detail.png");
    station.Windows().SetExpanded(false);
  }
  return ok;
}

// The WMM page as it is, then with WMM and direct links on and a link set up with a station of
// the network.
bool WriteWmmScreenshots(StationApp& station, const QString& folder) {
  QWidget frame;
  frame.resize(560, 380);
  QWidget* page = station.Pages().CreateWmmPage(&frame);
  page->resize(frame.size());
  frame.show();
  Settle();
  bool ok = Save(frame.grab(), folder + "/wmm-page.png");
  auto click = [page](const char* id) {
    if (auto* b = page->findChild<QAbstractButton*>(QLatin1String(id))) b->click();
  };
  click("1264");
  click("1250");
  const char* pairs[] = {"00", "0C", "43", "5E", "00", "2A"};
  const char* edits[] = {"1253", "1258", "1260", "1261", "1262", "1263"};
  for (int i = 0; i < 6; ++i) {
    if (auto* edit = page->findChild<QLineEdit*>(QLatin1String(edits[i]))) edit->setText(pairs[i]);
  }
  click("1256");
  RunFor(2200);
  ok &= Save(frame.grab(), folder + "/wmm-direct-link.png");
  return ok;
}

// The re-entry panel after rejections (PEAP; TLS without a password; EAP-FAST with a domain) and
// after a time-out, and the password panel for a change, a one-time password and new credentials.
bool WriteCredentialPanelScreenshots(StationApp& station, CLinkora2007Dlg* window,
                                     const QString& folder) {
  bool ok = true;
  connect::ConnectRecord record;
  record.InfraMode = Ndis802_11Infrastructure;
  record.SetSsid("Corp 802.1X");
  record.AuthMode = Ndis802_11AuthModeWPA2;
  record.Encryption = Ndis802_11Encryption3Enabled;
  record.Use8021X = 1;
  record.Dot1x.ID = "alice";
  record.Dot1x.TunnelID = "alice";
  dot1x::SupplicantBinding& binding = station.Supplicant();
  const struct {
    int reason, method;
    const char* file;
  } reentries[] = {{1, dot1x::kPeap, "reentry-rejected-peap.png"},
                   {1, dot1x::kTls, "reentry-rejected-tls.png"},
                   {2, dot1x::kEapFast, "reentry-rejected-eap-fast.png"},
                   {0, dot1x::kTtls, "reentry-timeout.png"}};
  for (const auto& shot : reentries) {
    record.Dot1x.AuthenProtocol = shot.method;
    binding.TakeCredentials(record);
    binding.SetRejectReason(shot.reason);
    station.Windows().ShowPanel(mainwindow::kReentryPanel);
    station.Windows().SetExpanded(true);
    Settle();
    ok &= Save(window->grab(), folder + "/" + shot.file);
    station.Windows().ShowPanel(mainwindow::kLinkStatusPanel);
  }
  const struct {
    bool change;
    int method;
    const char* file;
  } panels[] = {{true, dot1x::kPeap, "password-panel-change.png"},
                {false, dot1x::kPeap, "password-panel-one-time.png"},
                {false, dot1x::kTtls, "password-panel-new.png"}};
  for (const auto& shot : panels) {
    CPeapSettingDlg* panel = station.Pages().PasswordPanel();
    if (!panel) break;
    record.Dot1x.AuthenProtocol = shot.method;
    binding.TakeCredentials(record);
    panel->Open(shot.change);
    station.Windows().ShowPanel(mainwindow::kPasswordPanel);
    station.Windows().SetExpanded(true);
    Settle();
    ok &= Save(window->grab(), folder + "/" + shot.file);
  }
  station.Windows().ShowPanel(mainwindow::kLinkStatusPanel);
  station.Windows().SetExpanded(false);
  return ok;
}

// The survey's network of this SSID as Connect would hand it to the security editor.
std::optional<SurveySelection> SurveyNetwork(StationApp& station, std::string_view ssid) {
  CPageSiteSurveyDlg* survey = station.Pages().SiteSurveyPage();
  if (!survey) return std::nullopt;
  for (int row = 0; row < int(survey->Logic().Rows().size()); ++row) {
    const std::span<const uint8_t> bytes = survey->Logic().RecordOfRow(row);
    const BssRecordView record(bytes);
    const auto name = record.Ssid();
    if (std::string_view(reinterpret_cast<const char*>(name.data()), name.size()) != ssid) continue;
    survey->List()->selectRow(row);  // as the user chose it
    const BssElementSummary summary = DecodeBssElements(record);
    SurveySelection selection;
    selection.Record.assign(bytes.begin(), bytes.end());
    selection.Authentication = AuthenticationText(summary.Security);
    selection.Cipher = CipherText(summary.Security);
    selection.Secured = IsSecured(record, summary.Security);
    selection.SecurityClass = SecurityClass(selection.Authentication);
    return selection;
  }
  std::fprintf(stderr, "no network '%.*s' in the survey\n", int(ssid.size()), ssid.data());
  return std::nullopt;
}

// The security editor for a WPA2-PSK network and for an enterprise network, with each tab of the
// 802.1X page: PEAP with a token card on the identity tab, TLS with its certificate, the server
// check, and EAP-FAST.
bool WriteSecurityEditorScreenshots(StationApp& station, CLinkora2007Dlg* window,
                                    const QString& folder) {
  bool ok = true;
  dot1x::SecurityEditor& editor = station.SecurityEditor();
  auto panel = [window] {
    return window->findChild<CSecurityEditorDlg*>(QString::number(CSecurityEditorDlg::kDialog));
  };
  window->Tabs()->ShowPageOf(mainwindow::kSiteSurveyButton);
  if (auto psk = SurveyNetwork(station, "Apartment 4B")) {
    editor.Show(*psk);
    editor.Auth().SetPreSharedKey("correct horse battery staple");
    if (panel()) panel()->SecurityTab()->Show();
    Settle();
    ok &= Save(window->grab(), folder + "/security-editor-psk.png");
    editor.Cancel();
  }
  auto corp = SurveyNetwork(station, "ACME-Corp");
  if (!corp || !panel()) return ok;
  editor.Show(*corp);
  Settle();
  ok &= Save(window->grab(), folder + "/security-editor-enterprise.png");

  dot1x::Dot1xPageModel& page = editor.Page();
  auto shoot = [&](dot1x::Dot1xTab tab, const char* name) {
    editor.SelectTab(dot1x::SecurityEditorTab::kDot1x);
    page.SelectTab(tab);
    panel()->TabButton(dot1x::SecurityEditorTab::kDot1x)->click();
    Settle();
    ok &= Save(window->grab(), folder + "/" + name);
  };
  page.ChooseTunnel(dot1x::kTunnelTokenCard);
  page.SetText(dot1x::Dot1xText::kUserId, "alice");
  page.SetText(dot1x::Dot1xText::kTunnelId, "alice@acme-corp.example");
  page.SetText(dot1x::Dot1xText::kTunnelPassword, "wonderland");
  shoot(dot1x::Dot1xTab::kIdentity, "8021x-identity.png");
  page.ChooseMethod(dot1x::kTls);
  page.ChooseClientRow(1);
  shoot(dot1x::Dot1xTab::kClientCert, "8021x-client-cert.png");
  page.SetUseServerCert(true);
  page.ChooseServerRow(1);
  page.SetText(dot1x::Dot1xText::kServerName, "acme-corp.example");
  page.SetNameRule(1);
  page.SetIntermediateCert(true);
  shoot(dot1x::Dot1xTab::kServerCert, "8021x-server-cert.png");
  page.ChooseMethod(dot1x::kEapFast);
  page.SetText(dot1x::Dot1xText::kPacPath, "C:\\Documents and Settings\\alice\\acme.pac");
  shoot(dot1x::Dot1xTab::kEapFast, "8021x-eap-fast.png");
  editor.Cancel();
  station.Windows().SetExpanded(false);
  return ok;
}

// The authentication status panel with the lines of one authentication.
bool WriteDot1xScreenshots(StationApp& station, CLinkora2007Dlg* window, const QString& folder) {
  bool ok = WriteSecurityEditorScreenshots(station, window, folder);
  for (const char* line :
       {"Starting network connection...", "Network is connecting...",
        "Wireless client is authenticated.", "Network Link is connected.", "DHCP is Enabled.",
        "Succeed. IP address is 192.168.73.100.", "Detecting IPX Frame Type.",
        "IPX protocol is not installed on this machine."}) {
    station.Supplicant().AddAuthStatusLine(line);
  }
  station.Windows().ShowPanel(mainwindow::kAuthStatusPanel);
  station.Windows().SetExpanded(true);
  Settle();
  ok &= Save(window->grab(), folder + "/auth-status.png");
  station.Supplicant().ClearTextSlots();
  station.Windows().ShowPanel(mainwindow::kLinkStatusPanel);
  station.Windows().SetExpanded(false);
  ok &= WriteCredentialPanelScreenshots(station, window, folder);
  return ok;
}

// The single-sign-on page on a machine where the logon component is installed, with a LEAP and
// an EAP-FAST profile to choose from; then with the feature switched off.
bool WriteSsoScreenshots(StationApp& station, const QString& folder) {
  Registry& registry = station.MachineRegistry();
  RegWriteString(registry, HKEY_LOCAL_MACHINE, sso::kSsoKey, sso::kInstallValue, "1");
  RegWriteString(registry, HKEY_LOCAL_MACHINE, sso::kSsoKey, sso::kEnableValue, "1");
  RegWriteString(registry, HKEY_LOCAL_MACHINE, sso::kSsoKey, sso::kCurProfileValue, "ACME LEAP");
  profiles::ProfileStore& profiles = station.Connecting().Profiles();
  for (auto [name, leap] : {std::pair{"ACME LEAP", true}, {"ACME FAST", false}}) {
    if (profiles.Exists(name)) continue;
    profiles::ProfileValues values;
    values.Set("SSID", "ACME-Corp");
    values.Set("LeapEnabled", leap ? "1" : "0");
    values.Set("AuthenProtocol", leap ? "0" : "3");
    profiles.WriteProfile(name, values);
  }
  QWidget frame;
  frame.resize(560, 380);
  QWidget* page = station.Pages().CreateSsoPage(&frame);
  if (!page) return false;
  page->resize(frame.size());
  frame.show();
  Settle();
  bool ok = Save(frame.grab(), folder + "/sso-page.png");
  if (auto* feature = page->findChild<QAbstractButton*>(QStringLiteral("1330"))) feature->click();
  Settle();
  ok &= Save(frame.grab(), folder + "/sso-off.png");
  return ok;
}

bool WriteScreenshots(StationApp& station, const QString& folder) {
  QDir().mkpath(folder);
  ImportScreenshotCertificates(station.GetPlatform().paths->MachineDir());
  bool ok = true;
  StationWindows& windows = station.Windows();
  station.Controller().OpenMainWindow();
  auto* window = dynamic_cast<CLinkora2007Dlg*>(windows.MainWindow());
  if (!window) {
    std::fprintf(stderr, "the main window could not be opened (no adapter?)\n");
    return false;
  }
  window->Tabs()->ShowPageOf(mainwindow::kSiteSurveyButton);
  if (CPageSiteSurveyDlg* survey = station.Pages().SiteSurveyPage()) {
    if (survey->List()->model()->rowCount() > 0) survey->List()->selectRow(0);
  }
  Settle();
  ok &= Save(window->grab(), folder + "/mainwindow-collapsed.png");

  windows.SetExpanded(true);
  Settle();
  ok &= Save(window->grab(), folder + "/mainwindow-expanded.png");

  if (CPageSiteSurveyDlg* survey = station.Pages().SiteSurveyPage()) {
    std::span<const uint8_t> record = survey->Logic().RecordOfRow(0);
    if (!record.empty()) {
      station.Pages().ShowApDetail(record);
      Settle();
      ok &= Save(window->grab(), folder + "/ap-detail.png");
    }
  }
  windows.ShowPanel(mainwindow::kLinkStatusPanel);
  windows.SetExpanded(false);
  window->Tabs()->ShowPageOf(mainwindow::kAdvanceButton);
  Settle();
  ok &= Save(window->grab(), folder + "/advance.png");

  {
    TextLookup texts = [&station](std::string_view key) { return station.Text(key); };
    TrayMenuContext context{station.IsAdministrator(), station.ConfigToolState(),
                            station.WindowsVersionCode(), true};
    std::unique_ptr<QMenu> menu(BuildTrayMenu(BuildTrayMenu(context, texts), {}));
    menu->adjustSize();
    menu->setActiveAction(menu->actions().value(0));
    ok &= Save(menu->grab(), folder + "/tray-menu.png");
  }
  {
    CMessageBoxDlg box(QString::fromStdString(station.Text("IDS_GUEST_WARN")),
                       QString::fromStdString(station.Text("IDS_OK")));
    box.show();
    ok &= Save(box.grab(), folder + "/message-box.png");
  }
  ok &= Save(IconSheet(), folder + "/icons.png");
  ok &= WriteProfileScreenshots(station, window, folder);
  ok &= WriteWpsScreenshots(station, window, folder);
  ok &= WriteDot1xScreenshots(station, window, folder);
  ok &= WriteLinkScreenshots(station, window, folder);
  ok &= Write80211nScreenshots(station, folder);
  ok &= WriteWmmScreenshots(station, folder);
  ok &= WriteSsoScreenshots(station, folder);
  if (QWidget* registers = station.Pages().OpenRegisterPage()) {
    registers->resize(640, 300);
    for (auto [id, text] : {std::pair{"1341", "0"}, {"1346", "3E"}, {"1338", "3"}}) {
      if (auto* edit = registers->findChild<QLineEdit*>(QLatin1String(id))) edit->setText(text);
    }
    if (auto* query = registers->findChild<QAbstractButton*>(QStringLiteral("1332")))
      query->click();
    Settle();
    ok &= Save(registers->grab(), folder + "/registers-page.png");
    registers->close();
  }
  ok &= PhotographPage(folder + "/about-page.png", [&station](QWidget* parent) {
    return station.Pages().CreateAboutPage(parent);
  });
  return ok;
}

}  // namespace

void TakeScreenshotsWhenReady(StationApp& station, const QString& folder) {
  auto* poll = new QTimer(qApp);
  auto polls = std::make_shared<int>(0);
  QObject::connect(poll, &QTimer::timeout, qApp, [&station, folder, poll, polls] {
    // The site survey has drawn its rows and enabled its buttons after its own rescan.
    CPageSiteSurveyDlg* survey = station.Pages().SiteSurveyPage();
    const bool ready = station.Controller().state().adapterAvailable && survey &&
                       !station.Actions().ScanPending() &&
                       survey->List()->model()->rowCount() > 0 &&
                       survey->Logic().Controls().Connect;
    if (!ready && ++*polls < kMaxPolls) return;
    poll->stop();
    const bool ok = WriteScreenshots(station, folder);
    QCoreApplication::exit(ok ? 0 : 1);
  });
  poll->start(kPollMs);
}

}  // namespace kavo9
