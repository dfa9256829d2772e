// What the emulated driver says of a link: byte counters that move, wrap and clear, the quality,
// the antennas the adapter has, the peer's address, and the card's radio switch.

#include <gtest/gtest.h>

#include "sim/emulator/NetworkAddresses.h"
#include "sim/emulator/tests/EmulatorTestSupport.h"

namespace kavo9::test {
namespace {

TEST_F(EmulatorTest, LinkByteCountersMoveWrapAndClear) {
  ASSERT_EQ(Set(*emulator, OID_802_11_SSID, SsidValue("Cafe")).status, 0);
  Reply first = Query(*emulator, OID_VND_LINK_RATE_INFO, 20);
  // A freshly loaded driver starts just below the wrap, so a session sees it wrap.
  EXPECT_GE(first.U32(8), 0xFFF00000u);
  uint32_t previousTx = first.U32(8), previousRx = first.U32(12);
  bool wrapped = false;
  for (int tick = 0; tick < 60; ++tick) {
    loop.Advance(2000);
    Reply link = Query(*emulator, OID_VND_LINK_RATE_INFO, 20);
    const uint32_t tx = link.U32(8) - previousTx, rx = link.U32(12) - previousRx;
    // Between 20 and 130 kB/s sent, 60 and 600 kB/s received, over two seconds.
    EXPECT_GE(tx, 40'000u) << tick;
    EXPECT_LE(tx, 260'000u) << tick;
    EXPECT_GE(rx, 120'000u) << tick;
    EXPECT_LE(rx, 1'200'000u) << tick;
    wrapped = wrapped || link.U32(12) < previousRx;
    previousTx = link.U32(8);
    previousRx = link.U32(12);
    EXPECT_GT(link.U32(4), 0u) << "a quality while associated";
  }
  EXPECT_TRUE(wrapped);

  ASSERT_EQ(Set(*emulator, OID_VND_RESET_COUNTERS, {}).status, 0);
  Reply cleared = Query(*emulator, OID_VND_LINK_RATE_INFO, 16);
  EXPECT_EQ(cleared.U32(8), 0u);
  EXPECT_EQ(cleared.U32(12), 0u);
  EXPECT_EQ(Query(*emulator, OID_802_11_STATISTICS).U32(8), 0u);

  // After the link drops the counters stand still.
  ASSERT_EQ(Set(*emulator, OID_802_11_DISASSOCIATE, {}).status, 0);
  loop.Advance(10'000);
  Reply idle = Query(*emulator, OID_VND_LINK_RATE_INFO, 20);
  EXPECT_EQ(idle.U32(8), 0u);
  EXPECT_EQ(idle.U32(4), 0u) << "no quality without a link";
}

TEST_F(EmulatorTest, QualityFollowsTheSignal) {
  ASSERT_EQ(Set(*emulator, OID_802_11_SSID, SsidValue("Cafe")).status, 0);  // -48 dBm
  const uint32_t strong = Query(*emulator, OID_VND_LINK_RATE_INFO, 20).U32(4);
  world.SetSignal(Mac("00-11-22-00-00-01"), -80);
  loop.Advance(2000);
  const uint32_t weak = Query(*emulator, OID_VND_LINK_RATE_INFO, 20).U32(4);
  EXPECT_GT(strong, 55u);
  EXPECT_LT(weak, 25u);
}

TEST_F(EmulatorTest, AntennasTheAdapterLacksAreRefused) {
  ASSERT_EQ(Set(*emulator, OID_802_11_SSID, SsidValue("Cafe")).status, 0);
  EXPECT_EQ(Query(*emulator, OID_VND_RSSI2).status, 0) << "an 802.11n chip has three";
  for (int antennas : {1, 2}) {
    SCOPED_TRACE(antennas);
    AdapterSpec spec = scenario.adapters[0];
    spec.antennas = antennas;
    AdapterEmulator one(spec, world, [this] { return loop.MonotonicMs(); });
    ASSERT_EQ(Set(one, OID_802_11_SSID, SsidValue("Cafe")).status, 0);
    EXPECT_EQ(Query(one, OID_802_11_RSSI).status, 0);
    EXPECT_EQ(Query(one, OID_VND_RSSI1).status, antennas >= 2 ? 0 : ERROR_NOT_SUPPORTED);
    EXPECT_EQ(Query(one, OID_VND_RSSI2).status, ERROR_NOT_SUPPORTED);
    EXPECT_EQ(Query(one, OID_VND_SNR1).U32() == kSnrNotAvailable, antennas == 1);
  }
}

TEST_F(EmulatorTest, PeerIsTheAccessPointOfTheNetworksSubnet) {
  EXPECT_EQ(Query(*emulator, OID_VND_PEER_INFO).data, (std::vector<uint8_t>{0, 0, 0, 0}));
  ASSERT_EQ(Set(*emulator, OID_802_11_SSID, SsidValue("Cafe")).status, 0);
  const Ipv4Address gateway = GatewayOf(Mac("00-11-22-00-00-01"));
  EXPECT_EQ(Query(*emulator, OID_VND_PEER_INFO).data,
            std::vector<uint8_t>(gateway.begin(), gateway.end()));
  EXPECT_NE(SubnetOf(Mac("00-11-22-00-00-01")), SubnetOf(Mac("00-11-22-00-00-02")))
      << "networks differ in their subnets";
}

TEST_F(EmulatorTest, RadioSwitchOffDropsTheLinkUntilSwitchedOn) {
  ASSERT_EQ(Set(*emulator, OID_802_11_SSID, SsidValue("Cafe")).status, 0);
  emulator->SetHardwareRadio(false);
  EXPECT_EQ(Query(*emulator, OID_VND_LINK_STATE).U32(), uint32_t(kLinkHardwareRadioOff));
  EXPECT_EQ(Query(*emulator, OID_GEN_MEDIA_CONNECT_STATUS).U32(), uint32_t(kMediaDisconnected));
  EXPECT_EQ(Query(*emulator, OID_VND_STA_CONFIG).U32(20), uint32_t(kRadioOff));
  ASSERT_EQ(Set(*emulator, OID_802_11_SSID, SsidValue("Cafe")).status, 0);
  EXPECT_FALSE(emulator->connected()) << "nothing is joined while the switch is off";
  emulator->Load({});
  EXPECT_EQ(Query(*emulator, OID_VND_LINK_STATE).U32(), uint32_t(kLinkHardwareRadioOff))
      << "a reload does not move the switch";
  emulator->SetHardwareRadio(true);
  ASSERT_EQ(Set(*emulator, OID_802_11_SSID, SsidValue("Cafe")).status, 0);
  EXPECT_EQ(Query(*emulator, OID_VND_LINK_STATE).U32(), uint32_t(kLinkUp));
}

}  // namespace
}  // namespace kavo9::test
