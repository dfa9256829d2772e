// The link status panel as a window: its layout on a one-antenna adapter, its refresh only while
// shown, the keys it swallows, and names for screen readers.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <map>

#include "common/adapter/DriverValues.h"
#include "common/adapter/testing/ScriptedDriver.h"
#include "common/platform/fake/VirtualEventLoop.h"
#include "common/ui/testing/WidgetAudit.h"
#include "station/networks/link/ui/CLinkStatusDlg.h"
#include "station/networks/link/ui/LinkStatusIds.h"
#include "widgets/CHistogramCtrl.h"
#include "widgets/CProgressCtrlX.h"
#include "widgets/SignalHistoryGraph.h"

namespace kavo9 {
namespace {

using namespace linkstatus;

class OneAntennaStation : public link::LinkStationPort {
 public:
  bool ShowDbm() const override { return false; }
  int ChipKind() const override { return 7; }
  bool IsHtFamily() const override { return true; }
  int WirelessMode() const override { return 9; }
  bool RadioOn() const override { return true; }
  bool KeyError() const override { return false; }
  std::string Text(LangKey key) const override {
    switch (key) {
      case LangKey::IDS_LINK_STATUS:
        return "Status >>";
      case LangKey::IDS_LINK_QUALITY:
        return "Link Quality : %d%%";
      case LangKey::IDS_LINK_STRENGTH:
        return "Signal Strength 1 : %d%%";
      case LangKey::IDS_NOISELEVEL:
        return "Noise Level : %d%%";
      default:
        return std::string(LangKeyName(key));
    }
  }
  bool AdaptersInfo(std::vector<IpAdapterInfo>* adapters) override {
    *adapters = {{"{A}",
                  "192.168.7.100",
                  "255.255.255.0",
                  "192.168.7.1",
                  true,
                  {0x00, 0x1D, 0x5A, 0x30, 0x70, 0x01}}};
    return true;
  }
  bool ConnectedRowIsHt() const override { return false; }
};

class LinkPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    driver.Answer(OID_802_3_CURRENT_ADDRESS,
                  std::array<uint8_t, 6>{0x00, 0x1D, 0x5A, 0x30, 0x70, 0x01});
    driver.AnswerDword(OID_VND_LINK_STATE, kLinkUp);
    driver.AnswerDword(OID_GEN_MEDIA_CONNECT_STATUS, kMediaConnected);
    driver.Answer(OID_802_11_BSSID, std::array<uint8_t, 6>{0, 0x0E, 0x2E, 0x41, 0x10, 0x06});
    std::vector<uint8_t> ssid(36, 0);
    ssid[0] = 4;
    std::memcpy(ssid.data() + 4, "Cafe", 4);
    driver.answers[OID_802_11_SSID] = ssid;
    driver.Answer(OID_802_11_RSSI, int32_t{-60});
    driver.AnswerDword(OID_VND_TX_RATE_WORD, 1u << 14 | 7);
    driver.answers[OID_VND_LINK_RATE_INFO] = std::vector<uint8_t>(20, 0);
    // One antenna: the driver refuses the second and third signal queries.
    driver.refused = {OID_VND_RSSI1, OID_VND_RSSI2};
  }
  template <typename W = QWidget>
  W* Find(int number) {
    return panel->findChild<W*>(QString::number(number));
  }

  ScriptedDriver driver;
  VirtualEventLoop loop;
  OneAntennaStation station;
  std::unique_ptr<QWidget> frame = std::make_unique<QWidget>();
  CLinkStatusDlg* panel = nullptr;
};

TEST_F(LinkPanelTest, OneAntennaLayoutPutsTheNoiseBarInTheSecondBarsPlace) {
  frame->resize(864, 232);
  panel = new CLinkStatusDlg(loop, driver, station, "Trebuchet MS", frame.get());
  panel->setGeometry(frame->rect());
  frame->show();
  QApplication::processEvents();

  auto* signal0 = Find<CProgressCtrlX>(kSignalBar0);
  auto* noise = Find<CProgressCtrlX>(kNoiseBar);
  ASSERT_TRUE(signal0 && noise);
  EXPECT_FALSE(Find(kSignalBar1)->isVisible());
  EXPECT_FALSE(Find(kSignalBar2)->isVisible());
  EXPECT_TRUE(noise->isVisible());
  EXPECT_GT(noise->y(), signal0->geometry().bottom());
  EXPECT_LT(noise->y() - signal0->geometry().bottom(), 8) << "right below the first signal bar";

  // Every numbered control is there, inside the panel, and the history beside the bars.
  for (int number : {kStatus.value, kExtraInfo.value, kChannel.value, kGateway.value,
                     kTxThroughput.value, kRxThroughput.value, kMcs.value, kSnr1.value, kQualityBar,
                     kTxGraph, kRxGraph, kHtSeparator}) {
    QWidget* control = Find(number);
    ASSERT_NE(control, nullptr) << number;
    EXPECT_TRUE(control->isVisible()) << number;
    const QRect inPanel(control->mapTo(panel, QPoint(0, 0)), control->size());
    EXPECT_TRUE(panel->rect().contains(inPanel)) << number;
  }
  EXPECT_FALSE(Find(kStbc.value)->isVisible()) << "STBC is never shown";
  auto* history = panel->findChild<SignalHistoryGraph*>(kSignalHistoryName);
  ASSERT_NE(history, nullptr);
  EXPECT_GE(history->height(), 80);

  // Shown, it refreshed at once and keeps refreshing every two seconds.
  EXPECT_EQ(Find<QLabel>(kStatus.value)->text().toStdString(), "Cafe <--> 00-0E-2E-41-10-06");
  EXPECT_EQ(Find<CProgressCtrlX>(kSignalBar0)->Caption().toStdString(), "Signal Strength 1 : 76%");
  EXPECT_EQ(Find<QLabel>(kIpAddress.value)->text().toStdString(), "192.168.7.100");
  EXPECT_TRUE(panel->Refreshing());
  driver.Answer(OID_802_11_RSSI, int32_t{-50});
  loop.Advance(2000);
  EXPECT_EQ(Find<CProgressCtrlX>(kSignalBar0)->Position(), 88) << "(76 + 100) / 2, rounded";
  EXPECT_EQ(history->Points().size(), 2u);

  // Enter and Escape do not close or leave the panel.
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(panel, &escape);
  EXPECT_TRUE(escape.isAccepted());
  EXPECT_TRUE(panel->isVisible());

  EXPECT_TRUE(testing::UnnamedFocusableControls(panel).isEmpty())
      << testing::UnnamedFocusableControls(panel).join(", ").toStdString();

  // Hidden (the window collapsed), it asks the driver nothing.
  frame->hide();
  EXPECT_FALSE(panel->Refreshing());
  const size_t requests = driver.log.size();
  loop.Advance(10'000);
  EXPECT_EQ(driver.log.size(), requests);
  EXPECT_TRUE(driver.Sets().empty()) << "the panel only reads";
}

}  // namespace
}  // namespace kavo9
