#include "station/wps/WpsConnect.h"

#include <gtest/gtest.h>

#include "common/adapter/testing/ScriptedDriver.h"

namespace kavo9::wps {
namespace {

WpsCredential Wep(std::string_view key, uint32_t index = 1) {
  WpsCredential c;
  c.SetSsid("lab");
  c.AuthType = kAuthOpen;
  c.EncryType = kEncryWep;
  c.KeyIndex = index;
  c.SetKey(key);
  return c;
}

TEST(WpsConnect, WepKeysOfEveryLength) {
  struct Case {
    const char* key;
    std::vector<uint8_t> material;
  } cases[] = {
      {"0A1b2C3d4E5f60718293A4B5C6",
       {0x0A, 0x1B, 0x2C, 0x3D, 0x4E, 0x5F, 0x60, 0x71, 0x82, 0x93, 0xA4, 0xB5, 0xC6}},
      {"0123456789", {0x01, 0x23, 0x45, 0x67, 0x89}},
      {"thirteen char", {'t', 'h', 'i', 'r', 't', 'e', 'e', 'n', ' ', 'c', 'h', 'a', 'r'}},
      {"fives", {'f', 'i', 'v', 'e', 's'}},
      {"fifteen chars!!", std::vector<uint8_t>(13, 0)},
      {"not hex at all", std::vector<uint8_t>(13, 0)},
      {"zz23456789", {'z', 'z', '2', '3', '4', '5', '6', '7', '8', '9'}},
  };
  for (const Case& c : cases) {
    const connect::ConnectRecord r = RecordFromCredential(Wep(c.key), 2437000, 0);
    ASSERT_TRUE(r.WepKeys[1]) << c.key;
    EXPECT_EQ(r.WepKeys[1]->KeyIndex(), 0x80000001u) << c.key;
    const auto material = r.WepKeys[1]->Material();
    EXPECT_EQ(std::vector<uint8_t>(material.begin(), material.end()), c.material) << c.key;
    EXPECT_EQ(r.WepKeys[1]->Length(), c.material.size() + 39) << c.key;
    EXPECT_FALSE(r.WepKeys[0] || r.WepKeys[2] || r.WepKeys[3]);
  }
}

TEST(WpsConnect, RecordFieldsOfAWpa2Credential) {
  WpsCredential c;
  c.SetSsid("home");
  c.AuthType = kAuthWpa2Psk;
  c.EncryType = kEncryAes;
  c.SetKey("correct horse battery");
  c.MacAddress = {1, 2, 3, 4, 5, 6};
  const connect::ConnectRecord r = RecordFromCredential(c, 5180000, 2);
  EXPECT_EQ(r.SsidText(), "home");
  EXPECT_EQ(r.BssidBound, 0u);
  EXPECT_EQ(r.BssidBytes(), c.MacAddress);
  EXPECT_EQ(r.AuthMode, 7u);
  EXPECT_EQ(r.Encryption, 6u);
  EXPECT_EQ(r.PassPhrase, "correct horse battery");
  EXPECT_EQ(r.FrequencyKhz, 5180000u);
  EXPECT_EQ(r.PowerMode, 2u);
  EXPECT_EQ(r.DisassociateFirst, 1u);
  EXPECT_EQ(r.RtsThreshold, 2347u);
  EXPECT_FALSE(r.WepKeys[0] || r.WepKeys[1]);
}

TEST(WpsConnect, RotationWalksTheSlotsInTurn) {
  WpsState s;
  for (int i = 0; i < 3; ++i) s.Table.Add(Wep("fives"));
  s.Rotate = true;
  std::vector<uint32_t> used;
  for (int i = 0; i < 4; ++i) {
    used.push_back(TakeConnectSlot(s));
    EXPECT_EQ(s.SelectedCredential, used.back());
  }
  EXPECT_EQ(used, (std::vector<uint32_t>{0, 1, 2, 0}));

  s.Rotate = false;
  s.SelectedCredential = 2;
  EXPECT_EQ(TakeConnectSlot(s), 2u);
  EXPECT_EQ(s.RotationIndex, 2u);
  // Indexes left over from a longer table fall back to the first slot.
  s.Table.Delete(2);
  EXPECT_EQ(TakeConnectSlot(s), 0u);
}

class ConnectedTest : public testing::Test {
 protected:
  void Network(uint32_t media, std::string_view ssid, uint32_t auth, uint32_t encryption) {
    driver.AnswerDword(OID_GEN_MEDIA_CONNECT_STATUS, media);
    std::array<uint8_t, 36> record{};
    record[0] = uint8_t(ssid.size());
    std::copy(ssid.begin(), ssid.end(), record.begin() + 4);
    driver.Answer(OID_802_11_SSID, record);
    driver.AnswerDword(OID_802_11_AUTHENTICATION_MODE, auth);
    driver.AnswerDword(OID_802_11_ENCRYPTION_STATUS, encryption);
  }
  ScriptedDriver driver;
};

TEST_F(ConnectedTest, MatchesSsidModeAndEitherEncryptionStatus) {
  WpsCredential c;
  c.SetSsid("home");
  c.AuthType = kAuthWpa2Psk;
  c.EncryType = kEncryAes;
  struct Case {
    uint32_t media;
    const char* ssid;
    uint32_t auth, encryption;
    bool connected;
  } cases[] = {
      {0, "home", 7, 6, true},  {0, "home", 7, 7, true},   {0, "", 7, 6, true},
      {1, "home", 7, 6, false}, {0, "other", 7, 6, false}, {0, "home", 6, 6, false},
      {0, "home", 7, 4, false},
  };
  for (const Case& k : cases) {
    Network(k.media, k.ssid, k.auth, k.encryption);
    EXPECT_EQ(IsConnectedToWpsNetwork(driver, c), k.connected) << k.ssid << k.auth << k.encryption;
  }
}

TEST_F(ConnectedTest, FailedReadsCompareAsOpenAndDisabled) {
  WpsCredential open;
  open.SetSsid("cafe");
  open.AuthType = kAuthOpen;
  open.EncryType = kEncryNone;
  Network(0, "cafe", 7, 6);
  driver.refused = {OID_802_11_AUTHENTICATION_MODE, OID_802_11_ENCRYPTION_STATUS};
  EXPECT_TRUE(IsConnectedToWpsNetwork(driver, open));
  driver.refused = {OID_GEN_MEDIA_CONNECT_STATUS};
  EXPECT_FALSE(IsConnectedToWpsNetwork(driver, open));
}

}  // namespace
}  // namespace kavo9::wps
