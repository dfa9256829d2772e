// The WPS page's window driven by keyboard and clicks over a scripted driver: a push-button run
// shown as its status text and progress, and the credential it brings in.

#include "station/wps/page/ui/CPageWPSDlg.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "common/adapter/testing/FakeAdapter.h"
#include "common/adapter/testing/ScriptedDriver.h"
#include "common/platform/fake/FakePlatform.h"
#include "common/shell/testing/DirectStore.h"
#include "station/wps/WpsCredential.h"
#include "station/wps/page/ui/CPageWPSProfile.h"
#include "widgets/CProgressCtrlX.h"

namespace kavo9 {
namespace {

struct Host : wpspage::WpsPageHost {
  std::vector<std::string> messages;
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void RequestScan() override {}
  int WirelessMode() const override { return 0; }
  bool MaySetProfiles() const override { return true; }
  void ShowApDetail(std::span<const uint8_t>) override {}
  void ShowCredentialDetail(uint32_t) override {}
  void ImportCredential(const wps::WpsCredential&) override {}
  void Changed() override {}
};

class CPageWPSDlgTest : public testing::Test {
 protected:
  CPageWPSDlgTest() {
    adapter.identity.registryKey = "System\\Test\\0001";
    part.Bind({});
  }
  template <typename W>
  W* Find(int number) {
    return dialog->findChild<W*>(QString::number(number));
  }
  void Answer(uint32_t status) { driver.AnswerDword(OID_VND_WPS_STATUS, status); }

  FakePlatform fake;
  ScriptedDriver driver;
  FakeAdapter adapter{driver};
  DirectStore store{*fake.registry};
  wps::WpsPart part{driver, {adapter, *fake.registry, store}};
  Host host;
  std::unique_ptr<CPageWPSDlg> dialog = std::make_unique<CPageWPSDlg>(
      fake.loop, part, host, [](LangKey) { return QStringLiteral("x"); }, QString(),
      WpsPageOptions{});
};

TEST_F(CPageWPSDlgTest, PushButtonRunShowsItsStatusAndTheCredentialItBrings) {
  QPushButton* pbc = Find<QPushButton>(wpspage::kPbc);
  ASSERT_TRUE(pbc);
  EXPECT_TRUE(pbc->isEnabled());
  EXPECT_FALSE(Find<QPushButton>(wpspage::kPin)->isEnabled());  // no access point selected
  EXPECT_TRUE(Find<QLineEdit>(wpspage::kPinBox)->isReadOnly());
  pbc->setFocus();
  QTest::keyClick(pbc, Qt::Key_Space);
  auto* status = Find<QLabel>(wpspage::kStatusLine);
  EXPECT_EQ(status->text(), "Start PBC connection");
  EXPECT_FALSE(pbc->isEnabled());

  Answer(18);
  fake.loop.Advance(200);
  EXPECT_EQ(status->text(), "PBC - Sending M1");
  EXPECT_EQ(dialog->findChild<CProgressCtrlX*>("progress")->Position(), 40);

  wps::WpsCredentialTable table;
  wps::WpsCredential c;
  c.SetSsid("Bakery");
  c.AuthType = wps::kAuthOpen;
  c.EncryType = wps::kEncryNone;
  table.Add(c);
  driver.Answer(OID_VND_WPS_CREDENTIALS, wps::EncodeTable(table));
  Answer(15);
  fake.loop.Advance(200);
  EXPECT_EQ(status->text(), "PBC - Get WPS profile successfully.");
  EXPECT_EQ(dialog->findChild<CProgressCtrlX*>("progress")->Position(), 100);
  QTableView* profiles = Find<QTableView>(wpspage::kProfileList);
  ASSERT_EQ(profiles->model()->rowCount(), 1);
  EXPECT_EQ(profiles->model()->index(0, 1).data().toString(), "Bakery");
  EXPECT_TRUE(
      profiles->model()->index(0, 0).data(Qt::AccessibleTextRole).toString().contains("open"));
  EXPECT_TRUE(Find<QPushButton>(wpspage::kConnect)->isEnabled());
  EXPECT_TRUE(pbc->isEnabled());
}

TEST_F(CPageWPSDlgTest, RegistrarModeMakesThePinBoxEditableAndHidesDelete) {
  dialog->show();
  dialog->Logic().ChangeConfigMode(1);
  dialog->Show();
  EXPECT_FALSE(Find<QLineEdit>(wpspage::kPinBox)->isReadOnly());
  EXPECT_FALSE(Find<QPushButton>(wpspage::kDelete)->isVisible());
  EXPECT_FALSE(Find<QPushButton>(wpspage::kRenew)->isEnabled());
  EXPECT_EQ(Find<QTableView>(wpspage::kProfileList)->model()->rowCount(), 1);
}

TEST_F(CPageWPSDlgTest, RegistrarDetailChecksTheKeyAndKeepsWhatPasses) {
  dialog->Logic().ChangeConfigMode(1);
  std::vector<std::string> messages;
  int done = 0, edited = 0;
  CPageWPSProfile detail(part,
                         {.done = [&] { ++done; },
                          .message = [&](const std::string& m) { messages.push_back(m); },
                          .confirm = [](const std::string&) { return true; },
                          .edited = [&] { ++edited; }},
                         [](LangKey) { return QStringLiteral("x"); });
  detail.ShowSlot(0);
  auto* key = detail.findChild<QLineEdit*>("3269");
  auto* ssid = detail.findChild<QLineEdit*>("1131");
  ASSERT_TRUE(key && ssid);
  EXPECT_FALSE(key->isReadOnly());
  EXPECT_EQ(key->echoMode(), QLineEdit::Password);
  EXPECT_EQ(key->text().size(), 64);
  // 64 characters that are not all hex digits are refused; the view stays.
  key->setText(QString(63, 'a') + "z");
  detail.OnOk();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "Invalid WPA Pre-Shared key. WPA-PSK use field should be 64 hex digits.");
  EXPECT_EQ(done, 0);
  ssid->setText("MyHome");
  key->setText("a good pass phrase");
  detail.OnOk();
  EXPECT_EQ(done, 1);
  EXPECT_EQ(edited, 1);
  EXPECT_EQ(part.State().Table.Slots[0].SsidText(), "MyHome");
  EXPECT_EQ(part.State().Table.Slots[0].KeyText(), "a good pass phrase");
}

TEST_F(CPageWPSDlgTest, EnrolleeDetailIsReadOnlyAndShowsTheWepKeyInBothForms) {
  wps::WpsCredential c;
  c.SetSsid("lab");
  c.AuthType = wps::kAuthOpen;
  c.EncryType = wps::kEncryWep;
  c.SetKey("abcde");
  part.State().Table.Add(c);
  CPageWPSProfile detail(part, {}, [](LangKey) { return QStringLiteral("x"); });
  detail.ShowSlot(0);
  auto* key = detail.findChild<QLineEdit*>("3269");
  auto* ascii = detail.findChild<QCheckBox*>("3242");
  EXPECT_TRUE(key->isReadOnly());
  EXPECT_EQ(key->text(), "6162636465");
  ASSERT_TRUE(ascii->isEnabled());
  ascii->setChecked(true);
  EXPECT_EQ(key->text(), "abcde");
  EXPECT_FALSE(detail.findChild<QComboBox*>("1366")->isEnabled());
}

}  // namespace
}  // namespace kavo9
