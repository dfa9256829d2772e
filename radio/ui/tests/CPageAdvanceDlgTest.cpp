#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <map>

#include "common/platform/fake/VirtualEventLoop.h"
#include "radio/tests/RadioFakes.h"
#include "radio/ui/CPageAdvanceDlg.h"

namespace kavo9 {
namespace {

using namespace radio;
using namespace radio::advance;
using radio::test::MemoryStore;

// The test main owns the one application of the run.
QApplication& App() {
  return *qApp;
}

class Texts : public TextPort {
 public:
  std::string Text(std::string_view key) const override {
    static const std::map<std::string_view, std::string> texts = {{"IDS_PHY_24G", "2.4G"},
                                                                  {"IDS_PHY_5G", "5G"},
                                                                  {"IDS_PHY_24_5G", "2.4G+5G"},
                                                                  {"IDS_AUTO", "Auto"}};
    auto it = texts.find(key);
    return it == texts.end() ? std::string() : it->second;
  }
};

class Settings : public SettingsPort {
 public:
  std::map<std::string, std::string, std::less<>> values;
  std::string Read(std::string_view, std::string_view key, std::string_view def) const override {
    auto it = values.find(key);
    return it == values.end() ? std::string(def) : it->second;
  }
};

class Host : public AdvancePageHost {
 public:
  std::vector<std::string> messages;
  void ShowMessage(std::string_view key) override { messages.emplace_back(key); }
  void ShowModelessMessage(std::string_view key) override { messages.emplace_back(key); }
  void RefreshCcxControl() override {}
  void SetSupplicantShowStatus(bool) override {}
  bool HasCurrentConnection() override { return false; }
  void RequeueCurrentConnection() override {}
  void PressSiteSurveyRescan() override {}
  void RadioSettingsChanged() override {}
};

class AdvancePageWindowTest : public ::testing::Test {
 protected:
  AdvancePageWindowTest() {
    App();
    state.chipKind = 6;
    state.bands = {true, true};
    state.bw40 = {true, true};
    driver.answers[OID_VND_STA_CONFIG] = std::vector<uint8_t>(32, 0);
    driver.answers[OID_VND_HT_PHY_MODE] = std::vector<uint8_t>(12, 0);
    driver.AnswerDword(OID_VND_COUNTRY_REGION, 0);
    store.SetText(RadioKey::kAdapter, "WirelessMode", "9");
    store.SetText(RadioKey::kAdapter, "Channel", "6");
    store.SetDword(RadioKey::kAdapter, "TransmitSetting", 0x00009879);
  }

  CPageAdvanceDlg& Open() {
    model = std::make_unique<AdvancePageModel>(state, driver, store, texts, settings, host, loop,
                                               AdvancePageEnvironment{});
    page = std::make_unique<CPageAdvanceDlg>(*model);
    page->show();
    driver.log.clear();
    return *page;
  }
  template <class W = QWidget>
  W* Find(int id) {
    W* widget = page->findChild<W*>(QString::number(id));
    EXPECT_NE(widget, nullptr) << id;
    return widget;
  }
  bool Shown(int id) { return Find(id)->isVisibleTo(page.get()); }

