// Joining as a radio does: the security a network uses decides which settings and keys associate,
// what the driver reports on the way (link state, encryption status) and when the link drops.
#include <gtest/gtest.h>

#include <openssl/evp.h>

#include "common/adapter/DriverValues.h"
#include "common/platform/WinTypes.h"
#include "sim/emulator/tests/EmulatorTestSupport.h"

namespace kavo9::test {
namespace {

std::vector<uint8_t> KeyRecord(uint32_t index, const std::vector<uint8_t>& material) {
  std::vector<uint8_t> b(32 + material.size(), 0);
  WriteLe32(b.data(), uint32_t(material.size()) + 39);
  WriteLe32(b.data() + 4, index);
  WriteLe32(b.data() + 8, uint32_t(material.size()));
  std::memset(b.data() + 12, 0xFF, 8);
  std::memcpy(b.data() + 32, material.data(), material.size());
  return b;
}

std::vector<uint8_t> Pmk(const std::string& phrase, const std::string& ssid) {
  std::vector<uint8_t> pmk(32);
  PKCS5_PBKDF2_HMAC_SHA1(phrase.data(), int(phrase.size()),
                         reinterpret_cast<const unsigned char*>(ssid.data()), int(ssid.size()),
                         4096, 32, pmk.data());
  return pmk;
}

std::vector<uint8_t> Configuration(uint32_t khz) {
  std::vector<uint8_t> b(32, 0);
  WriteLe32(b.data(), 32);
  WriteLe32(b.data() + 12, khz);
  return b;
}

class JoinTest : public EmulatorTest {
 protected:
  void AddNetwork(NetworkSpec n) {
    std::string error;
    ASSERT_TRUE(world.Add(std::move(n), &error)) << error;
  }
  // Infrastructure mode, authentication and encryption as a station sets them before its join.
  void Prepare(uint32_t infra, uint32_t auth, uint32_t encryption) {
    ASSERT_EQ(Set(*emulator, OID_802_11_DISASSOCIATE, {}).status, 0);
    ASSERT_EQ(Set(*emulator, OID_802_11_RELOAD_DEFAULTS, Le32(0)).status, 0);
    ASSERT_EQ(Set(*emulator, OID_802_11_INFRASTRUCTURE_MODE, Le32(infra)).status, 0);
    ASSERT_EQ(Set(*emulator, OID_802_11_AUTHENTICATION_MODE, Le32(auth)).status, 0);
    ASSERT_EQ(Set(*emulator, OID_802_11_ENCRYPTION_STATUS, Le32(encryption)).status, 0);
  }
  bool Connected() { return Query(*emulator, OID_GEN_MEDIA_CONNECT_STATUS).U32() == 0; }
  uint32_t Link() { return Query(*emulator, OID_VND_LINK_STATE).U32(); }
  uint32_t Encryption() { return Query(*emulator, OID_802_11_ENCRYPTION_STATUS).U32(); }
  std::vector<uint8_t> Bssid() { return Query(*emulator, OID_802_11_BSSID).data; }
};

TEST_F(JoinTest, AnOpenNetworkTakesOnlyOpenSettings) {
  struct Case {
    const char* name;
    uint32_t auth;
    uint32_t encryption;
    bool connected;
    uint32_t link;
  };
  const Case cases[] = {
      {"open, no encryption", 0, 1, true, kLinkUp},
      {"automatic switch", 2, 1, true, kLinkUp},
      {"WEP switched on", 0, 0, false, kLinkAssociationFailed},
      {"shared key", 1, 1, false, kLinkOpenAuthFailed},
      {"WPA-PSK", 4, 4, false, kLinkOpenAuthFailed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Prepare(1, c.auth, c.encryption);
    ASSERT_EQ(Set(*emulator, OID_802_11_SSID, SsidValue("Cafe")).status, 0);
    EXPECT_EQ(Connected(), c.connected);
    EXPECT_EQ(Link(), c.link);
  }
  // A new attempt forgets the last failure.
  Prepare(1, 0, 1);
  EXPECT_EQ(Link(), kLinkDown);
}

TEST_F(JoinTest, WepReportsItsKeyAbsentUntilAKeyIsInstalled) {
  Prepare(1, 0, 0);
  EXPECT_EQ(Encryption(), uint32_t(Ndis802_11Encryption1KeyAbsent));
  ASSERT_EQ(Set(*emulator, OID_802_11_ADD_KEY, KeyRecord(0x80000000, {1, 2, 3, 4, 5})).status, 0);
  EXPECT_EQ(Encryption(), uint32_t(Ndis802_11Encryption1Enabled));
  Prepare(1, 0, 1);
  EXPECT_EQ(Encryption(), uint32_t(Ndis802_11EncryptionDisabled));
}

TEST_F(JoinTest, WpaNoneJoinsOnlyWithTheNetworksPmk) {
  NetworkSpec adhoc;
  adhoc.ssid = "Picnic";
  adhoc.bssid = Mac("02-11-22-00-00-09");
  adhoc.channel = 6;
  adhoc.adhoc = true;
  adhoc.security = Security::kWpaPsk;
  adhoc.tkip = true;
  adhoc.key = "sunflower42";
  AddNetwork(adhoc);
  struct Case {
    const char* name;
    uint32_t encryption;
    std::vector<uint8_t> key;
    bool connected;
  };
  const Case cases[] = {
      {"right PMK", 4, Pmk("sunflower42", "Picnic"), true},
      {"PMK salted with another SSID", 4, Pmk("sunflower42", "picnic"), false},
      {"wrong pass phrase", 4, Pmk("sunflower43", "Picnic"), false},
      {"cipher the network does not use", 6, Pmk("sunflower42", "Picnic"), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Prepare(0, Ndis802_11AuthModeWPANone, c.encryption);
    EXPECT_EQ(Encryption(), c.encryption + 1);  // key absent
    const std::vector<uint8_t> key = KeyRecord(0x80000000, c.key);
    ASSERT_EQ(key.size(), 64u);
    std::vector<uint8_t> full = key;
    full.resize(71, 0);  // the Length a station sends
    ASSERT_EQ(Set(*emulator, OID_802_11_ADD_KEY, full).status, 0);
    EXPECT_EQ(Encryption(), c.encryption);
    ASSERT_EQ(Set(*emulator, OID_802_11_SSID, SsidValue("Picnic")).status, 0);
    EXPECT_EQ(Connected(), c.connected);
    if (c.connected) {
      EXPECT_EQ(Bssid(), std::vector<uint8_t>(adhoc.bssid.begin(), adhoc.bssid.end()));
    }
  }
}

TEST_F(JoinTest, AnAdhocSsidNobodyUsesStartsOurOwnNetworkOnTheConfiguredChannel) {
  Prepare(0, 0, 1);
  ASSERT_EQ(Set(*emulator, OID_802_11_CONFIGURATION, Configuration(2462000)).status, 0);
  ASSERT_EQ(Set(*emulator, OID_802_11_SSID, SsidValue("Lonely")).status, 0);
  ASSERT_TRUE(Connected());
  const std::vector<uint8_t> bssid = Bssid();
  ASSERT_EQ(bssid.size(), 6u);
  EXPECT_EQ(bssid[0] & 0x03, 0x02);  // locally administered, not a group address
  EXPECT_EQ(Query(*emulator, OID_802_11_CONFIGURATION).U32(12), 2462000u);
  loop.Advance(10'000);
  EXPECT_TRUE(Connected());  // ours does not leave the world
  // In infrastructure mode the same SSID finds nothing.
  Prepare(1, 0, 1);
  ASSERT_EQ(Set(*emulator, OID_802_11_SSID, SsidValue("Lonely")).status, 0);
  EXPECT_FALSE(Connected());
}

TEST_F(JoinTest, WpaAssociatesWithItsPortClosedAndTheKeyAbsent) {
  struct Case {
    const char* name;
    uint32_t auth;
    uint32_t encryption;
    bool connected;
  };
  // HomeNet is WPA/WPA2-PSK with both ciphers.
  const Case cases[] = {
      {"WPA-PSK TKIP", 4, 4, true}, {"WPA2-PSK AES", 7, 6, true}, {"WPA enterprise", 3, 4, false},
      {"open", 0, 1, false},        {"WPA-None", 5, 4, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Prepare(1, c.auth, c.encryption);
    ASSERT_EQ(Set(*emulator, OID_802_11_SSID, SsidValue("HomeNet")).status, 0);
    EXPECT_EQ(Connected(), c.connected);
    if (c.connected) {
      EXPECT_EQ(Encryption(), c.encryption + 1);
    }
  }
}

// The port of a WPA link opens only for the pairwise key the authenticator agreed; until then
// nothing is received.
TEST_F(JoinTest, AWpaPortOpensOnlyForTheAgreedPairwiseKey) {
  Prepare(1, Ndis802_11AuthModeWPA2PSK, Ndis802_11Encryption3Enabled);
  ASSERT_EQ(Set(*emulator, OID_802_11_SSID, SsidValue("HomeNet")).status, 0);
  ASSERT_TRUE(Connected());
  EXPECT_FALSE(emulator->portOpen());
  const uint32_t received = Query(*emulator, OID_GEN_RCV_OK).U32();
  loop.Advance(5000);
  EXPECT_EQ(Query(*emulator, OID_GEN_RCV_OK).U32(), received);  // the port is closed

  const std::vector<uint8_t> agreed(16, 0x5A);
  emulator->AgreePairwiseKey(agreed);
  ASSERT_EQ(
      Set(*emulator, OID_802_11_ADD_KEY, KeyRecord(0xC0000000, std::vector<uint8_t>(16, 1))).status,
      0);
  EXPECT_FALSE(emulator->portOpen());  // another key
  ASSERT_EQ(Set(*emulator, OID_802_11_ADD_KEY, KeyRecord(0xC0000000, agreed)).status, 0);
  EXPECT_TRUE(emulator->portOpen());
  loop.Advance(5000);
  EXPECT_GT(Query(*emulator, OID_GEN_RCV_OK).U32(), received);

  // A new association starts closed again and forgets the agreed key.
  Prepare(1, Ndis802_11AuthModeWPA2PSK, Ndis802_11Encryption3Enabled);
  ASSERT_EQ(Set(*emulator, OID_802_11_SSID, SsidValue("HomeNet")).status, 0);
  ASSERT_EQ(Set(*emulator, OID_802_11_ADD_KEY, KeyRecord(0xC0000000, agreed)).status, 0);
  EXPECT_FALSE(emulator->portOpen());
}

TEST_F(JoinTest, ANetworkThatLeavesDropsTheLinkAndCanBeJoinedWhenItReturns) {
  Prepare(1, 0, 1);
  ASSERT_EQ(Set(*emulator, OID_802_11_BSSID, {0x00, 0x11, 0x22, 0x00, 0x00, 0x01}).status, 0);
  ASSERT_TRUE(Connected());
  NetworkSpec cafe = *world.Find(Mac("00-11-22-00-00-01"));
  ASSERT_EQ(world.Remove("Cafe"), 1);
  loop.Advance(1);
  Query(*emulator, OID_VND_LINK_STATE);
  EXPECT_FALSE(Connected());
  EXPECT_EQ(Link(), kLinkDown);
  // Nothing to join while it is away.
  ASSERT_EQ(Set(*emulator, OID_802_11_BSSID, {0x00, 0x11, 0x22, 0x00, 0x00, 0x01}).status, 0);
  EXPECT_FALSE(Connected());
  AddNetwork(cafe);
  ASSERT_EQ(Set(*emulator, OID_802_11_BSSID, {0x00, 0x11, 0x22, 0x00, 0x00, 0x01}).status, 0);
  EXPECT_TRUE(Connected());
}

}  // namespace
}  // namespace kavo9::test
