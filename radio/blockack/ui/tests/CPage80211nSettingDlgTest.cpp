#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include "common/platform/fake/VirtualEventLoop.h"
#include "radio/blockack/ui/CAddBlockAckDlg.h"
#include "radio/blockack/ui/CPage80211nSettingDlg.h"
#include "radio/tests/RadioFakes.h"

namespace kavo9 {
namespace {

using namespace radio;

BlockAckTexts Texts() {
  BlockAckTexts t;
  t.noPeer = "no peer";
  t.badOriginatorWindow = "bad originator window";
  t.badRecipientWindow = "bad recipient window";
  t.add = "+";
  t.remove = "-";
  t.removeAll = "-All";
  return t;
}

class PageTest : public ::testing::Test {
 protected:
  void Make(BlockAckFlavour flavour) {
    page = std::make_unique<CPage80211nSettingDlg>(
        model, flavour, Texts(),
        BlockAckHooks{.showMessage = [this](const QString& m) { messages << m; },
                      .associatedBssid = {}});
    page->show();
  }
  template <class W>
  W* Find(int id) {
    return page->findChild<W*>(QString::number(id));
  }
  void AnswerStationTable(int peers) {
    std::vector<uint8_t> table(kMacTableSize, 0);
    table[0] = uint8_t(peers);
    for (int i = 0; i < peers; ++i) table[4 + 10 * i + 5] = uint8_t(0xC0 + i);
    driver.answers[OID_VND_MAC_TABLE] = table;
  }

  ScriptedDriver driver;
  test::MemoryStore store;
  VirtualEventLoop loop;
  BlockAckPageModel model{driver, store, loop};
  std::unique_ptr<CPage80211nSettingDlg> page;
  QStringList messages;
};

TEST_F(PageTest, TheStationOffersOnlyOriginatorAddAndSingleDeletes) {
  Make(BlockAckFlavour::kStation);
  EXPECT_TRUE(Find<QPushButton>(1133)->isVisible());
  EXPECT_FALSE(Find<QPushButton>(3275)->isVisible());
  EXPECT_TRUE(Find<QPushButton>(3276)->isVisible());
  EXPECT_FALSE(Find<QPushButton>(3248)->isVisible());
  EXPECT_FALSE(Find<QRadioButton>(6265)->isVisible());
  // Shown, it sent the options it loaded.
  EXPECT_NE(driver.LastSet(OID_VND_HT_OPTIONS), nullptr);
}

TEST_F(PageTest, SessionButtonsFollowTheModeRadiosAtOnce) {
  Make(BlockAckFlavour::kAccessPoint);
  auto* add = Find<QPushButton>(1136);
  EXPECT_FALSE(add->isEnabled());  // automatic mode
  Find<QRadioButton>(1242)->click();
  EXPECT_TRUE(add->isEnabled());
  Find<QCheckBox>(1260)->click();  // aggregation off
  EXPECT_FALSE(add->isEnabled());
  EXPECT_FALSE(Find<QRadioButton>(1242)->isEnabled());
}

TEST_F(PageTest, AddRefusesAnOutOfRangeWindowAndAnEmptyTable) {
  Make(BlockAckFlavour::kAccessPoint);
  Find<QRadioButton>(1242)->click();
  AnswerStationTable(0);
  Find<QPushButton>(1136)->click();
  ASSERT_NE(page->OpenDialog(), nullptr);
  page->OpenDialog()->accept();
  EXPECT_EQ(messages, QStringList{"no peer"});
  EXPECT_TRUE(page->OpenDialog()->isVisible());
  page->OpenDialog()->reject();
  QApplication::processEvents();

  AnswerStationTable(2);
  Find<QPushButton>(1275)->click();  // recipient side
  auto* dialog = page->OpenDialog();
  ASSERT_NE(dialog, nullptr);
  dialog->findChild<QLineEdit*>("6243")->setText("300");
  dialog->accept();
  EXPECT_EQ(messages.back(), "bad recipient window");
  EXPECT_EQ(driver.LastSet(OID_VND_BLOCK_ACK), nullptr);
  QApplication::processEvents();

  Find<QPushButton>(1136)->click();
  dialog = page->OpenDialog();
  ASSERT_NE(dialog, nullptr);
  dialog->findChild<QLineEdit*>("6243")->setText("16");
  dialog->accept();
  ASSERT_NE(driver.LastSet(OID_VND_BLOCK_ACK), nullptr);
  EXPECT_EQ(driver.lastSet[OID_VND_BLOCK_ACK][6], 0xC0);
  EXPECT_EQ(driver.lastSet[OID_VND_BLOCK_ACK][8], 16);
}

TEST_F(PageTest, DeleteEntryOnTheRecipientSideDeletesEveryTid) {
  std::vector<uint8_t> table(kBlockAckTableSize, 0);
  table[1536 + 5] = 0x77;
  table[1536 + 6] = 0x03;
  table[3073] = 1;
  driver.answers[OID_VND_BLOCK_ACK] = table;
  Make(BlockAckFlavour::kAccessPoint);
  Find<QRadioButton>(1242)->click();
  loop.Advance(1000);
  ASSERT_EQ(Find<QTreeWidget>(1256)->topLevelItemCount(), 1);
  Find<QPushButton>(1277)->click();
  auto* dialog = page->OpenDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(dialog->findChild<QWidget*>("6259")->isVisible());
  dialog->accept();
  const auto& sent = driver.lastSet[OID_VND_DELETE_BLOCK_ACK];
  ASSERT_EQ(sent.size(), 14u);
  EXPECT_EQ(sent[0], 1);
  EXPECT_EQ(sent[6], 0x77);
  EXPECT_EQ(sent[12], 1);
}

}  // namespace
}  // namespace kavo9