  RadioState state;
  ScriptedDriver driver;
  MemoryStore store;
  Texts texts;
  Settings settings;
  Host host;
  VirtualEventLoop loop;
  std::unique_ptr<AdvancePageModel> model;
  std::unique_ptr<CPageAdvanceDlg> page;
};

TEST_F(AdvancePageWindowTest, SwitchesShowAndHideControls) {
  Open();
  EXPECT_FALSE(Shown(kHtGroup));
  EXPECT_FALSE(Shown(kTxRateCombo)) << "802.11n adapter without the TxRate switch";
  EXPECT_FALSE(Shown(kBgProtectionButton));
  EXPECT_FALSE(Shown(kQosCheck));
  EXPECT_EQ(Find<QComboBox>(kWirelessModeCombo)->currentText(), "2.4G");

  settings.values = {{"HT Setting", "1"}, {"TxRate", "1"}, {"BgProtection", "1"}};
  loop.Advance(1000);
  EXPECT_TRUE(Shown(kHtGroup));
  EXPECT_TRUE(Shown(kMcsCombo));
  EXPECT_FALSE(Shown(kExtAbove));
  EXPECT_TRUE(Shown(kTxRateCombo));
  EXPECT_FALSE(Find(kTxRateCombo)->isEnabled()) << "the 802.11n group decides the rate";
  EXPECT_TRUE(Shown(kBgProtectionButton));
  EXPECT_EQ(Find<QComboBox>(kMcsCombo)->currentText(), "7");
  EXPECT_EQ(Find<QComboBox>(kMcsCombo)->itemText(0), "Auto");
  if (const char* dir = std::getenv("KAVO9_SCREENSHOTS")) {
    page->grab().save(QString::fromUtf8(dir) + "/advance_ht.png");
  }
}

TEST_F(AdvancePageWindowTest, RefusedCombinationShowsItsMessage) {
  settings.values = {{"HT Setting", "1"}};
  Open();
  for (int id : {kHtModeGreenfield, kGuardAuto, kStbcAuto}) {
    QTest::mouseClick(Find<QRadioButton>(id), Qt::LeftButton);
  }
  QTest::mouseClick(Find<QPushButton>(kApplyButton), Qt::LeftButton);
  EXPECT_EQ(host.messages, std::vector<std::string>{"IDS_MSG_NOT_AVAIL_COMBO_GI_STBC_GF"});
  EXPECT_TRUE(driver.Sets().empty());

  QTest::mouseClick(Find<QRadioButton>(kStbcNone), Qt::LeftButton);
  QTest::mouseClick(Find<QPushButton>(kApplyButton), Qt::LeftButton);
  EXPECT_EQ(host.messages.size(), 1u);
  EXPECT_FALSE(driver.Sets().empty());
}

TEST_F(AdvancePageWindowTest, ApplySendsTheChosenBand) {
  Open();
  QComboBox* mode = Find<QComboBox>(kWirelessModeCombo);
  ASSERT_EQ(mode->count(), 3);
  mode->setCurrentIndex(1);
  emit mode->activated(1);  // the user picks "5G"
  EXPECT_EQ(host.messages, std::vector<std::string>{"IDS_CHANNELCONFLICT"});
  EXPECT_FALSE(Shown(kRegion24Combo));
  EXPECT_TRUE(Shown(kRegion5Combo));
  QCheckBox* burst = Find<QCheckBox>(kTxBurstCheck);
  QTest::mouseClick(burst, Qt::LeftButton, {}, QPoint(6, burst->height() / 2));
  QTest::mouseClick(Find<QPushButton>(kApplyButton), Qt::LeftButton);

  ASSERT_NE(driver.LastSet(OID_VND_WIRELESS_MODE), nullptr);
  EXPECT_EQ(driver.LastSet(OID_VND_WIRELESS_MODE)->value, (std::vector<uint8_t>{8, 0, 0, 0}));
  EXPECT_NE(driver.LastSet(OID_802_11_BSSID_LIST_SCAN), nullptr) << "2.4G to 5G rescans";
  EXPECT_EQ(driver.LastSet(OID_VND_STA_CONFIG)->value[0], 1);
  EXPECT_EQ(store.Text(RadioKey::kAdapter, "WirelessMode"), "8");
  EXPECT_EQ(store.Text(RadioKey::kAdapter, "TXBurst"), "1");

  const QImage shot = page->grab().toImage();
  EXPECT_FALSE(shot.isNull());
  if (const char* dir = std::getenv("KAVO9_SCREENSHOTS")) {
    shot.save(QString::fromUtf8(dir) + "/advance.png");
  }
}

}  // namespace
}  // namespace kavo9
