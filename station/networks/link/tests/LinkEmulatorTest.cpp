// The link panel's logic against the adapter emulator: the two sides agree on what a link looks
// like (addresses, counters, quality, antennas, the radio switch).

#include <gtest/gtest.h>

#include "common/adapter/RequestCatalogue.h"
#include "common/platform/WinTypes.h"
#include "common/platform/fake/VirtualEventLoop.h"
#include "sim/emulator/AdapterEmulator.h"
#include "sim/emulator/NetworkAddresses.h"
#include "station/networks/link/LinkStatus.h"

namespace kavo9::link {
namespace {

constexpr const char* kScenario = R"({
  "adapters": [{
    "name": "usb0", "family": "QKD170", "antennas": 1,
    "hardwareIds": ["USB\\VID_1D5A&PID_3070"], "deviceDescription": "Card",
    "instanceId": "{6F1C3B52-0C1E-4B8A-9A59-2A0D3C70A001}", "mac": "00-1D-5A-30-70-01",
    "parameters": {"WirelessMode": 9}
  }],
  "networks": [{"ssid": "Cafe", "bssid": "00-11-22-00-00-01", "channel": 6, "signal": -48}]
})";

struct EmulatedDriver : DriverPort {
  explicit EmulatedDriver(AdapterEmulator& e) : emulator(e) {}
  int32_t Send(uint32_t code, std::span<uint8_t> buffer, uint32_t* written) {
    const uint8_t in[4] = {uint8_t(code), uint8_t(code >> 8), uint8_t(code >> 16),
                           uint8_t(code >> 24)};
    return emulator.Handle(IOCTL_NDIS_QUERY_GLOBAL_STATS, in, buffer, written);
  }
  bool QueryInformation(uint32_t oid, void* buffer, uint32_t length, uint32_t* count) override {
    uint32_t written = 0;
    const bool ok = Send(oid, {static_cast<uint8_t*>(buffer), length}, &written) == 0;
    if (count) *count = written;
    return ok;
  }
  bool SetInformation(uint32_t oid, const void* buffer, uint32_t length, int) override {
    std::vector<uint8_t> value(static_cast<const uint8_t*>(buffer),
                               static_cast<const uint8_t*>(buffer) + length);
    uint32_t written = 0;
    return Send(oid | kSetBit, value, &written) == 0;
  }
  bool IsAdapterPresent() override { return true; }
  AdapterEmulator& emulator;
};

struct Station : LinkStationPort {
  bool ShowDbm() const override { return true; }
  int ChipKind() const override { return 7; }
  bool IsHtFamily() const override { return true; }
  int WirelessMode() const override { return 9; }
  bool RadioOn() const override { return true; }
  bool KeyError() const override { return false; }
  std::string Text(LangKey key) const override {
    switch (key) {
      case LangKey::IDS_LINK_STRENGTH_DBM:
        return "Signal : %d dBm";
      case LangKey::IDS_RADIOOFF:
        return "Radio Off";
      default:
        return "";
    }
  }
  bool AdaptersInfo(std::vector<IpAdapterInfo>*) override { return false; }
  bool ConnectedRowIsHt() const override { return false; }
};

TEST(LinkEmulatorTest, TheEmulatedLinkReadsCoherently) {
  Scenario scenario;
  std::string error;
  ASSERT_TRUE(ParseScenario(kScenario, &scenario, &error)) << error;
  World world(scenario.networks);
  VirtualEventLoop loop;
  AdapterEmulator emulator(scenario.adapters[0], world, [&loop] { return loop.MonotonicMs(); });
  EmulatedDriver driver(emulator);
  Station station;
  LinkStatus link(driver, station);
  link.OnCreate();
  link.OnShow();
  EXPECT_EQ(link.View().antennas, (AntennaLayout{false, false, 1})) << "a one-antenna adapter";

  std::vector<uint8_t> ssid(36, 0);
  ssid[0] = 4;
  std::memcpy(ssid.data() + 4, "Cafe", 4);
  ASSERT_TRUE(driver.SetInformation(OID_802_11_SSID, ssid.data(), 36, 1));
  for (int tick = 0; tick < 3; ++tick) {
    loop.Advance(kRefreshMs);
    link.Refresh(loop.MonotonicMs());
  }
  const LinkView& view = link.View();
  ASSERT_TRUE(view.connected);
  const Ipv4Address peer = GatewayOf({0x00, 0x11, 0x22, 0x00, 0x00, 0x01});
  EXPECT_EQ(view.texts[kStatusText], "Cafe <--> 00-11-22-00-00-01 [" + DottedText(peer) + "]");
  EXPECT_EQ(view.texts[kChannelText], "6 <--> 2437 MHz");
  EXPECT_NE(view.texts[kTxThroughputText].find("Kbps"), std::string::npos)
      << view.texts[kTxThroughputText];
  EXPECT_GT(view.tx.max, 0.05);
  EXPECT_GT(view.rx.max, view.tx.max) << "the demo traffic receives more than it sends";
  EXPECT_GE(view.bars[kQualityBar].position, 70);
  EXPECT_EQ(view.bars[kSignalBar1].caption, "") << "no second antenna: its absent text";
  EXPECT_GE(view.bars[kNoiseBar].position, 20);
  EXPECT_LE(view.bars[kNoiseBar].position, 30);

  // The card's radio switch: not connected, and the reason in words.
  emulator.SetHardwareRadio(false);
  link.Refresh(loop.MonotonicMs() + kRefreshMs);
  EXPECT_FALSE(link.View().connected);
  EXPECT_EQ(link.View().texts[kStatusText], "Radio Off");
  EXPECT_EQ(link.View().texts[kExtraInfoText], "Hardware radio off");
}

}  // namespace
}  // namespace kavo9::link
