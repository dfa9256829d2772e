// The whole soft-AP utility in one process on virtual time, over the adapter emulator of the demo
// world: the wiring's faults show here (a part left unbound, a sheet without its pages, an apply
// that never reaches the driver).

#include <gtest/gtest.h>

#include <QTest>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>

#include "apps/Hostira/wiring/HostiraApp.h"
#include "common/platform/RecordingTrayIcon.h"
#include "common/platform/fake/FakePlatform.h"
#include "common/shell/InstanceMessages.h"
#include "sim/daemon/MachineSetup.h"
#include "sim/emulator/AdapterEmulator.h"
#include "softap/config/ConfigPageIds.h"
#include "softap/shell/HostiraIds.h"
#include "softap/ui/TsPropSheetIds.h"

namespace kavo9::softap {
namespace {

class HostiraAppTest : public ::testing::Test {
 protected:
  HostiraAppTest() {
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
    fake.deviceEnum.devices.push_back({adapter.hardwareIds, adapter.friendlyName,
                                       adapter.deviceDescription, adapter.locationInformation,
                                       adapter.manufacturer, adapter.DriverKeyName()});
    fake.deviceIo.devices["\\\\.\\" + adapter.instanceId] = emulator->AsHandler();
    RegWriteString(*fake.registry, HKEY_LOCAL_MACHINE, DriverKeyPath(adapter) + "\\ApDefault",
                   "SSID", "Lobby");
    auto icon = std::make_unique<RecordingTrayIcon>();
    tray = icon.get();
    app = std::make_unique<HostiraApp>(
        HostiraAppParts{.platform = &fake.platform(), .trayIcon = std::move(icon)});
    app->Controller().SetOnEnd([this](int) { ended = true; });
  }
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
  std::unique_ptr<HostiraApp> app;
  bool ended = false;
};

TEST_F(HostiraAppTest, RunsTheAdapterAsAnAccessPointAndShowsItsSheet) {
  app->Controller().Initialise();
  EXPECT_EQ(emulator->opMode(), 1u);
  EXPECT_EQ(AdapterValue("OpMode"), "1");
  EXPECT_EQ(AdapterValue("SSID"), "Lobby");
  EXPECT_TRUE(tray->added);
  ASSERT_TRUE(app->Sheet().IsOpen());
  CTsPropSheet* sheet = app->Sheet().Sheet();
  EXPECT_EQ(sheet->windowTitle(), "Kavo9");
  QTabWidget* tabs = sheet->Tabs();
  ASSERT_EQ(tabs->count(), 6);
  EXPECT_EQ(tabs->tabText(0), "Config");
  EXPECT_EQ(tabs->tabText(2), "Mac Table");
  auto* ssid = sheet->findChild<QLineEdit*>(QString::number(config::kSsidEdit));
  ASSERT_NE(ssid, nullptr);
  EXPECT_EQ(ssid->text(), "Lobby");
  EXPECT_FALSE(ssid->accessibleName().isEmpty());
  // A new name applied on the page is stored and runs the access point at once.
  ssid->selectAll();
  QTest::keyClicks(ssid, "Lounge");
  sheet->findChild<QPushButton*>(QString::number(config::kApplyButton))->click();
  EXPECT_EQ(AdapterValue("SSID"), "Lounge");
  EXPECT_EQ(app->State().appliedSsid, "Lounge");
  // OK closes the sheet; the tray opens it again.
  sheet->findChild<QPushButton*>(QString::number(kIdOk))->click();
  QApplication::processEvents();
  EXPECT_FALSE(app->Sheet().IsOpen());
  tray->Click(WM_LBUTTONDBLCLK);
  EXPECT_TRUE(app->Sheet().IsOpen());
  fake.loop.Advance(kApTickMs);
  app->Controller().OnCommand(kCmdApExit);
  EXPECT_TRUE(ended);
  EXPECT_FALSE(tray->added);
  EXPECT_FALSE(app->Sheet().IsOpen());
}

TEST_F(HostiraAppTest, TheSwitchToStationModeHandsTheAdapterBack) {
  app->Controller().Initialise();
  app->Controller().OnCommand(kCmdSwitchToStation);
  EXPECT_EQ(emulator->opMode(), 0u);
  EXPECT_EQ(AdapterValue("OpMode"), "0");
  ASSERT_EQ(fake.launcher.launches.size(), 1u);
  EXPECT_NE(fake.launcher.launches[0].commandLine.find("OFF"), std::string::npos);
}

// The sheet by keyboard and for screen readers: every control it focuses has a name, Tab goes
// from the tabs to OK and Cancel, and the sheet fits the screen.
TEST_F(HostiraAppTest, TheSheetIsNamedForScreenReadersAndFitsTheScreen) {
  app->Controller().Initialise();
  CTsPropSheet* sheet = app->Sheet().Sheet();
  ASSERT_NE(sheet, nullptr);
  QApplication::processEvents();
  for (QWidget* w : sheet->findChildren<QWidget*>()) {
    if (!w->isVisible() || w->focusPolicy() == Qt::NoFocus) continue;
    if (qobject_cast<QTabBar*>(w)) continue;  // read by its tabs' texts
    EXPECT_FALSE(w->accessibleName().isEmpty())
        << w->metaObject()->className() << " " << w->objectName().toStdString();
  }
  const QRect screen = sheet->screen()->availableGeometry();
  EXPECT_LE(sheet->width(), screen.width());
  EXPECT_LE(sheet->height(), screen.height());
  auto* ok = sheet->findChild<QPushButton*>(QString::number(kIdOk));
  auto* cancel = sheet->findChild<QPushButton*>(QString::number(kIdCancel));
  ASSERT_TRUE(ok && cancel);
  QWidget* next = ok->nextInFocusChain();
  while (next != ok && !((next->focusPolicy() & Qt::TabFocus) && next->isVisible())) {
    next = next->nextInFocusChain();
  }
  EXPECT_EQ(next, cancel);
  EXPECT_EQ(cancel->accessibleName(), "Cancel");
}

}  // namespace
}  // namespace kavo9::softap
