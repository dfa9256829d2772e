#include "station/networks/profiles/editor/ProfileEditor.h"

#include <gtest/gtest.h>

#include "common/adapter/testing/FakeAdapter.h"
#include "common/adapter/testing/ScriptedDriver.h"
#include "common/platform/fake/FakePlatform.h"
#include "station/networks/BssRecordBuilder.h"
#include "station/networks/profiles/editor/tests/EditorFakes.h"
#include "station/shell/controller/testing/RecordingParts.h"

namespace kavo9::profileeditor {
namespace {

constexpr const char* kKey =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007";

struct EnglishTexts : TextPort {
  std::string Text(std::string_view key) const override { return key == "IDS_PROF" ? "PROF" : ""; }
};
struct Messages : profiles::ProfileMessagePort {
  void ShowMessage(std::string_view) override {}
};

class ProfileEditorTest : public testing::Test {
 protected:
  ProfileEditorTest() {
    adapter.identity.registryKey = kKey;
    store.CreateKey(kKey, StorePort::Area::kProfile);
  }
  std::vector<std::string> WrittenNames() const {
    std::vector<std::string> names;
    for (const std::string& w : store.writes) names.push_back(w.substr(0, w.find('=')));
    return names;
  }
  profiles::ProfileValues Stored(const std::string& name) {
    profiles::ProfileValues values;
    EXPECT_TRUE(profiles.ReadProfile(name, &values));
    return values;
  }
  void FillValidOpenProfile(const std::string& name, const std::string& ssid) {
    editor.PrepareNewProfile();
    editor.System().SetName(name);
    editor.System().SetSsid(ssid);
  }
  SurveySelection Network(const std::string& ssid, uint32_t infrastructure, bool secured,
                          int securityClass, const std::string& cipher) {
    SurveySelection s;
    s.Record = build::BssRecordBuilder()
                   .Ssid(ssid)
                   .Infrastructure(infrastructure)
                   .FrequencyKhz(2437000)
                   .Privacy(secured)
                   .Build();
    s.Secured = secured;
    s.SecurityClass = securityClass;
    s.Cipher = cipher;
    return s;
  }

