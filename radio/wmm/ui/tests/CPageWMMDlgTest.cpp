#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "common/adapter/testing/ScriptedDriver.h"
#include "common/platform/fake/VirtualEventLoop.h"
#include "radio/tests/RadioFakes.h"
#include "radio/wmm/ui/CPageWMMDlg.h"

namespace kavo9 {
namespace {

using namespace radio;

class Texts : public TextPort {
 public:
  std::string Text(std::string_view key) const override { return std::string(key); }
};

class Host : public WmmPageHost {
 public:
  void RefreshCcxControl() override {}
  bool RadioOn() override { return true; }
  void PressSiteSurveyRescan() override {}
};

TEST(CPageWMMDlg, TheSwitchesEnableTheirControlsAndRefusedSetupsSaySo) {
  ScriptedDriver driver;
  test::MemoryStore store;
  Texts texts;
  Host host;
  VirtualEventLoop loop;
  WmmPageModel model(driver, store, texts, host, loop);
  std::vector<std::string> messages;
  CPageWMMDlg page(
      model, [](std::string_view key) { return QString::fromUtf8(key.data(), int(key.size())); },
      [&](std::string_view key) { messages.emplace_back(key); });
  page.show();
  auto* wmm = page.findChild<QCheckBox*>("1264");
  auto* dls = page.findChild<QCheckBox*>("1250");
  auto* setup = page.findChild<QPushButton*>("1256");
  ASSERT_TRUE(wmm && dls && setup);
  EXPECT_FALSE(dls->isEnabled());
  wmm->click();
  EXPECT_TRUE(dls->isEnabled());
  EXPECT_FALSE(setup->isEnabled());
  dls->click();
  EXPECT_TRUE(setup->isEnabled());
  EXPECT_EQ(store.Text(RadioKey::kAdapter, "DLSCapable"), "1");
  page.findChild<QLineEdit*>("1253")->setText("0");
  setup->click();
  EXPECT_EQ(messages, std::vector<std::string>{"IDS_INVALIDMACADDR"});
  // The status box reads as text.
  const auto labels = page.findChildren<QLabel*>();
  EXPECT_TRUE(std::any_of(labels.begin(), labels.end(),
                          [](QLabel* l) { return l->text() == "IDS_ENABLED"; }));
}

}  // namespace
}  // namespace kavo9
