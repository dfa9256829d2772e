#include "station/wps/WpsCredential.h"

#include <gtest/gtest.h>

#include <cstring>

namespace kavo9::wps {
namespace {

WpsCredential Credential(std::string_view ssid, uint32_t auth = kAuthWpa2Psk,
                         uint32_t encry = kEncryAes, std::string_view key = "passphrase") {
  WpsCredential c;
  c.SetSsid(ssid);
  c.AuthType = auth;
  c.EncryType = encry;
  c.SetKey(key);
  c.MacAddress = {0x00, 0x1F, 0x33, 0x4B, 0x00, uint8_t(ssid.size())};
  return c;
}

TEST(WpsCredential, TableRoundTripsThroughTheDriverLayout) {
  WpsCredentialTable table;
  table.Add(Credential("home"));
  table.Add(Credential("cafe", kAuthOpen, kEncryWep, "0123456789"));
  table.Slots[1].KeyIndex = 2 | kKeyIndexTransmitBit;
  const auto bytes = EncodeTable(table);
  ASSERT_EQ(bytes.size(), 996u);
  // Fixed offsets of the driver's record: slot 1 starts at 4 + 124.
  EXPECT_EQ(bytes[0], 2);
  EXPECT_EQ(bytes[4 + 124], 4);               // SsidLength
  EXPECT_EQ(bytes[4 + 124 + 36], kAuthOpen);  // AuthType
  EXPECT_EQ(bytes[4 + 124 + 40], kEncryWep);  // EncryType
  EXPECT_EQ(bytes[4 + 124 + 47], 0x80);       // KeyIndex, bit 31
  EXPECT_EQ(bytes[4 + 124 + 48], 10);         // KeyLength
  EXPECT_EQ(bytes[4 + 124 + 52], '0');        // Key
  EXPECT_EQ(bytes[4 + 124 + 121], 4);         // MacAddress[5]
  EXPECT_EQ(DecodeTable(bytes), table);
  EXPECT_EQ(table.Slots[1].KeySlot(), 2u);
}

TEST(WpsCredential, DecodeClampsWhatTheRecordCannotHold) {
  WpsCredentialTable table;
  table.Add(Credential("x"));
  auto bytes = EncodeTable(table);
  bytes[0] = 200;        // count far above 8
  bytes[4] = 0xFF;       // SSID length 255
  bytes[4 + 48] = 0xFF;  // key length 255
  const WpsCredentialTable decoded = DecodeTable(bytes);
  EXPECT_EQ(decoded.Count, 8u);
  EXPECT_EQ(decoded.Slots[0].SsidLength, 32u);
  EXPECT_EQ(decoded.Slots[0].KeyLength, 64u);
  EXPECT_EQ(decoded.Slots[0].SsidText().size(), 32u);

  // A short reply holds fewer slots than it claims.
  const WpsCredentialTable shortOne = DecodeTable(std::span(bytes).first(4 + 124 + 10));
  EXPECT_EQ(shortOne.Count, 1u);
  EXPECT_TRUE(DecodeTable({}).Empty());

  // Slots at and above the count are zero whatever the bytes say.
  bytes[0] = 1;
  EXPECT_EQ(DecodeTable(bytes).Slots[1], WpsCredential{});
}

TEST(WpsCredential, DeleteShiftsLaterSlotsDownAndZeroesTheLast) {
  WpsCredentialTable table;
  for (const char* ssid : {"a", "b", "c"}) table.Add(Credential(ssid));
  ASSERT_TRUE(table.Delete(1));
  EXPECT_EQ(table.Count, 2u);
  EXPECT_EQ(table.Slots[0].SsidText(), "a");
  EXPECT_EQ(table.Slots[1].SsidText(), "c");
  EXPECT_EQ(table.Slots[2], WpsCredential{});
  EXPECT_FALSE(table.Delete(2));
  ASSERT_TRUE(table.Delete(1));
  ASSERT_TRUE(table.Delete(0));
  EXPECT_TRUE(table.Empty());
  EXPECT_FALSE(table.Delete(0));
}

TEST(WpsCredential, AddStopsAtEight) {
  WpsCredentialTable table;
  for (int i = 0; i < 8; ++i) EXPECT_TRUE(table.Add(Credential("n")));
  EXPECT_FALSE(table.Add(Credential("ninth")));
  EXPECT_EQ(table.Count, 8u);
}

TEST(WpsCredential, TypeMappings) {
  EXPECT_EQ(MapAuth(kAuthWpa2).NdisMode, 6u);
  EXPECT_EQ(MapAuth(kAuthWpa2).EditorChoice, 5);
  EXPECT_EQ(MapAuth(kAuthWpaWpa2Psk).Text, "WPA-PSK;WPA2-PSK");
  EXPECT_EQ(MapAuth(kAuthWpaWpa2Psk).NdisMode, 4u);
  EXPECT_EQ(MapAuth(3).Text, "");
  EXPECT_FALSE(MapAuth(3).EditorChoice);
  EXPECT_EQ(MapEncry(kEncryWep).NdisStatus, 0u);
  EXPECT_EQ(MapEncry(kEncryTkipAes).NdisStatus, 4u);
  EXPECT_EQ(MapEncry(77).NdisStatus, 1u);
  EXPECT_FALSE(Credential("o", kAuthOpen, kEncryNone).Secured());
  EXPECT_TRUE(Credential("o", kAuthOpen, kEncryWep).Secured());
}

TEST(WpsCredential, RegistrarCredentialNamesTheAdapterAndHasAFreshHexKey) {
  const std::array<uint8_t, 6> mac = {0x00, 0x0C, 0x43, 0x0A, 0xB1, 0x2C};
  const auto first = BuildRegistrarCredential(mac);
  const auto second = BuildRegistrarCredential(mac);
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->SsidText(), "ExRegNW0AB12C");
  EXPECT_EQ(first->SsidLength, 13u);
  EXPECT_EQ(first->AuthType, uint32_t(kAuthWpa2Psk));
  EXPECT_EQ(first->EncryType, uint32_t(kEncryAes));
  EXPECT_EQ(first->KeyIndex, 1u);
  ASSERT_EQ(first->KeyLength, 64u);
  const std::string key = first->KeyText();
  EXPECT_TRUE(IsHexText(key));
  EXPECT_EQ(key.find_first_of("abcdef"), std::string::npos);
  EXPECT_NE(key, second->KeyText());
}

TEST(WpsCredential, HexText) {
  EXPECT_TRUE(IsHexText("0123456789abcdefABCDEF"));
  EXPECT_FALSE(IsHexText("0123g"));
  EXPECT_FALSE(IsHexText("01 23"));
}

}  // namespace
}  // namespace kavo9::wps
