#include "station/dot1x/sso/SsoRules.h"

#include "common/shell/ConfigToolState.h"
#include "station/dot1x/sso/tests/SsoFixture.h"

namespace kavo9::sso {
namespace {

using testing::Kind;
using testing::SsoFixture;

using SsoRulesTest = SsoFixture;

TEST_F(SsoRulesTest, InstalledOnlyForAUserWhoMaySetProfilesWhileTheUtilityConfigures) {
  struct Case {
    const char* name;
    const char* install;  // null: missing
    int configTool;
    bool maySetProfiles;
    bool installed;
  };
  const Case cases[] = {
      {"installed", "1", kConfigToolNone, true, true},
      {"service runs, leaves the adapter", "1", kConfigToolUtility, true, true},
      {"service manages the adapter", "1", kConfigToolService, true, false},
      {"standard user without the profile switch", "1", kConfigToolNone, false, false},
      {"not installed", "0", kConfigToolNone, true, false},
      {"other text", "yes", kConfigToolNone, true, false},
      {"value missing", nullptr, kConfigToolNone, true, false},
  };
  EXPECT_FALSE(SsoInstalled(*fake.registry, kConfigToolNone, true));  // no key at all
  for (const auto& c : cases) {
    fake.registry->DeleteTree(HKEY_LOCAL_MACHINE, kSsoKey);
    if (c.install) {
      PutSso(kInstallValue, c.install);
    } else {
      PutSso(kEnableValue, "1");
    }
    EXPECT_EQ(SsoInstalled(*fake.registry, c.configTool, c.maySetProfiles), c.installed) << c.name;
  }
}

TEST_F(SsoRulesTest, EligibilityAndTheAuthenticationShown) {
  AddProfile("fast", Kind::kEapFast);
  AddProfile("leap", Kind::kLeap);
  AddProfile("both", Kind::kLeapAndEapFast);
  AddProfile("psk", Kind::kPsk);
  const std::pair<const char*, const char*> cases[] = {
      {"fast", "EAP-FAST"}, {"leap", "LEAP"}, {"both", "LEAP"}, {"psk", ""}};
  for (const auto& [name, shown] : cases) {
    profiles::ProfileValues values;
    ASSERT_TRUE(profileStore.ReadProfile(name, &values));
    EXPECT_EQ(SsoAuthenticationText(values), shown) << name;
    EXPECT_EQ(EligibleForSso(values), *shown != '\0') << name;
  }
}

TEST_F(SsoRulesTest, ActivationCheckCases) {
  struct Case {
    const char* name;
    const char* profile;
    const char* install;  // null: missing
    const char* enable;   // null: missing
    bool messageShown;
    std::optional<std::string> enableAfter;
    std::string curProfileAfter;
    bool ginaAfter;
  };
  const Case cases[] = {
      {"EAP-FAST while enabled", "fast", "1", "1", false, "1", "fast", true},
      {"LEAP while enabled", "leap", "1", "1", false, "1", "leap", true},
      {"WPA-PSK while enabled", "psk", "1", "1", true, "0", "", false},
      {"WPA-PSK while disabled", "psk", "1", "0", false, "0", "", false},
      {"EAP-FAST while disabled", "fast", "1", "0", false, "0", "", true},
      {"EAP-FAST, enable missing", "fast", "1", nullptr, false, std::nullopt, "fast", true},
      {"unknown profile while enabled", "gone", "1", "1", true, "0", "", false},
  };
  AddProfile("fast", Kind::kEapFast);
  AddProfile("leap", Kind::kLeap);
  AddProfile("psk", Kind::kPsk);
  for (const auto& c : cases) {
    fake.registry->DeleteTree(HKEY_LOCAL_MACHINE, kSsoKey);
    recorders.messages.clear();
    PutSso(kInstallValue, c.install);
    if (c.enable) PutSso(kEnableValue, c.enable);
    PutSso(kCurProfileValue, "before");
    PutSso(kCardNameValue, "Card Name: kept");
    PutSubkey("Session");
    PutGina(kSsoGina);

    SsoActivationCheck({*fake.registry, store, profileStore, recorders}, c.profile);

    EXPECT_EQ(recorders.messages.size(), c.messageShown ? 1u : 0u) << c.name;
    if (c.messageShown && !recorders.messages.empty()) {
      EXPECT_EQ(recorders.messages[0],
                "Selected profile is removed in SSO page.\n\nPlease re-select profile in SSO page");
    }
    EXPECT_EQ(Sso(kEnableValue), c.enableAfter) << c.name;
    EXPECT_EQ(Sso(kCurProfileValue), c.curProfileAfter) << c.name;
    EXPECT_EQ(Sso(kProfileNameValue), "Profile Name: " + c.curProfileAfter) << c.name;
    EXPECT_EQ(Gina().has_value(), c.ginaAfter) << c.name;
    EXPECT_TRUE(Subkeys().empty()) << c.name;
    EXPECT_EQ(Sso(kCardNameValue), "Card Name: kept") << c.name;
  }
}

TEST_F(SsoRulesTest, ActivationCheckWithoutTheComponentOnlyRemovesItsLogonLibrary) {
  AddProfile("fast", Kind::kEapFast);
  store.written.clear();
  // No key: nothing at all happens, not even to the logon library.
  PutGina(kSsoGina);
  SsoActivationCheck({*fake.registry, store, profileStore, recorders}, "fast");
  EXPECT_TRUE(Gina().has_value());
  EXPECT_TRUE(store.written.empty());

  for (const char* install : {"0", static_cast<const char*>(nullptr)}) {
    fake.registry->DeleteTree(HKEY_LOCAL_MACHINE, kSsoKey);
    PutSso(kEnableValue, "1");
    if (install) PutSso(kInstallValue, install);
    PutGina(kSsoGina);
    store.written.clear();
    SsoActivationCheck({*fake.registry, store, profileStore, recorders}, "fast");
    EXPECT_FALSE(Gina().has_value());
    EXPECT_TRUE(store.written.empty());
  }
  // Another product's logon library is never removed.
  PutGina("OtherGina.dll");
  SsoActivationCheck({*fake.registry, store, profileStore, recorders}, "fast");
  EXPECT_EQ(Gina(), "OtherGina.dll");
}

}  // namespace
}  // namespace kavo9::sso