  FakePlatform fake;
  ScriptedDriver driver;
  FakeAdapter adapter{driver};
  RecordingStore store{*fake.registry};
  EnglishTexts texts;
  Messages messages;
  profiles::ProfileStore profiles{{adapter, *fake.registry, store, texts, messages}};
  FakeEditorStation station;
  FakeDot1x dot1x;
  ProfileEditor editor{profiles, station, dot1x};
};

TEST_F(ProfileEditorTest, NewProfileStartsFromTheDefaultsAndTheNetworksInRange) {
  station.powerSave = 1;
  editor.PrepareNewProfile();
  const SystemConfigValues& sys = editor.System().Values();
  EXPECT_EQ(sys.name, "PROF1");
  EXPECT_EQ(sys.ssidChoices, (std::vector<std::string>{"home-net", "corp"}));
  EXPECT_TRUE(sys.infrastructure);
  EXPECT_EQ(sys.powerSave, kPsm);
  EXPECT_EQ(sys.channels, (std::vector<int>{1, 6, 11, 36, 40}));
  EXPECT_EQ(editor.Security().Values(), AuthSecurityValues());
  EXPECT_EQ(dot1x.calls, std::vector<std::string>{"reset"});
}

TEST_F(ProfileEditorTest, OkWritesEveryValueInTheTablesOrder) {
  FillValidOpenProfile("Home", "home-net");
  const OkResult result = editor.Ok();
  ASSERT_TRUE(result.saved);
  const std::vector<std::string> expected(profiles::kProfileValueNames.begin(),
                                          profiles::kProfileValueNames.end());
  EXPECT_EQ(WrittenNames(), expected);
  const profiles::ProfileValues v = Stored("Home");
  EXPECT_EQ(v.Text("SSID"), "home-net");
  EXPECT_EQ(v.Text("NetworkType"), "1");
  EXPECT_EQ(v.Text("PreambleType"), "2");
  EXPECT_EQ(v.Text("RtsThresh"), "2347");
  EXPECT_EQ(v.Text("FragThresh"), "2346");
  EXPECT_EQ(v.Text("AuthenType"), "0");
  EXPECT_EQ(v.Text("Encryption"), "1");
  EXPECT_EQ(v.Text("WEPKeyUse"), "1");
  EXPECT_EQ(v.Text("TunnelProtocol"), "26");
  EXPECT_EQ(v.Text("PasswordMode"), "1");
}

TEST_F(ProfileEditorTest, RefusalsShowTheRulesTextAndWriteNothing) {
  struct Case {
    const char* name;
    std::string profileName;
    std::string ssid;
    int authentication;
    std::string key;
    bool dot1xProblem;
    LangKey message;
    EditorTab tab;
  };
  const Case cases[] = {
      {"EmptyName", "", "net", kAuthOpen, "", false, LangKey::IDS_INPUTPROFILENAME,
       EditorTab::kSystem},
      {"LongName", std::string(33, 'n'), "net", kAuthOpen, "", false,
       LangKey::IDS_PROFILENAMEINVALID, EditorTab::kSystem},
      {"Backslash", "a\\b", "net", kAuthOpen, "", false, LangKey::IDS_PROFILENAMEINVALID,
       EditorTab::kSystem},
      {"ControlCharacter", "a\tb", "net", kAuthOpen, "", false, LangKey::IDS_PROFILENAMEINVALID,
       EditorTab::kSystem},
      {"EmptySsid", "Home", "", kAuthOpen, "", false, LangKey::IDS_ADHOCINPUTSSID,
       EditorTab::kSystem},
      {"SharedKeyTooShort", "Home", "net", kAuthShared, "0123", false,
       LangKey::IDS_MSGWEPHEXKEYINVALID, EditorTab::kSecurity},
      {"PskTooShort", "Home", "net", kAuthWpaPsk, "", false, LangKey::IDS_MSGPSKKEYINVALID,
       EditorTab::kSecurity},
      {"Dot1xTabRefuses", "Home", "net", kAuthWpa, "", true, LangKey::IDS_CHECKRULE4,
       EditorTab::kDot1x},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    store.writes.clear();
    FillValidOpenProfile(c.profileName, c.ssid);
    editor.Security().ChooseAuthentication(c.authentication);
    editor.Security().SetKeyText(0, c.key);
    editor.Security().SetPreSharedKey("short");
    dot1x.problem =
        c.dot1xProblem ? std::optional<Dot1xRefusal>({LangKey::IDS_CHECKRULE4, {}}) : std::nullopt;
    const OkResult result = editor.Ok();
    EXPECT_FALSE(result.saved);
    EXPECT_EQ(result.message, c.message);
    EXPECT_EQ(result.tab, c.tab);
    EXPECT_TRUE(store.writes.empty());
  }
}

TEST_F(ProfileEditorTest, AddToProfilePreparesTheSurveyNetwork) {
  struct Case {
    const char* name;
    uint32_t infrastructure;
    bool secured;
    int securityClass;
    const char* cipher;
    int windows;
    int authentication;
    int encryption;
  };
  const Case cases[] = {
      {"Open", 1, false, 0, "", 8, kAuthOpen, kEncNone},
      {"Wep", 1, true, 0, "", 8, kAuthOpen, kEncWep},
      {"Wpa", 1, true, 1, "TKIP", 8, kAuthWpa, kEncTkip},
      {"WpaPskAes", 1, true, 2, "AES", 8, kAuthWpaPsk, kEncAes},
      {"AdhocWpaNone", 0, true, 3, "TKIP", 8, kAuthWpaNone, kEncTkip},
      {"Wpa2", 1, true, 4, "AES", 8, kAuthWpa2, kEncAes},
      {"Wpa2OnWindows2000IsWpa", 1, true, 4, "AES", 6, kAuthWpa, kEncAes},
      {"Wpa2PskOnWindows2000IsWpaPsk", 1, true, 5, "TKIP AES", 6, kAuthWpaPsk, kEncAes},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    station.windowsVersion = c.windows;
    editor.PrepareProfileFromSurvey(
        Network("lab", c.infrastructure, c.secured, c.securityClass, c.cipher));
    EXPECT_EQ(editor.System().Values().ssid, "lab");
    EXPECT_EQ(editor.System().Values().infrastructure, c.infrastructure == 1);
    EXPECT_EQ(editor.System().Values().channel, "6");
    EXPECT_EQ(editor.Security().Values().authentication, c.authentication);
    EXPECT_EQ(editor.Security().Values().encryption, c.encryption);
  }
}

TEST_F(ProfileEditorTest, EditingKeepsOrReplacesByName) {
  FillValidOpenProfile("Home", "home-net");
  ASSERT_TRUE(editor.Ok().saved);
  ASSERT_TRUE(editor.PrepareExistingProfile("Home"));
  EXPECT_EQ(editor.System().Values().ssid, "home-net");
  editor.System().SetSsid("other");
  ASSERT_TRUE(editor.Ok().saved);
  EXPECT_EQ(Stored("Home").Text("SSID"), "other");  // same name: overwritten
  ASSERT_TRUE(editor.PrepareExistingProfile("Home"));
  editor.System().SetName("Cottage");
  ASSERT_TRUE(editor.Ok().saved);
  EXPECT_TRUE(profiles.Exists("Home"));  // a new name: a new profile, the old one stays
  EXPECT_EQ(Stored("Cottage").Text("SSID"), "other");
  EXPECT_FALSE(editor.PrepareExistingProfile("Gone"));
}

TEST_F(ProfileEditorTest, AnAdhocProfileComesBackOnItsChannel) {
  FillValidOpenProfile("Lab", "lab");
  editor.SetNetworkType(false);
  editor.System().ChooseChannel("11");
  editor.System().SetPreamble(kPreambleLong);
  editor.Security().ChooseAuthentication(kAuthWpaNone);
  editor.Security().SetPreSharedKey("lab passphrase");
  ASSERT_TRUE(editor.Ok().saved);
  const profiles::ProfileValues v = Stored("Lab");
  EXPECT_EQ(v.Text("Channel"), "11");
  EXPECT_EQ(v.Text("NetworkType"), "0");
  EXPECT_EQ(v.Text("PreambleType"), "0");
  EXPECT_EQ(v.Text("AuthenType"), "5");
  ASSERT_TRUE(editor.PrepareExistingProfile("Lab"));
  EXPECT_EQ(editor.System().Values().channel, "11");
  EXPECT_EQ(editor.Security().Values().authentication, kAuthWpaNone);
  EXPECT_EQ(editor.Security().Values().preSharedKey, "lab passphrase");
}

TEST_F(ProfileEditorTest, Dot1xChoicesAreTakenOnlyWhenTheyApplyAndTheSupplicantRuns) {
  FillValidOpenProfile("Corp", "corp");
  editor.Security().ChooseAuthentication(kAuthWpa2);
  ASSERT_TRUE(editor.Ok().saved);
  EXPECT_EQ(Stored("Corp").Text("ID"), "alice");
  EXPECT_EQ(Stored("Corp").Text("Use8021X"), "1");
  station.supplicant = false;
  dot1x.calls.clear();
  FillValidOpenProfile("Corp2", "corp");
  editor.Security().ChooseAuthentication(kAuthWpa2);
  ASSERT_TRUE(editor.Ok().saved);
  EXPECT_EQ(Stored("Corp2").Text("ID"), "");
  EXPECT_EQ(dot1x.calls, std::vector<std::string>{"reset"});
}

TEST_F(ProfileEditorTest, AProfileThatCannotBeWrittenSaysSo) {
  adapter.identity.registryKey.clear();
  FillValidOpenProfile("Home", "home-net");
  const OkResult result = editor.Ok();
  EXPECT_FALSE(result.saved);
  EXPECT_NE(result.text.find("failed"), std::string::npos);
}

}  // namespace
}  // namespace kavo9::profileeditor
