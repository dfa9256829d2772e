// The WPS page's window driven by keyboard and clicks over a scripted driver: a push-button run
// shown as its status text and progress, and the credential it brings in.

#include "station/wps/page/ui/CPageWPSDlg.h"

#include <gtest/gtest.h>

#include <QApplication>
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

}  // namespace
}  // namespace kavo9
