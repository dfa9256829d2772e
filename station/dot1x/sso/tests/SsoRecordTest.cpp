#include "station/dot1x/sso/SsoRecord.h"

#include "station/dot1x/sso/tests/SsoFixture.h"

namespace kavo9::sso {
namespace {

using testing::SsoFixture;

using SsoRecordTest = SsoFixture;

TEST_F(SsoRecordTest, WhatIsWrittenReadsBackValueByValue) {
  EXPECT_FALSE(ReadSsoRecord(*fake.registry).has_value());  // no key yet

  SsoKeyWriter writer(*fake.registry, store);
  SsoRecord written;
  written.install = "1";
  written.enable = "1";
  written.savedPassword = "2";
  written.curProfile = "Office";
  written.deviceRegistryPath = testing::kAdapterKey;
  written.profilePath = ProfilePathText(testing::kAdapterKey, "Office");
  written.profileName = ProfileNameText("Office");
  written.cardName = CardNameText("Wireless LAN Card");
  written.cancelled = "0";
  written.releaseAegis = "1";
  written.winlogonDomain = "CORP";
  const std::pair<const char*, const std::optional<std::string>*> values[] = {
      {kInstallValue, &written.install},
      {kEnableValue, &written.enable},
      {kSavedPasswordValue, &written.savedPassword},
      {kCurProfileValue, &written.curProfile},
      {kDeviceRegistryPathValue, &written.deviceRegistryPath},
      {kProfilePathValue, &written.profilePath},
      {kProfileNameValue, &written.profileName},
      {kCardNameValue, &written.cardName},
      {kCancelledValue, &written.cancelled},
      {kReleaseAegisValue, &written.releaseAegis},
      {kWinlogonDomainValue, &written.winlogonDomain},
  };
  for (const auto& [name, text] : values) ASSERT_EQ(writer.Set(name, **text), 0) << name;

  const auto read = ReadSsoRecord(*fake.registry);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(*read, written);
  EXPECT_EQ(*read->profilePath, std::string(testing::kAdapterKey) + "\\Profile\\Station\\Office");
  EXPECT_EQ(*read->profileName, "Profile Name: Office");
  EXPECT_EQ(*read->cardName, "Card Name: Wireless LAN Card");
}

TEST_F(SsoRecordTest, FlagsAndTheCredentialChoiceReadAsTheComponentMeansThem) {
  EXPECT_TRUE(InstallFlagSet(std::string("1")));
  EXPECT_FALSE(InstallFlagSet(std::string("2")));
  EXPECT_FALSE(InstallFlagSet(std::nullopt));
  EXPECT_TRUE(EnableFlagSet(std::string("yes")));
  EXPECT_FALSE(EnableFlagSet(std::string("0")));
  EXPECT_FALSE(EnableFlagSet(std::nullopt));
  EXPECT_EQ(SavedPasswordChoice(std::nullopt), SavedPassword::kWindowsLogon);
  EXPECT_EQ(SavedPasswordChoice(std::string("0")), SavedPassword::kWindowsLogon);
  EXPECT_EQ(SavedPasswordChoice(std::string("1")), SavedPassword::kProfile);
  EXPECT_EQ(SavedPasswordChoice(std::string("")), SavedPassword::kPrompt);
  EXPECT_EQ(SavedPasswordChoice(std::string("7")), SavedPassword::kPrompt);
}

TEST_F(SsoRecordTest, TooLongOrNonTextValuesReadAsMissing) {
  PutSso(kWinlogonDomainValue, std::string(128, 'D'));
  EXPECT_FALSE(ReadSsoValue(*fake.registry, kWinlogonDomainValue, 127).has_value());
  EXPECT_TRUE(ReadSsoValue(*fake.registry, kWinlogonDomainValue, 128).has_value());
  ScopedKey key(*fake.registry);
  ASSERT_EQ(fake.registry->OpenKey(HKEY_LOCAL_MACHINE, kSsoKey, KEY_ALL_ACCESS, &key), 0);
  const uint32_t one = 1;
  fake.registry->SetValue(key.get(), kInstallValue, REG_DWORD,
                          reinterpret_cast<const uint8_t*>(&one), 4);
  EXPECT_FALSE(ReadSsoValue(*fake.registry, kInstallValue).has_value());
}

TEST_F(SsoRecordTest, SubkeysGoAndValuesStay) {
  PutSso(kCurProfileValue, "Office");
  for (const char* name : {"A", "B", "C"}) PutSubkey(name);
  PutSubkey("B\\Deeper");
  SsoKeyWriter(*fake.registry, store).DeleteSubkeys();
  EXPECT_TRUE(Subkeys().empty());
  EXPECT_EQ(Sso(kCurProfileValue), "Office");
}

TEST_F(SsoRecordTest, OnlyOurOwnLogonLibraryIsWrittenOverOrRemoved) {
  SsoKeyWriter writer(*fake.registry, store);
  EXPECT_TRUE(writer.InstallGina());
  EXPECT_EQ(Gina(), "TesmarGina.DLL");
  writer.RemoveGina();
  EXPECT_FALSE(Gina().has_value());

  PutGina("tesmargina.dll");  // the same library, however it was spelt
  EXPECT_TRUE(writer.GinaIsOurs());
  writer.RemoveGina();
  EXPECT_FALSE(Gina().has_value());

  PutGina("OtherGina.dll");
  EXPECT_FALSE(writer.InstallGina());
  writer.RemoveGina();
  EXPECT_EQ(Gina(), "OtherGina.dll");
}

}  // namespace
}  // namespace kavo9::sso
