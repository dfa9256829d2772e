#include "station/networks/profiles/editor/AuthSecurity.h"

#include <gtest/gtest.h>

#include "station/networks/profiles/editor/ProfileEditorIds.h"
#include "station/networks/profiles/editor/tests/EditorFakes.h"

namespace kavo9::profileeditor {
namespace {

// The state machine of the security tab: network type x authentication choice x the 802.1X box
// (ticked after the choice), with what the values and the controls become.
struct StateCase {
  const char* name;
  bool infrastructure;
  int start;  // encryption before the choice
  int choice;
  bool tickBox;
  bool md5;
  int encryption;
  bool use8021X;
  AuthSecurityView view;
};

// leapShown, boxShown, boxEnabled, psk, wepKeys, dot1xTab
const StateCase kStates[] = {
    {"InfraOpenNone",
     true,
     kEncNone,
     kAuthOpen,
     false,
     false,
     kEncNone,
     false,
     {false, true, true, false, false, false}},
    {"InfraOpenFromTkipBecomesNone",
     true,
     kEncTkip,
     kAuthOpen,
     false,
     false,
     kEncNone,
     false,
     {false, true, true, false, false, false}},
    {"InfraOpenWep",
     true,
     kEncWep,
     kAuthOpen,
     false,
     false,
     kEncWep,
     false,
     {false, true, true, false, true, false}},
    {"InfraOpenWepWith8021X",
     true,
     kEncWep,
     kAuthOpen,
     true,
     false,
     kEncWep,
     true,
     {false, true, true, false, false, true}},
    {"InfraOpenWepWithMd5KeepsKeys",
     true,
     kEncWep,
     kAuthOpen,
     true,
     true,
     kEncWep,
     true,
     {false, true, true, false, true, true}},
    {"InfraSharedIsWep",
     true,
     kEncNone,
     kAuthShared,
     false,
     false,
     kEncWep,
     false,
     {false, true, true, false, true, false}},
    {"InfraWpaTicksTheHiddenBox",
     true,
     kEncNone,
     kAuthWpa,
     false,
     false,
     kEncTkip,
     true,
     {false, false, false, false, false, true}},
    {"InfraWpa2KeepsAes",
     true,
     kEncAes,
     kAuthWpa2,
     false,
     false,
     kEncAes,
     true,
     {false, false, false, false, false, true}},
    {"InfraWpaPsk",
     true,
     kEncWep,
     kAuthWpaPsk,
     false,
     false,
     kEncTkip,
     false,
     {false, false, false, true, false, false}},
    {"InfraWpa2PskBoxCannotBeTicked",
     true,
     kEncNone,
     kAuthWpa2Psk,
     true,
     false,
     kEncTkip,
     false,
     {false, false, false, true, false, false}},
    {"InfraLeap",
     true,
     kEncWep,
     kAuthLeap,
     false,
     false,
     kEncWep,
     false,
     {true, false, false, false, false, false}},
    {"AdhocOpenHidesTheBox",
     false,
     kEncWep,
     kAuthOpen,
     true,
     false,
     kEncWep,
     false,
     {false, false, false, false, true, false}},
    {"AdhocSharedHidesTheBox",
     false,
     kEncNone,
     kAuthShared,
     true,
     false,
     kEncWep,
     false,
     {false, false, false, false, true, false}},
    {"AdhocWpaNone",
     false,
     kEncNone,
     kAuthWpaNone,
     false,
     false,
     kEncTkip,
     false,
     {false, false, false, true, false, false}},
};

class SecurityStates : public testing::TestWithParam<StateCase> {};

TEST_P(SecurityStates, ChoiceSetsValuesAndControls) {
  const StateCase& c = GetParam();
  FakeDot1x dot1x;
  dot1x.md5 = c.md5;
  AuthSecurity tab({.supplicantAvailable = true, .windowsVersionCode = 8}, dot1x);
  tab.Reset(c.infrastructure);
  tab.ChooseEncryption(c.start);
  tab.ChooseAuthentication(c.choice);
  if (c.tickBox) tab.SetUse8021X(true);
  EXPECT_EQ(tab.Values().encryption, c.encryption);
  EXPECT_EQ(tab.Values().use8021X, c.use8021X);
  const AuthSecurityView& v = tab.View();
  EXPECT_EQ(v.leapShown, c.view.leapShown);
  EXPECT_EQ(v.box8021XShown, c.view.box8021XShown);
  EXPECT_EQ(v.box8021XEnabled, c.view.box8021XEnabled);
  EXPECT_EQ(v.preSharedKeyEnabled, c.view.preSharedKeyEnabled);
  EXPECT_EQ(v.wepKeysEnabled, c.view.wepKeysEnabled);
  EXPECT_EQ(v.dot1xTabEnabled, c.view.dot1xTabEnabled);
}

INSTANTIATE_TEST_SUITE_P(Table, SecurityStates, testing::ValuesIn(kStates),
                         [](const auto& c) { return std::string(c.param.name); });

TEST(AuthSecurity, WpaPutsMd5BackToPeap) {
  FakeDot1x dot1x;
  dot1x.md5 = true;
  AuthSecurity tab({.supplicantAvailable = true, .windowsVersionCode = 8}, dot1x);
  tab.Reset(true);
  tab.ChooseAuthentication(kAuthWpa);
  EXPECT_FALSE(dot1x.md5);
  EXPECT_EQ(dot1x.calls, std::vector<std::string>{"peap"});
}

TEST(AuthSecurity, MenusOfferWhatTheNetworkAndSupplicantAllow) {
  FakeDot1x dot1x;
  struct Case {
    const char* name;
    bool infrastructure, supplicant;
    int windows;
    std::vector<int> offered;
  };
  const Case cases[] = {
      {"InfraXp", true, true, 8, {0, 1, 3, 4, 5, 6}},
      {"InfraWindows2000", true, true, 6, {0, 1, 3, 4}},
      {"InfraNoSupplicant", true, false, 8, {0, 1}},
      {"Adhoc", false, true, 8, {0, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    AuthSecurity tab({.supplicantAvailable = c.supplicant, .windowsVersionCode = c.windows}, dot1x);
    tab.Reset(c.infrastructure);
    std::vector<int> offered;
    for (int choice : AuthSecurity::kMenuChoices) {
      if (tab.AuthenticationOffered(choice)) offered.push_back(choice);
    }
    EXPECT_EQ(offered, c.offered);
  }
  AuthSecurity tab({.supplicantAvailable = true, .windowsVersionCode = 8}, dot1x);
  tab.Reset(true);
  const auto encryptions = [&] {
    std::vector<int> out;
    for (int e = 0; e < kEncryptionChoiceCount; ++e) {
      if (tab.EncryptionOffered(e)) out.push_back(e);
    }
    return out;
  };
  EXPECT_EQ(encryptions(), (std::vector<int>{kEncNone, kEncWep}));
  tab.ChooseAuthentication(kAuthShared);
  EXPECT_EQ(encryptions(), (std::vector<int>{kEncWep}));
  tab.ChooseAuthentication(kAuthWpa2Psk);
  EXPECT_EQ(encryptions(), (std::vector<int>{kEncTkip, kEncAes}));
}

TEST(AuthSecurity, ShownOnAdhocFallsBackToOpenUnlessWpaNone) {
  FakeDot1x dot1x;
  AuthSecurity tab({.supplicantAvailable = true, .windowsVersionCode = 8}, dot1x);
  tab.Reset(true);
  tab.ChooseAuthentication(kAuthWpa2Psk);
  tab.OnShown(false);
  EXPECT_EQ(tab.Values().authentication, kAuthOpen);
  EXPECT_EQ(tab.Values().encryption, kEncNone);
  tab.ChooseAuthentication(kAuthWpaNone);
  tab.OnShown(false);
  EXPECT_EQ(tab.Values().authentication, kAuthWpaNone);
}

// The tab's check with the rule's message and the control that gets the focus.
struct CheckCase {
  const char* name;
  int authentication;
  int encryption;
  int form;
  const char* key;  // the default key (key 2)
  const char* psk;
  std::optional<LangKey> message;
};

const CheckCase kChecks[] = {
    {"SharedHex10", kAuthShared, kEncWep, kKeyHex, "0123456789", "", std::nullopt},
    {"SharedHex26", kAuthShared, kEncWep, kKeyHex, "0123456789abcdef0123456789", "", std::nullopt},
    {"SharedHex11", kAuthShared, kEncWep, kKeyHex, "0123456789a", "",
     LangKey::IDS_MSGWEPHEXKEYINVALID},
    {"SharedHexEmpty", kAuthShared, kEncWep, kKeyHex, "", "", LangKey::IDS_MSGWEPHEXKEYINVALID},
    {"SharedAscii5", kAuthShared, kEncWep, kKeyAscii, "abcde", "", std::nullopt},
    {"SharedAscii13", kAuthShared, kEncWep, kKeyAscii, "abcdefghijklm", "", std::nullopt},
    {"SharedAscii6", kAuthShared, kEncWep, kKeyAscii, "abcdef", "",
     LangKey::IDS_MSGWEPASCKEYINVALID},
    {"OpenWepAscii4", kAuthOpen, kEncWep, kKeyAscii, "abcd", "", LangKey::IDS_MSGWEPASCKEYINVALID},
    {"OpenNoneIgnoresKeys", kAuthOpen, kEncNone, kKeyAscii, "abcd", "", std::nullopt},
    {"Psk8", kAuthWpaPsk, kEncTkip, kKeyHex, "", "12345678", std::nullopt},
    {"Psk7", kAuthWpa2Psk, kEncAes, kKeyHex, "", "1234567", LangKey::IDS_MSGPSKKEYINVALID},
    {"Psk63Arbitrary", kAuthWpaPsk, kEncTkip, kKeyHex, "",
     "The quick brown fox jumps over the lazy dog; 0123456789 !@#$%^&", std::nullopt},
    {"Psk64Hex", kAuthWpaPsk, kEncTkip, kKeyHex, "",
     "00112233445566778899aabbccddeeff00112233445566778899aabbccddeeff", std::nullopt},
    {"Psk64WithG", kAuthWpaPsk, kEncTkip, kKeyHex, "",
     "g0112233445566778899aabbccddeeff00112233445566778899aabbccddeeff",
     LangKey::IDS_MSGPSKKEYINVALID},
    {"WpaNoneShort", kAuthWpaNone, kEncTkip, kKeyHex, "", "short", LangKey::IDS_MSGPSKKEYINVALID},
    {"WpaNeedsNoKey", kAuthWpa, kEncTkip, kKeyHex, "", "", std::nullopt},
};

class SecurityChecks : public testing::TestWithParam<CheckCase> {};

TEST_P(SecurityChecks, RefusesWithTheRulesText) {
  const CheckCase& c = GetParam();
  FakeDot1x dot1x;
  AuthSecurity tab({.supplicantAvailable = true, .windowsVersionCode = 8}, dot1x);
  tab.Reset(true);
  tab.ChooseAuthentication(c.authentication == kAuthWpaNone ? kAuthWpaNone : c.authentication);
  tab.ChooseEncryption(c.encryption);
  tab.SetDefaultKey(1);
  tab.SetKeyForm(1, c.form);
  tab.SetKeyText(1, c.key);
  tab.SetKeyText(0, "bad");  // the other keys are not examined
  tab.SetPreSharedKey(c.psk);
  const auto failure = tab.Check();
  ASSERT_EQ(failure.has_value(), c.message.has_value());
  if (failure) {
    EXPECT_EQ(failure->message, *c.message);
    EXPECT_EQ(failure->control, c.psk[0] || c.authentication >= kAuthWpaPsk
                                    ? authencry::kPreSharedKey
                                    : authencry::kKey[1]);
  }
}

INSTANTIATE_TEST_SUITE_P(Table, SecurityChecks, testing::ValuesIn(kChecks),
                         [](const auto& c) { return std::string(c.param.name); });

TEST(AuthSecurity, KeyEditsTakeOnlyWhatTheirFormAllows) {
  FakeDot1x dot1x;
  AuthSecurity tab({}, dot1x);
  tab.Reset(true);
  tab.SetKeyText(0, "12xy34AB567890abcdef1234567890");
  EXPECT_EQ(tab.Values().keys[0], "1234AB567890abcdef12345678");  // 26 hexadecimal digits
  tab.SetKeyForm(0, kKeyAscii);
  EXPECT_EQ(tab.Values().keys[0], "1234AB567890a");  // cut to 13 characters
  tab.SetKeyText(0, "tab\there");
  EXPECT_EQ(tab.Values().keys[0], "tabhere");
}

TEST(AuthSecurity, KeysAreStoredAsHexOfExactlyTheirOwnCharacters) {
  EXPECT_EQ(StoredKeyText("abcde", kKeyAscii), "6162636465");
  // A key of another length is never padded or cut into a key.
  EXPECT_EQ(StoredKeyText("abcdef", kKeyAscii), "616263646566");
  EXPECT_EQ(StoredKeyText("\x01", kKeyAscii), "01");
  EXPECT_EQ(StoredKeyText("0A1b2C3d4E", kKeyHex), "0A1b2C3d4E");
  EXPECT_EQ(StoredKeyText("", kKeyAscii), "");
  EXPECT_EQ(ShownKeyText("6162636465", kKeyAscii), "abcde");
  EXPECT_EQ(ShownKeyText("6162636465", kKeyHex), "6162636465");
  EXPECT_EQ(ShownKeyText("61626364650", kKeyAscii), "61626364650");
  EXPECT_EQ(ShownKeyText("0001020304", kKeyAscii), "0001020304");  // not printable
}

TEST(AuthSecurity, LeapNeedsIdentityAndPasswordOnInfrastructure) {
  FakeDot1x dot1x;
  AuthSecurity tab({}, dot1x);
  tab.Reset(true);
  tab.ChooseAuthentication(kAuthLeap);
  tab.SetLeap("  bob ", "   ", " lab ");
  auto failure = tab.CheckLeap();
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->message, LangKey::IDS_CHECKRULE8);
  EXPECT_EQ(failure->control, authencry::kLeapPassword);
  tab.SetLeap(" bob ", " secret ", " lab ");
  EXPECT_FALSE(tab.CheckLeap());
  EXPECT_EQ(tab.Values().leapIdentity, "bob");
  EXPECT_EQ(tab.Values().leapDomain, "lab");
}

// Stored form: what each choice is written as.
struct SaveCase {
  const char* name;
  bool infrastructure;
  int authentication;
  int encryption;
  int leapCipher;
  long authenType;
  long storedEncryption;
};

const SaveCase kSaves[] = {
    {"Open", true, kAuthOpen, kEncNone, 0, 0, 1},
    {"SharedWep", true, kAuthShared, kEncWep, 0, 1, 0},
    {"Wpa", true, kAuthWpa, kEncTkip, 0, 3, 4},
    {"WpaPsk", true, kAuthWpaPsk, kEncTkip, 0, 4, 4},
    {"Wpa2", true, kAuthWpa2, kEncAes, 0, 6, 6},
    {"Wpa2Psk", true, kAuthWpa2Psk, kEncAes, 0, 7, 6},
    {"WpaNoneAdhoc", false, kAuthWpaNone, kEncAes, 0, 5, 6},
    {"WpaNoneInfrastructure", true, kAuthWpaNone, kEncTkip, 0, 4, 4},
    {"WpaLeftOnAdhoc", false, kAuthWpa, kEncTkip, 0, 0, 4},
    {"LeapWep", true, kAuthLeap, kEncWep, kLeapWep, 0, 0},
    {"LeapTkip", true, kAuthLeap, kEncWep, kLeapTkip, 3, 4},
    {"LeapAes", true, kAuthLeap, kEncWep, kLeapAes, 6, 6},
};

class SecuritySaves : public testing::TestWithParam<SaveCase> {};

TEST_P(SecuritySaves, WritesTheStoredCodes) {
  const SaveCase& c = GetParam();
  FakeDot1x dot1x;
  AuthSecurity tab({}, dot1x);
  tab.Reset(true);
  tab.ChooseAuthentication(c.authentication);
  tab.ChooseEncryption(c.encryption);
  tab.SetLeapCipher(c.leapCipher);
  profiles::ProfileValues stored;
  tab.Save(c.infrastructure, &stored);
  EXPECT_EQ(stored.Number("AuthenType", -1), c.authenType);
  EXPECT_EQ(stored.Number("Encryption", -1), c.storedEncryption);
  EXPECT_EQ(stored.Number("LeapEnabled", -1), c.authentication == kAuthLeap ? 1 : 0);
  if (c.authentication == kAuthLeap) {
    EXPECT_EQ(stored.Number("Use8021X", -1), 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Table, SecuritySaves, testing::ValuesIn(kSaves),
                         [](const auto& c) { return std::string(c.param.name); });

TEST(AuthSecurity, LoadShowsAStoredProfileAsItWasSaved) {
  FakeDot1x dot1x;
  AuthSecurity saved({.supplicantAvailable = true, .windowsVersionCode = 8}, dot1x);
  saved.Reset(true);
  saved.ChooseAuthentication(kAuthShared);
  saved.SetDefaultKey(2);
  saved.SetKeyForm(2, kKeyAscii);
  saved.SetKeyText(2, "hello");
  saved.SetKeyText(0, "0011223344");
  profiles::ProfileValues stored;
  saved.Save(true, &stored);
  EXPECT_EQ(stored.Text("WEPKey3"), "68656c6c6f");
  EXPECT_EQ(stored.Text("WEPKey3Type"), "1");
  EXPECT_EQ(stored.Text("WEPKeyUse"), "3");

  AuthSecurity loaded({.supplicantAvailable = true, .windowsVersionCode = 8}, dot1x);
  loaded.Reset(true);
  loaded.Load(stored, true);
  EXPECT_EQ(loaded.Values().authentication, kAuthShared);
  EXPECT_EQ(loaded.Values().encryption, kEncWep);
  EXPECT_EQ(loaded.Values().defaultKey, 2);
  EXPECT_EQ(loaded.Values().keys[2], "hello");
  EXPECT_EQ(loaded.Values().keys[0], "0011223344");
  EXPECT_TRUE(loaded.View().wepKeysEnabled);

  profiles::ProfileValues leap;
  leap.Set("AuthenType", "0");
  leap.Set("Encryption", "6");
  leap.Set("LeapEnabled", "1");
  leap.Set("LeapUserName", "bob");
  leap.Set("Use8021X", "1");
  loaded.Load(leap, true);
  EXPECT_TRUE(loaded.LeapMode());
  EXPECT_EQ(loaded.Values().leapCipher, kLeapAes);
  EXPECT_FALSE(loaded.Values().use8021X);
  EXPECT_TRUE(loaded.View().leapShown);
}

}  // namespace
}  // namespace kavo9::profileeditor
