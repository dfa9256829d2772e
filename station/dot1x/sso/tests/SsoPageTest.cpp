#include "station/dot1x/sso/SsoPage.h"

#include "station/dot1x/sso/tests/SsoFixture.h"

namespace kavo9::sso {
namespace {

using testing::Kind;
using testing::SsoFixture;

struct RecordingActivation : SsoActivationPort {
  std::vector<std::string> activated;
  void ActivateForSignOn(std::string_view name) override { activated.emplace_back(name); }
};

class SsoPageTest : public SsoFixture {
 protected:
  SsoPageTest() {
    PutSso(kInstallValue, "1");
    AddProfile("Office2", Kind::kEapFast, "corp2");
    AddProfile("Home", Kind::kPsk, "home");
    AddProfile("Office", Kind::kLeapAndEapFast, "corp");
    AddProfile("Lab", Kind::kLeap, "lab");
  }
  SsoPage MakePage() { return SsoPage({*fake.registry, store, profileStore, adapter, activation}); }

  RecordingActivation activation;
};

TEST_F(SsoPageTest, ListsTheProfilesThatCanSignOnAndSelectsTheStoredOneByItsWholeName) {
  PutSso(kEnableValue, "1");
  PutSso(kCurProfileValue, "office");  // "Office2" begins with it and comes first
  SsoPage page = MakePage();
  page.Show();
  const SsoPageView& v = page.View();
  EXPECT_EQ(v.profiles, (std::vector<std::string>{"Lab", "Office", "Office2"}));
  ASSERT_EQ(v.selected, 1);
  EXPECT_EQ(v.profileName, "Office");
  EXPECT_EQ(v.ssid, "corp");
  EXPECT_EQ(v.authentication, "LEAP");  // LEAP wins over EAP-FAST
  EXPECT_TRUE(v.featureOn && v.credentialsEnabled && v.listEnabled && v.detailsEnabled &&
              v.applyEnabled);
}

TEST_F(SsoPageTest, TheSelectionWithoutOrWithAnUnknownStoredProfile) {
  PutSso(kEnableValue, "1");
  SsoPage page = MakePage();
  page.Show();
  EXPECT_EQ(page.View().selected, 0);  // none stored: the first
  PutSso(kCurProfileValue, "Gone");
  page.Show();
  EXPECT_EQ(page.View().selected, -1);
  EXPECT_TRUE(page.View().profileName.empty());
  EXPECT_FALSE(page.View().applyEnabled);
  EXPECT_TRUE(page.View().listEnabled);
}

TEST_F(SsoPageTest, AMissingSwitchIsRepairedToOffAndEverythingButTheSwitchWaits) {
  PutSso(kSavedPasswordValue, "1");
  SsoPage page = MakePage();
  page.Show();
  EXPECT_EQ(Sso(kEnableValue), "0");
  const SsoPageView& v = page.View();
  EXPECT_FALSE(v.featureOn);
  EXPECT_EQ(v.credential, SavedPassword::kProfile);
  EXPECT_FALSE(v.credentialsEnabled || v.listEnabled || v.detailsEnabled || v.applyEnabled);
  EXPECT_EQ(v.selected, 0);  // still shown, for when the switch goes on

  page.SetFeature(true);  // nothing written until APPLY
  EXPECT_EQ(Sso(kEnableValue), "0");
  EXPECT_TRUE(page.View().credentialsEnabled && page.View().applyEnabled);
}

TEST_F(SsoPageTest, WithoutProfilesTheListStaysOff) {
  fake.registry->DeleteTree(HKEY_LOCAL_MACHINE, profileStore.ProfilesKey());
  PutSso(kEnableValue, "1");
  SsoPage page = MakePage();
  page.Show();
  EXPECT_TRUE(page.View().credentialsEnabled);
  EXPECT_FALSE(page.View().listEnabled || page.View().applyEnabled);
  page.Apply();  // nothing to apply
  EXPECT_TRUE(activation.activated.empty());
}

TEST_F(SsoPageTest, SwitchingOffAndTheCredentialChoiceAreWrittenAtOnce) {
  PutSso(kEnableValue, "1");
  PutSso(kCurProfileValue, "Office");
  PutSubkey("Session");
  PutGina(kSsoGina);
  SsoPage page = MakePage();
  page.Show();
  page.ChooseCredential(SavedPassword::kPrompt);
  EXPECT_EQ(Sso(kSavedPasswordValue), "2");
  page.SetFeature(false);
  EXPECT_EQ(Sso(kEnableValue), "0");
  EXPECT_EQ(Sso(kCurProfileValue), "");
  EXPECT_TRUE(Subkeys().empty());
  EXPECT_FALSE(Gina().has_value());
  EXPECT_FALSE(page.View().credentialsEnabled || page.View().applyEnabled);
}

TEST_F(SsoPageTest, ApplyWritesTheRecordAndConnectsWithTheChosenProfile) {
  PutSso(kEnableValue, "1");
  PutSubkey("Session");
  SsoPage page = MakePage();
  page.Show();
  page.ChooseProfile(2);
  EXPECT_EQ(page.View().authentication, "EAP-FAST");
  page.Apply();

  EXPECT_EQ(Gina(), "TesmarGina.DLL");
  const auto record = ReadSsoRecord(*fake.registry);
  ASSERT_TRUE(record);
  EXPECT_EQ(record->enable, "1");
  EXPECT_EQ(record->curProfile, "Office2");
  EXPECT_EQ(record->deviceRegistryPath, testing::kAdapterKey);
  EXPECT_EQ(record->profilePath, std::string(testing::kAdapterKey) + "\\Profile\\Station\\Office2");
  EXPECT_EQ(record->profileName, "Profile Name: Office2");
  EXPECT_EQ(record->cardName, "Card Name: Wireless LAN Card");
  EXPECT_TRUE(Subkeys().empty());
  EXPECT_EQ(activation.activated, (std::vector<std::string>{"Office2"}));
  EXPECT_FALSE(page.View().otherLogonLibrary);
}

TEST_F(SsoPageTest, ApplyLeavesAnotherLogonLibraryAndACardNameItCannotRead) {
  PutSso(kEnableValue, "1");
  PutSso(kCardNameValue, "Card Name: before");
  PutGina("OtherGina.dll");
  ScopedKey key(*fake.registry);
  ASSERT_EQ(fake.registry->OpenKey(HKEY_LOCAL_MACHINE, testing::kAdapterKey, KEY_ALL_ACCESS, &key),
            0);
  fake.registry->DeleteValue(key.get(), "DriverDesc");
  SsoPage page = MakePage();
  page.Show();
  page.Apply();
  EXPECT_EQ(Gina(), "OtherGina.dll");
  EXPECT_TRUE(page.View().otherLogonLibrary);
  EXPECT_EQ(Sso(kCardNameValue), "Card Name: before");
  EXPECT_EQ(activation.activated, (std::vector<std::string>{"Lab"}));
}

}  // namespace
}  // namespace kavo9::sso
