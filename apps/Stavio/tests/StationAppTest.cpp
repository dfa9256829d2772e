// The whole station utility in one process on virtual time: the real controller, windows, action
// queue and radio settings over the adapter emulator of the demo world. These tests catch wiring
// faults: a seam left unbound, a page that never sees the queue's list, a button whose request
// never reaches the driver.

#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <filesystem>

#include "apps/Stavio/wiring/StationApp.h"
#include "common/adapter/RequestCatalogue.h"
#include "common/platform/RecordingTrayIcon.h"
#include "common/platform/fake/FakePlatform.h"
#include "sim/daemon/MachineSetup.h"
#include "sim/emulator/AdapterEmulator.h"
#include "station/networks/BssFacts.h"
#include "station/shell/mainwindow/MainWindowIds.h"
#include "station/shell/ui/MainWindowDlg.h"
#include "station/shell/ui/TabDialog.h"

namespace kavo9 {
namespace {

class StationAppTest : public ::testing::Test {
 protected:
  StationAppTest() {
    const char* source = std::getenv("KAVO9_SOURCE");
    std::string error;
    EXPECT_TRUE(
        LoadScenarioFile(std::string(source) + "/sim/scenarios/demo.json", &scenario, &error))
        << error;
    adapter = scenario.adapters.at(0);
    world = World(scenario.networks);
    EXPECT_EQ(WriteDriverKey(*fake.registry, adapter), ERROR_SUCCESS);
    emulator = std::make_unique<AdapterEmulator>(adapter, world,
                                                 [this] { return fake.loop.MonotonicMs(); });
    emulator->Load(ReadDriverParameters(*fake.registry, adapter));
    Plug();
    // The language files beside the program.
    const char* bin = std::getenv("KAVO9_BIN");
    std::filesystem::copy(std::filesystem::path(bin) / "Languages",
                          fake.paths.programDir / "Languages",
                          std::filesystem::copy_options::recursive);
    auto icon = std::make_unique<RecordingTrayIcon>();
    tray = icon.get();
    app = std::make_unique<StationApp>(
        StationAppParts{.platform = &fake.platform(), .trayIcon = std::move(icon)});
    app->Controller().SetOnEnd([this] { ended = true; });
  }

  // The adapter's device instance and its device, as the daemon publishes them.
  void Plug() {
    fake.deviceEnum.devices.push_back({adapter.hardwareIds, adapter.friendlyName,
                                       adapter.deviceDescription, adapter.locationInformation,
                                       adapter.manufacturer, adapter.DriverKeyName()});
    fake.deviceIo.devices["\\\\.\\" + adapter.instanceId] = emulator->AsHandler();
  }
  void Unplug() {
    fake.deviceIo.devices.clear();
    fake.deviceEnum.devices.clear();
  }

  template <typename T>
  static T* Find(const QWidget* root, int number) {
    return root->findChild<T*>(QString::number(number));
  }
  CLinkora2007Dlg* Window() { return dynamic_cast<CLinkora2007Dlg*>(app->Windows().MainWindow()); }
  std::string AdapterValue(std::string_view name) {
    std::string value;
    RegReadString(*fake.registry, HKEY_LOCAL_MACHINE, DriverKeyPath(adapter), name, &value);
    return value;
  }

