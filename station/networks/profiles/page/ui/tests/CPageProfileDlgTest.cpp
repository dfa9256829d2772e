// The profile page driven through its widgets: the list by keyboard, the details, the buttons
// with their reasons, Delete asking first for the active profile, and every control named.

#include "station/networks/profiles/page/ui/CPageProfileDlg.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "common/adapter/testing/FakeAdapter.h"
#include "common/adapter/testing/ScriptedDriver.h"
#include "common/platform/fake/FakePlatform.h"
#include "common/platform/fake/VirtualEventLoop.h"
#include "common/ui/testing/WidgetAudit.h"
#include "station/networks/profiles/page/tests/PageFakes.h"
#include "station/networks/profiles/page/ui/ProfileListModel.h"
#include "station/shell/controller/testing/RecordingParts.h"

namespace kavo9 {
namespace {

using namespace profilepage;

constexpr const char* kKey =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007";

class CPageProfileDlgTest : public ::testing::Test {
 protected:
  CPageProfileDlgTest() {
    adapter.identity.registryKey = kKey;
    store.CreateKey(kKey, StorePort::Area::kProfile);
    connection.store = &profiles;
    Profile("Home", "home-net", "1", "0");
    Profile("Office", "corp", "1", "7");
    page = std::make_unique<CPageProfileDlg>(
        loop, ProfilePageParts{profiles, texts, driver, station, connection, host},
        [](LangKey key) { return QString::fromLatin1(LangKeyName(key).data()); },
        QStringLiteral("Sans"));
    page->resize(640, 420);
    page->show();
  }
  void Profile(const std::string& name, const std::string& ssid, const std::string& network,
               const std::string& auth) {
    profiles::ProfileValues v;
    v.Set("SSID", ssid);
    v.Set("NetworkType", network);
    v.Set("AuthenType", auth);
    profiles.WriteProfile(name, v);
  }
  QPushButton* Button(int number) { return page->findChild<QPushButton*>(QString::number(number)); }
  QString Value(Detail detail) {
    return page->findChild<QLabel*>(QString::number(kDetailValue[size_t(detail)]))->text();
  }

  VirtualEventLoop loop;
  FakePlatform fake;
  ScriptedDriver driver;
  FakeAdapter adapter{driver};
  RecordingStore store{*fake.registry};
  Texts texts;
  Messages messages;
  profiles::ProfileStore profiles{{adapter, *fake.registry, store, texts, messages}};
  Station station;
  Connection connection;
  Host host;
  std::unique_ptr<CPageProfileDlg> page;
};

TEST_F(CPageProfileDlgTest, KeysSelectAndTheDetailsFollow) {
  QTableView* list = page->List();
  ASSERT_EQ(list->model()->rowCount(), 2);
  EXPECT_FALSE(Button(kEdit)->isEnabled());
  EXPECT_EQ(Button(kEdit)->toolTip().toStdString(),
            ProfileButtonTip(kEdit, ProfileBlock::kNoSelection));
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Down);
  if (page->Logic().Selected() < 0) QTest::keyClick(list, Qt::Key_Down);
  ASSERT_GE(page->Logic().Selected(), 0);
  EXPECT_EQ(Value(kDetailName).toStdString(), page->Logic().Rows()[0].Name);
  EXPECT_TRUE(Button(kEdit)->isEnabled());
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(Value(kDetailName), QStringLiteral("Office"));
  EXPECT_EQ(Value(kDetailAuthentication), QStringLiteral("WPA2-PSK"));
  EXPECT_EQ(Value(kDetailChannel), QStringLiteral("Auto"));
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_EQ(host.calls.back(), "edit Office");
  EXPECT_TRUE(testing::UnnamedFocusableControls(page.get()).isEmpty())
      << testing::UnnamedFocusableControls(page.get()).join(", ").toStdString();
}

TEST_F(CPageProfileDlgTest, ActivateMarksTheRowAndDeleteAsksFirst) {
  page->List()->selectRow(0);
  QTest::mouseClick(Button(kApply), Qt::LeftButton);
  EXPECT_EQ(connection.calls.back(), "activate Home");
  EXPECT_EQ(page->Model().Rows()[0].State, 1);  // active, the adapter not connected
  EXPECT_EQ(ProfileRowSpeech(page->Model().Rows()[0]),
            QStringLiteral("Home, home-net, open, Infrastructure, Active, not connected"));
  host.confirm = false;
  QTest::mouseClick(Button(kDelete), Qt::LeftButton);
  EXPECT_EQ(host.calls.back(), "confirm IDS_DELCURRENTPROF");
  EXPECT_EQ(page->List()->model()->rowCount(), 2);
  host.confirm = true;
  QTest::mouseClick(Button(kDelete), Qt::LeftButton);
  EXPECT_EQ(page->List()->model()->rowCount(), 1);
  EXPECT_EQ(page->Logic().Selected(), 0);
  EXPECT_EQ(Value(kDetailName), QStringLiteral("Office"));
}

TEST_F(CPageProfileDlgTest, ARestrictedUserSeesWhyTheButtonsAreOff) {
  station.maySet = false;
  page->RefreshProfileList();
  EXPECT_FALSE(Button(kAdd)->isEnabled());
  EXPECT_EQ(Button(kAdd)->toolTip().toStdString(),
            ProfileButtonTip(kAdd, ProfileBlock::kNotPermitted));
}

}  // namespace
}  // namespace kavo9
