#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "common/platform/fake/FakeSystemEvents.h"
#include "common/platform/fake/VirtualEventLoop.h"
#include "softap/access/ui/CAccessControlPage.h"
#include "softap/apply/tests/ApplyFixture.h"
#include "softap/eventlog/ui/CEventLogPage.h"
#include "softap/shell/HostiraPageIds.h"
#include "softap/stations/ui/CMacTablePage.h"
#include "softap/statistics/ui/CStatisticPage.h"

namespace kavo9::softap {
namespace {

template <class W>
W* Find(QWidget* root, int id) {
  return root->findChild<W*>(QString::number(id));
}

class AccessPageUiTest : public ApplyFixture {
 protected:
  AccessPageUiTest() {
    auto model = std::make_unique<AccessControlModel>(state, *fake.registry, store, driver);
    model->Load();
    page = std::make_unique<CAccessControlPage>(strings, std::move(model),
                                                [this](int id) { messages.push_back(id); });
    page->show();
  }
  HostiraStrings strings{0x0409};
  std::vector<int> messages;
  std::unique_ptr<CAccessControlPage> page;
};

TEST_F(AccessPageUiTest, AddModifyAndApplyByKeyboard) {
  using namespace access;
  auto* policy = Find<QComboBox>(page.get(), kPolicyCombo);
  auto* mac = Find<QLineEdit>(page.get(), kMacEdit);
  auto* list = Find<QListWidget>(page.get(), kList);
  EXPECT_FALSE(mac->isEnabled());  // disabled policy
  policy->setFocus();
  QTest::keyClick(policy, Qt::Key_Down);
  ASSERT_TRUE(mac->isEnabled());
  QTest::keyClicks(mac, "000c43zz1234567");  // letters past F are not taken, 12 at most
  EXPECT_EQ(mac->text(), "000c43123456");
  QTest::keyClick(mac, Qt::Key_Return);
  ASSERT_EQ(list->count(), 1);
  EXPECT_EQ(list->item(0)->text(), "00-0C-43-12-34-56");
  QTest::keyClicks(mac, "000C43123456");
  QTest::keyClick(mac, Qt::Key_Return);
  EXPECT_EQ(messages, std::vector<int>{kStrDuplicatedMac});

  // Delete without a selection does nothing.
  list->setCurrentRow(-1);
  Find<QPushButton>(page.get(), kDeleteButton)->click();
  EXPECT_EQ(list->count(), 1);

  list->setCurrentRow(0);
  emit list->itemActivated(list->item(0));
  auto* edit = Find<QLineEdit>(page.get(), kEditField);
  ASSERT_TRUE(edit->isVisible());
  EXPECT_FALSE(Find<QPushButton>(page.get(), kApplyButton)->isEnabled());
  edit->selectAll();
  QTest::keyClicks(edit, "020000000001");
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_FALSE(edit->isVisible());
  EXPECT_EQ(list->item(0)->text(), "02-00-00-00-00-01");
  Find<QPushButton>(page.get(), kApplyButton)->click();
  EXPECT_EQ(Last32(OID_VND_ACCESS_CONTROL, 0), 1u);
  EXPECT_EQ(Last32(OID_VND_ACCESS_CONTROL, 4), 1u);
}

TEST(MacTablePageUiTest, RowsFromTheDriverAndAFailedReadKeepsThem) {
  const HostiraStrings strings(0x0409);
  ScriptedDriver driver;
  std::vector<uint8_t> record(kMacTableHtSize, 0);
  record[0] = 1;
  const uint8_t entry[] = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 1, 1, 0x87, 0x81};
  std::copy(std::begin(entry), std::end(entry), record.begin() + 4);
  driver.answers[OID_VND_MAC_TABLE] = record;
  VirtualEventLoop loop;
  FakeIpHelper ip;
  ip.leases = {{"00-11-22-33-44-55", "laptop", "192.168.0.2"}};
  CMacTablePage page(strings, driver, true, loop, &ip);
  page.Refresh();
  auto* clients = Find<QTableWidget>(&page, stations::kClientsTable);
  ASSERT_EQ(clients->rowCount(), 1);
  EXPECT_EQ(clients->item(0, 0)->text(), "laptop");
  EXPECT_EQ(clients->item(0, 2)->text(), "192.168.0.2");
  loop.Advance(65'000);
  page.Refresh();
  EXPECT_EQ(clients->item(0, 4)->text(), "0:01:05");
  auto* table = Find<QTableWidget>(&page, stations::kTable);
  ASSERT_EQ(table->rowCount(), 1);
  EXPECT_EQ(table->item(0, 0)->text(), "00-11-22-33-44-55");
  EXPECT_EQ(table->item(0, 2)->text(), "Yes");
  EXPECT_EQ(table->item(0, 3)->text(), "N: MCS = 7, BW = 40, GI = 400, STBC : none, Rate = 150.00");
  driver.refused.insert(OID_VND_MAC_TABLE);
  page.Refresh();
  EXPECT_EQ(table->rowCount(), 1);
}

TEST(EventLogPageUiTest, ListsNewEventsOnceAndClearStartsAgain) {
  const HostiraStrings strings(0x0409);
  ScriptedDriver driver;
  ApEventLog log(driver);
  const ApEvent joined{kFileTimeUnixEpoch, {0x00, 0x11, 0x22, 0x33, 0x44, 0x55}, 1};
  log.Take({joined, {kFileTimeUnixEpoch, {}, 0}});
  CEventLogPage page(strings, log);
  page.Refresh();
  auto* table = Find<QTableWidget>(&page, eventlog::kList);
  ASSERT_EQ(table->rowCount(), 2);
  EXPECT_EQ(table->item(0, 1)->text(), " 00-11-22-33-44-55 associated");
  EXPECT_EQ(table->item(1, 1)->text(), "Restart Access Point");
  page.Refresh();
  EXPECT_EQ(table->rowCount(), 2);
  Find<QPushButton>(&page, eventlog::kClearButton)->click();
  EXPECT_EQ(table->rowCount(), 0);
  log.Take({joined});
  page.Refresh();
  EXPECT_EQ(table->rowCount(), 1);
}

TEST(StatisticPageUiTest, ResetShowsZeroAtOnce) {
  const HostiraStrings strings(0x0409);
  ScriptedDriver driver;
  driver.AnswerDword(OID_GEN_RCV_OK, 12);
  CStatisticPage page(strings, driver);
  page.Refresh();
  auto* rxOk = Find<QLabel>(&page, stats::kFirstValue + int(kApRxOk));
  EXPECT_EQ(rxOk->text(), "12");
  EXPECT_EQ(rxOk->accessibleName(), "Frames Received Successfully = 12");
  Find<QPushButton>(&page, stats::kResetButton)->click();
  EXPECT_EQ(rxOk->text(), "0");
  EXPECT_NE(driver.LastSet(OID_VND_RESET_COUNTERS), nullptr);
}

}  // namespace
}  // namespace kavo9::softap