  FakePlatform fake;
  Scenario scenario;
  AdapterSpec adapter;
  World world;
  std::unique_ptr<AdapterEmulator> emulator;
  RecordingTrayIcon* tray = nullptr;
  std::unique_ptr<StationApp> app;
  bool ended = false;
};

TEST_F(StationAppTest, StartShowsTheDemoWorldInTheSiteSurvey) {
  app->Controller().Initialise();
  ASSERT_TRUE(app->Controller().state().adapterAvailable);
  EXPECT_TRUE(tray->added);
  EXPECT_EQ(tray->icon, 132u) << "present, not connected";
  ASSERT_NE(Window(), nullptr) << "opened at start without -S";
  EXPECT_EQ(app->Radio().chipKind, app->ChipCode()) << "the region refresh saw the adapter";

  // The adapter-ready scan, then the one the page asks for at its first tick.
  fake.loop.Advance(3 * AdapterEmulator::kScanMs5 + 2 * kTickMs);
  CPageSiteSurveyDlg* survey = app->Pages().SiteSurveyPage();
  ASSERT_NE(survey, nullptr);
  const int rows = survey->List()->model()->rowCount();
  EXPECT_GT(rows, 5);
  EXPECT_EQ(size_t(rows), app->Actions().Queue().Merged().LastSeen.size());

  // A double click shows the access point's details in the expanded window.
  app->Pages().ShowApDetail(survey->Logic().RecordOfRow(0));
  EXPECT_TRUE(Window()->expanded());
  EXPECT_TRUE(app->Windows().IsPanelShown(4));
}

TEST_F(StationAppTest, TheRadioButtonReachesTheDriverTheRegistryAndTheSurvey) {
  app->Controller().Initialise();
  ASSERT_NE(Window(), nullptr);
  QToolButton* radio = Window()->Tabs()->Button(mainwindow::BarButton::Radio);
  ASSERT_NE(radio, nullptr);
  radio->click();
  EXPECT_FALSE(app->Controller().state().radioOn);
  EXPECT_EQ(AdapterValue("Radio"), "1");
  EXPECT_FALSE(emulator->radioOn());
  radio->click();
  EXPECT_TRUE(app->Controller().state().radioOn);
  EXPECT_TRUE(emulator->radioOn());
  EXPECT_EQ(AdapterValue("Radio"), "0");
}

TEST_F(StationAppTest, UnplugClosesTheWindowAndPlugBringsTheAdapterBack) {
  app->Controller().Initialise();
  ASSERT_NE(Window(), nullptr);
  Unplug();
  fake.loop.Advance(kTickMs);
  EXPECT_EQ(tray->icon, 161u) << "no adapter";
  EXPECT_FALSE(app->Windows().IsOpen());
  // The window did not vanish in silence.
  ASSERT_EQ(tray->balloons.size(), 1u);
  EXPECT_NE(tray->balloons[0].find("No wireless adapter is ready"), std::string::npos)
      << tray->balloons[0];

  Plug();
  fake.loop.Advance(kTickMs);
  EXPECT_TRUE(app->Controller().state().adapterAvailable);
  EXPECT_EQ(tray->icon, 132u);

  tray->Click(WM_LBUTTONDBLCLK);  // the tray opens the window again
  EXPECT_TRUE(app->Windows().IsOpen());
  app->RunCommand(kCmdExit);
  EXPECT_TRUE(ended);
  EXPECT_FALSE(tray->added);
  EXPECT_FALSE(app->Windows().IsOpen());
}

// Connecting on the demo world: the survey's Connect, the hidden-network dialog, the active
// profile at start and the reconnect check, each seen from the emulated adapter and the tray.
class StationConnectTest : public StationAppTest {
 protected:
  // Starts the utility and lets its first scans finish.
  CPageSiteSurveyDlg* Start() {
    app->Controller().Initialise();
    fake.loop.Advance(3 * AdapterEmulator::kScanMs5 + 2 * kTickMs);
    return app->Pages().SiteSurveyPage();
  }
  int RowOf(CPageSiteSurveyDlg* survey, const std::string& bssid) {
    MacAddress mac{};
    EXPECT_TRUE(ParseMac(bssid.c_str(), &mac));
    for (int row = 0; row < survey->List()->model()->rowCount(); ++row) {
      const auto record = survey->Logic().RecordOfRow(row);
      if (record.size() >= 14 && std::equal(mac.begin(), mac.end(), record.begin() + 4)) return row;
    }
    ADD_FAILURE() << bssid << " is not listed";
    return -1;
  }
  void ClickConnect(CPageSiteSurveyDlg* survey, int row) {
    ASSERT_GE(row, 0);
    survey->List()->selectRow(row);
    QPushButton* connect = Find<QPushButton>(survey, 1016);
    ASSERT_NE(connect, nullptr);
    ASSERT_TRUE(connect->isEnabled()) << connect->toolTip().toStdString();
    connect->click();
  }
  std::string Joined() {
    const NetworkSpec* n = emulator->associatedNetwork();
    return n ? n->ssid : "";
  }
  // A profile in `key`: its own key, or the adapter key for the active copy.
  void WriteProfile(const std::string& key, const std::string& ssid) {
    for (const auto& [value, text] : std::vector<std::pair<std::string, std::string>>{
             {"SSID", ssid}, {"NetworkType", "1"}, {"AuthenType", "0"}, {"Encryption", "1"}}) {
      ASSERT_EQ(RegWriteString(*fake.registry, HKEY_LOCAL_MACHINE, key, value, text),
                ERROR_SUCCESS);
    }
  }
};

TEST_F(StationConnectTest, ConnectOnAnOpenNetworkJoinsItAndTheTrayShowsIt) {
  CPageSiteSurveyDlg* survey = Start();
  ASSERT_NE(survey, nullptr);
  ClickConnect(survey, RowOf(survey, "00-0E-2E-41-10-06"));
  EXPECT_EQ(Joined(), "Bakery Guest");
  fake.loop.Advance(kTickMs);
  EXPECT_NE(tray->tip.find("Bakery Guest"), std::string::npos) << tray->tip;
  EXPECT_NE(tray->icon, 132u) << "no longer 'not connected'";
}

TEST_F(StationConnectTest, AHiddenNetworkJoinsByTheTypedSsid) {
  CPageSiteSurveyDlg* survey = Start();
  ASSERT_NE(survey, nullptr);
  ClickConnect(survey, RowOf(survey, "00-26-5A-0F-1E-07"));
  ASSERT_TRUE(app->Windows().IsPanelShown(1)) << "the hidden-network dialog";
  auto* edit = Window()->findChild<QLineEdit*>("1068");
  ASSERT_NE(edit, nullptr);
  edit->setText("  Garden Shed ");
  Find<QPushButton>(Window(), 1144)->click();
  EXPECT_EQ(Joined(), "Garden Shed");
}

// The security editor as the survey's Connect opens it for a WEP network (without the supplicant
// Connect itself stays off for a secured row): the typed key joins the network.
TEST_F(StationConnectTest, AWepNetworkJoinsThroughTheSecurityEditor) {
  CPageSiteSurveyDlg* survey = Start();
  ASSERT_NE(survey, nullptr);
  const auto bytes = survey->Logic().RecordOfRow(RowOf(survey, "00-09-5B-11-22-33"));
  const BssRecordView record(bytes);
  const BssElementSummary summary = DecodeBssElements(record);
  SurveySelection selection;
  selection.Record.assign(bytes.begin(), bytes.end());
  selection.Authentication = AuthenticationText(summary.Security);
  selection.Cipher = CipherText(summary.Security);
  selection.Secured = IsSecured(record, summary.Security);
  selection.SecurityClass = SecurityClass(selection.Authentication);
  ASSERT_TRUE(selection.Secured);
  app->Pages().ShowSecurityEditor(selection);
  ASSERT_TRUE(app->Windows().IsPanelShown(mainwindow::kSecurityEditorPanel));
  QWidget* editor = Window()->findChild<QWidget*>("181");
  ASSERT_NE(editor, nullptr);
  auto* key = editor->findChild<QLineEdit*>("1090");
  ASSERT_NE(key, nullptr);
  ASSERT_TRUE(key->isEnabled());
  QTest::keyClicks(key, "1A2B3C4D5E");
  Find<QPushButton>(editor, 1144)->click();
  EXPECT_TRUE(app->Windows().IsPanelShown(mainwindow::kLinkStatusPanel));
  EXPECT_EQ(Joined(), "Hoffmann");
}

TEST_F(StationConnectTest, TheActiveProfileIsAppliedAtStart) {
  // "Home" was activated in an earlier run: its key, its name and its copy in the adapter key.
  WriteProfile(DriverKeyPath(adapter) + "\\Profile\\Station\\Home", "Bakery Guest");
  WriteProfile(DriverKeyPath(adapter), "Bakery Guest");
  ASSERT_EQ(RegWriteString(*fake.registry, HKEY_LOCAL_MACHINE, DriverKeyPath(adapter), "CurProfile",
                           "Home"),
            ERROR_SUCCESS);
  Start();
  EXPECT_EQ(Joined(), "Bakery Guest");
  EXPECT_TRUE(app->Connecting().Connector().HasLastConnectRecord());
}

TEST_F(StationConnectTest, ANetworkThatGoesAwayAndComesBackIsRejoinedByTheReconnectCheck) {
  CPageSiteSurveyDlg* survey = Start();
  ASSERT_NE(survey, nullptr);
  ClickConnect(survey, RowOf(survey, "00-0E-2E-41-10-06"));
  ASSERT_EQ(Joined(), "Bakery Guest");
  MacAddress mac{};
  ASSERT_TRUE(ParseMac("00-0E-2E-41-10-06", &mac));
  const NetworkSpec bakery = *world.Find(mac);
  ASSERT_EQ(world.Remove("Bakery Guest"), 1);
  fake.loop.Advance(kTickMs);
  EXPECT_EQ(Joined(), "");
  EXPECT_EQ(tray->icon, 132u) << "not connected";
  // Away for a minute: the checks find nothing to join.
  fake.loop.Advance(30 * kTickMs);
  EXPECT_EQ(Joined(), "");
  std::string error;
  ASSERT_TRUE(world.Add(bakery, &error)) << error;
  // Back: the next check, at most 30 seconds later, joins it again.
  fake.loop.Advance(15 * kTickMs + AdapterEmulator::kScanMs5);
  EXPECT_EQ(Joined(), "Bakery Guest");
}

// At adapter-ready the station prepares the access-point record once, named after the adapter's
// address, and a switch then has values to copy.
TEST_F(StationAppTest, WithSingleSignOnInstalledItsPageIsReachedFromTheBar) {
  const std::string sso = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Tesmar";
  RegWriteString(*fake.registry, HKEY_LOCAL_MACHINE, sso, "SSOInstall", "1");
  RegWriteString(*fake.registry, HKEY_LOCAL_MACHINE, sso, "SSOEnable", "1");
  const std::string profile = DriverKeyPath(adapter) + "\\Profile\\Station\\Corp";
  RegWriteString(*fake.registry, HKEY_LOCAL_MACHINE, profile, "SSID", "ACME-Corp");
  RegWriteString(*fake.registry, HKEY_LOCAL_MACHINE, profile, "AuthenProtocol", "3");
  app->Controller().Initialise();
  ASSERT_NE(Window(), nullptr);
  QToolButton* button = Window()->Tabs()->Button(mainwindow::BarButton::Sso);
  ASSERT_NE(button, nullptr);
  ASSERT_TRUE(button->isVisible());
  button->click();
  QWidget* page = Window()->findChild<QWidget*>(QStringLiteral("2300"));
  ASSERT_NE(page, nullptr);
  ASSERT_TRUE(page->isVisible());
  auto* name = Find<QLabel>(page, 1345);
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(name->text(), "Corp");
  auto* apply = Find<QPushButton>(page, 1136);
  ASSERT_TRUE(apply && apply->isEnabled());
  apply->click();
  std::string gina;
  RegReadString(*fake.registry, HKEY_LOCAL_MACHINE,
                "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", "GinaDLL", &gina);
  EXPECT_EQ(gina, "TesmarGina.DLL");
  EXPECT_EQ(AdapterValue("CurProfile"), "Corp");
}

TEST_F(StationAppTest, AdapterReadyCreatesTheAccessPointRecordOnce) {
  app->Controller().Initialise();
  const std::string record = DriverKeyPath(adapter) + "\\ApDefault";
  std::string ssid;
  ASSERT_EQ(RegReadString(*fake.registry, HKEY_LOCAL_MACHINE, record, "SSID", &ssid), 0);
  char expected[16];
  std::snprintf(expected, sizeof expected, "SoftAP-%02X", adapter.mac[5]);
  EXPECT_EQ(ssid, expected);
  std::string mode;
  ASSERT_EQ(RegReadString(*fake.registry, HKEY_LOCAL_MACHINE, record, "BeaconPeriod", &mode), 0);
  EXPECT_EQ(mode, "100");
}

// Radio off: the tray shows it, and the list says so instead of showing networks.
TEST_F(StationAppTest, RadioOffShowsInTheTrayAndTheList) {
  app->Controller().Initialise();
  fake.loop.Advance(3 * AdapterEmulator::kScanMs5 + 2 * kTickMs);
  CPageSiteSurveyDlg* survey = app->Pages().SiteSurveyPage();
  ASSERT_NE(survey, nullptr);
  ASSERT_GT(survey->List()->model()->rowCount(), 0);
  Window()->Tabs()->Button(mainwindow::BarButton::Radio)->click();
  fake.loop.Advance(2 * kTickMs);
  EXPECT_EQ(tray->icon, 273u);
  EXPECT_EQ(tray->tip, "Kavo9 - Radio Off");
  EXPECT_EQ(survey->List()->model()->rowCount(), 0);
  EXPECT_FALSE(survey->ListNotice()->isHidden());
  EXPECT_EQ(survey->ListNotice()->text(), "Radio Off");
  EXPECT_EQ(survey->StatusLine()->text(), "Radio Off");
  EXPECT_NE(Find<QPushButton>(survey, 1016)->toolTip().indexOf("radio is off"), -1);

  Window()->Tabs()->Button(mainwindow::BarButton::Radio)->click();
  fake.loop.Advance(kTickMs);
  EXPECT_EQ(tray->icon, 132u) << "on again, not connected";
  EXPECT_TRUE(survey->ListNotice()->isHidden());
}

// The page shown last, the sort order and the dBm box come back after a restart, from the
// program's own settings file.
TEST_F(StationAppTest, LastPageSortOrderAndDbmSurviveARestart) {
  app->Controller().Initialise();
  ASSERT_NE(Window(), nullptr);
  EXPECT_EQ(Window()->Tabs()->CurrentPage(), 143) << "the first start shows the profile page";
  fake.loop.Advance(3 * AdapterEmulator::kScanMs5 + 2 * kTickMs);  // the controls come on
  Window()->Tabs()->ButtonOf(mainwindow::kSiteSurveyButton)->click();
  CPageSiteSurveyDlg* survey = app->Pages().SiteSurveyPage();
  Find<QRadioButton>(survey, 1064)->click();
  Find<QCheckBox>(survey, 1065)->click();
  app->RunCommand(kCmdExit);
  app.reset();
  ShowDbm() = false;

  app = std::make_unique<StationApp>(StationAppParts{
      .platform = &fake.platform(), .trayIcon = std::make_unique<RecordingTrayIcon>()});
  app->Controller().Initialise();
  ASSERT_NE(Window(), nullptr);
  EXPECT_EQ(Window()->Tabs()->CurrentPage(), 144);
  survey = app->Pages().SiteSurveyPage();
  EXPECT_TRUE(Find<QRadioButton>(survey, 1064)->isChecked());
  EXPECT_EQ(survey->Logic().SortKey(), kSortBySignal);
  EXPECT_TRUE(Find<QCheckBox>(survey, 1065)->isChecked());
  EXPECT_TRUE(ShowDbm());
  ShowDbm() = false;  // process-wide: the next test starts clean
}

class RecordingService : public RegistryServiceClient {
 public:
  bool bound = false;
  std::vector<std::string> names;
  bool Bind() override { return bound = true; }
  bool IsBound() const override { return bound; }
  void Unbind() override { bound = false; }
  int32_t Call(const ServiceRequest& request) override {
    names.push_back(request.name);
    return ERROR_SUCCESS;
  }
};

// A standard user's radio settings reach the privileged service when the settings file allows
// it, and are skipped when it does not.
TEST_F(StationAppTest, AStandardUsersRadioWritesGoThroughTheService) {
  fake.token.administrator = false;
  Adapter adapterPort(fake.platform(), Utility::kStation, nullptr);
  adapterPort.DetectWindowsVersion();
  ASSERT_TRUE(adapterPort.DiscoverAdapter());
  RecordingService service;
  for (bool allowed : {true, false}) {
    StoreAccess store(*fake.registry, &service, Utility::kStation);
    store.Bind(allowed, false);
    store.SetAdministrator(false);
    radio::RegistryRadioStore radioStore(fake.platform(), adapterPort, store);
    EXPECT_TRUE(radioStore.CanOpen(radio::RadioKey::kAdapter, false));
    EXPECT_EQ(radioStore.CanOpen(radio::RadioKey::kAdapter, true), allowed);
  }
  StoreAccess store(*fake.registry, &service, Utility::kStation);
  store.Bind(true, false);
  store.SetAdministrator(false);
  radio::RegistryRadioStore radioStore(fake.platform(), adapterPort, store);
  EXPECT_TRUE(radio::WriteDecimal(radioStore, radio::RadioKey::kAdapter, "WirelessMode", 9));
  EXPECT_EQ(service.names, std::vector<std::string>({"WirelessMode"}));
}

}  // namespace
}  // namespace kavo9
