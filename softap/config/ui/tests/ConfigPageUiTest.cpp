#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "softap/apply/tests/ApplyFixture.h"
#include "softap/config/ConfigPageIds.h"
#include "softap/config/tests/ConfigFakes.h"
#include "softap/config/ui/CAuthSecuDlg.h"
#include "softap/config/ui/CConfigPage.h"
#include "softap/shell/HostiraPageIds.h"

namespace kavo9::softap {
namespace {

using namespace config;

template <class W>
W* Find(QWidget* root, int id) {
  return root->findChild<W*>(QString::number(id));
}

class ConfigPageUiTest : public ApplyFixture {
 protected:
  ConfigPageUiTest() {
    auto model =
        std::make_unique<ConfigPageModel>(state, *fake.registry, store, driver, settings, host);
    model->Create();
    page = std::make_unique<CConfigPage>(strings, std::move(model),
                                         [this](int id) { host.ShowMessage(id); });
    page->show();
  }

  HostiraStrings strings{0x0409};
  FakeSettings settings;
  FakeHost host;
  std::unique_ptr<CConfigPage> page;
};

TEST_F(ConfigPageUiTest, TypedValuesReachApplyAndItsMessages) {
  auto* ssid = Find<QLineEdit>(page.get(), kSsidEdit);
  auto* beacon = Find<QLineEdit>(page.get(), kBeaconEdit);
  auto* apply = Find<QPushButton>(page.get(), kApplyButton);
  ASSERT_TRUE(ssid && beacon && apply);
  EXPECT_EQ(ssid->text(), "SoftAP-3F");
  ssid->clear();
  QTest::keyClicks(ssid, QString(40, 'x'));
  EXPECT_EQ(ssid->text().size(), 32);
  beacon->selectAll();
  QTest::keyClicks(beacon, "19");
  apply->click();
  EXPECT_EQ(host.messages, std::vector<int>{kStrBeaconRange});
  beacon->selectAll();
  QTest::keyClicks(beacon, "100");
  apply->click();
  EXPECT_EQ(host.startups, 1);
  EXPECT_EQ(Get("SSID", SubkeyPath(kKey, "ApDefault")), std::string(32, 'x'));
}

TEST_F(ConfigPageUiTest, BandChoiceRebuildsTheChannels) {
  auto* band = Find<QComboBox>(page.get(), kBandCombo);
  auto* channel = Find<QComboBox>(page.get(), kChannelCombo);
  ASSERT_EQ(band->count(), 2);
  band->setFocus();
  QTest::keyClick(band, Qt::Key_Down);
  EXPECT_TRUE(page->Model().values().band5);
  EXPECT_EQ(channel->itemText(0), "36");
  // Without the settings switch the 802.11n group stays hidden.
  EXPECT_FALSE(Find<QGroupBox>(page.get(), kHtGroup)->isVisible());
}

TEST(AuthSecuDlgTest, RefusedKeysKeepTheDialogOpen) {
  const HostiraStrings strings(0x0409);
  std::vector<int> messages;
  ApSecurity security;
  security.auth = kAuthWpa2Psk;
  security.encryption = kEncAes;
  CAuthSecuDlg dialog(strings, security, [&](int id) { messages.push_back(id); });
  dialog.show();
  auto* psk = Find<QLineEdit>(&dialog, kPskEdit);
  ASSERT_TRUE(psk && psk->isEnabled());
  EXPECT_FALSE(Find<QLineEdit>(&dialog, kKeyHexEdit1)->isEnabled());
  QTest::keyClicks(psk, "short");
  dialog.accept();
  EXPECT_EQ(messages, std::vector<int>{kStrPskLength});
  EXPECT_TRUE(dialog.isVisible());
  QTest::keyClicks(psk, "butnow");
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.Security().passPhrase, "shortbutnow");

  // Shared keys: the cipher is WEP and cannot be changed; the key rows open.
  auto* auth = Find<QComboBox>(&dialog, kAuthCombo);
  auth->setFocus();
  QTest::keyClick(auth, Qt::Key_Home);
  QTest::keyClick(auth, Qt::Key_Down);
  auto* encryption = Find<QComboBox>(&dialog, kEncryptionCombo);
  EXPECT_EQ(encryption->currentText(), "WEP");
  EXPECT_FALSE(encryption->isEnabled());
  EXPECT_TRUE(Find<QLineEdit>(&dialog, kKeyHexEdit1)->isEnabled());
}

}  // namespace
}  // namespace kavo9::softap
