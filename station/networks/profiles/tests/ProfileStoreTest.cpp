#include "station/networks/profiles/ProfileStore.h"

#include <gtest/gtest.h>

#include "common/adapter/testing/FakeAdapter.h"
#include "common/adapter/testing/ScriptedDriver.h"
#include "common/platform/fake/FakePlatform.h"
#include "station/shell/controller/testing/RecordingParts.h"

namespace kavo9::profiles {
namespace {

constexpr const char* kKey =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007";

class EnglishTexts : public TextPort {
 public:
  std::string Text(std::string_view key) const override { return key == "IDS_PROF" ? "PROF" : ""; }
};

class Messages : public ProfileMessagePort {
 public:
  std::vector<std::string> shown;
  void ShowMessage(std::string_view text) override { shown.emplace_back(text); }
};

class ProfileStoreTest : public testing::Test {
 protected:
  ProfileStoreTest() {
    adapter.identity.registryKey = kKey;
    Create(kKey);
  }
  void Create(const std::string& path) {
    ScopedKey key(*fake.registry);
    fake.registry->CreateKey(HKEY_LOCAL_MACHINE, path, KEY_ALL_ACCESS, &key);
  }
  void Put(const std::string& path, std::string_view name, std::string_view text) {
    ScopedKey key(*fake.registry);
    fake.registry->CreateKey(HKEY_LOCAL_MACHINE, path, KEY_ALL_ACCESS, &key);
    std::string data(text);
    fake.registry->SetValue(key.get(), name, REG_SZ, reinterpret_cast<const uint8_t*>(data.c_str()),
                            uint32_t(data.size() + 1));
  }
  std::optional<std::string> Value(const std::string& path, std::string_view name) {
    std::string text;
    ScopedKey key(*fake.registry);
    if (fake.registry->OpenKey(HKEY_LOCAL_MACHINE, path, KEY_READ, &key) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    std::vector<uint8_t> data(512);
    uint32_t length = uint32_t(data.size());
    uint32_t type = 0;
    if (fake.registry->QueryValue(key.get(), name, &type, data.data(), &length) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    return std::string(reinterpret_cast<const char*>(data.data()),
                       strnlen(reinterpret_cast<const char*>(data.data()), length));
  }
  std::string ProfilePath(const std::string& name) {
    return std::string(kKey) + "\\Profile\\Station\\" + name;
  }
  void Profile(const std::string& name, std::string_view ssid, int auth = 0, int encryption = 1) {
    Put(ProfilePath(name), "SSID", ssid);
    Put(ProfilePath(name), "AuthenType", std::to_string(auth));
    Put(ProfilePath(name), "Encryption", std::to_string(encryption));
    Put(ProfilePath(name), "NetworkType", "1");
  }

  FakePlatform fake;
  ScriptedDriver driver;
  FakeAdapter adapter{driver};
  RecordingStore store{*fake.registry};
  EnglishTexts texts;
  Messages messages;
  ProfileStore profiles{{adapter, *fake.registry, store, texts, messages}};
};

TEST_F(ProfileStoreTest, ListsRowsWithSecurityAndFindsTheActiveOneWithoutRegardToCase) {
  Profile("Home", "home-net");
  Profile("Office", "corp", 1, 0);
  Profile("Cafe", "cafe", 0, 0);
  Put(kKey, "CurProfile", "office");
  int active = -2;
  const std::vector<ProfileRow> rows = profiles.ListProfiles(true, &active);
  ASSERT_EQ(rows.size(), 3u);
  // Registry order: subkeys enumerate sorted without regard to case.
  EXPECT_EQ(rows[0].Name, "Cafe");
  EXPECT_EQ(rows[0].Secured, 1);
  EXPECT_EQ(rows[1].Name, "Home");
  EXPECT_EQ(rows[1].Secured, 0);
  EXPECT_EQ(rows[1].Ssid, "home-net");
  EXPECT_EQ(rows[2].State, -1);
  EXPECT_EQ(active, 2);
  EXPECT_TRUE(profiles.IsActiveProfile("OFFICE"));
}

TEST_F(ProfileStoreTest, ACurProfileNamingNoProfileLeavesNoActiveRowAndIsCleared) {
  Profile("Home", "home-net");
  Put(kKey, "CurProfile", "Gone");
  int active = 0;
  profiles.ListProfiles(true, &active);
  EXPECT_EQ(active, -1);
  EXPECT_EQ(profiles.ActiveName(), "");
  EXPECT_FALSE(profiles.IsActiveProfile("Gone"));
}

TEST_F(ProfileStoreTest, WritesEveryValueInTheTablesOrderAndReadsItBack) {
  ProfileValues values;
  for (size_t i = kProfileValueNames.size(); i-- > 0;) values.SetAt(i, "v" + std::to_string(i));
  ASSERT_TRUE(profiles.WriteProfile("Home", values));
  ASSERT_EQ(store.writes.size(), kProfileValueNames.size());
  for (size_t i = 0; i < kProfileValueNames.size(); ++i) {
    EXPECT_EQ(store.writes[i], std::string(kProfileValueNames[i]) + "=v" + std::to_string(i));
  }
  ProfileValues back;
  ASSERT_TRUE(profiles.ReadProfile("home", &back));
  for (size_t i = 0; i < kProfileValueNames.size(); ++i) EXPECT_EQ(back.At(i), values.At(i));
}

TEST_F(ProfileStoreTest, RefusesNamesThatWouldNestOrOverflowAKey) {
  ProfileValues values;
  values.Set("SSID", "x");
  for (const std::string& name : {std::string("a\\b"), std::string(""), std::string(33, 'n')}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(profiles.WriteProfile(name, values));
    EXPECT_FALSE(profiles.SetActiveProfile(name));
    EXPECT_FALSE(profiles.DeleteProfile(name));
    ProfileValues read;
    EXPECT_FALSE(profiles.ReadProfile(name, &read));
  }
  EXPECT_TRUE(store.writes.empty());
  EXPECT_FALSE(Value(ProfilePath("a") + "\\b", "SSID"));
}

TEST_F(ProfileStoreTest, ATextLongerThanTheReadBufferIsNotReadAtAll) {
  Profile("Home", "home-net");
  Put(ProfilePath("Home"), "LeapUserName", std::string(300, 'u'));
  Put(ProfilePath("Home"), "LeapPassword", std::string(127, 'p'));
  ProfileValues values;
  ASSERT_TRUE(profiles.ReadProfile("Home", &values));
  EXPECT_FALSE(values.Has("LeapUserName"));
  EXPECT_EQ(values.Text("LeapPassword"), std::string(127, 'p'));
}

TEST_F(ProfileStoreTest, ActivationCopiesOnlyTheProfilesValuesIntoTheAdapterKey) {
  Profile("Home", "home-net", 1, 0);
  Put(ProfilePath("Home"), "WEPKey2", "0102030405");
  // Values planted in a profile key that are no profile values stay there.
  Put(ProfilePath("Home"), "OpMode", "1");
  Put(ProfilePath("Home"), "DriverDesc", "planted");
  ASSERT_TRUE(profiles.SetActiveProfile("Home"));
  EXPECT_EQ(Value(kKey, "CurProfile"), "Home");
  EXPECT_EQ(Value(kKey, "WSC"), "0");
  EXPECT_EQ(Value(kKey, "SSID"), "home-net");
  EXPECT_EQ(Value(kKey, "WEPKey2"), "0102030405");
  EXPECT_EQ(Value(kKey, "AuthenType"), "1");
  EXPECT_FALSE(Value(kKey, "OpMode"));
  EXPECT_FALSE(Value(kKey, "DriverDesc"));
  EXPECT_EQ(profiles.ReadActiveCopy().Text("SSID"), "home-net");
}

TEST_F(ProfileStoreTest, ClearingTheActiveCopyWritesItsValuesInOrder) {
  ASSERT_TRUE(profiles.ClearActiveCopy());
  const std::vector<std::string> expected = {
      "SSID=",           "NetworkType=1",   "AuthenType=0",    "Encryption=1",    "WEPKey1Type=",
      "WEPKey2Type=",    "WEPKey3Type=",    "WEPKey4Type=",    "CurProfile=",     "LeapEnabled=",
      "LeapUserName=",   "LeapPassword=",   "TunnelID=",       "TunnelProtocol=", "Use8021X=0",
      "ServerCertLen=0", "ServerCertData=", "ClientCertLen=0", "ClientCertData="};
  EXPECT_EQ(store.writes, expected);
}

TEST_F(ProfileStoreTest, DefaultNameTakesOneMoreThanTheLargestNumberAfterThePrefix) {
  EXPECT_EQ(profiles.DefaultProfileName(), "PROF1");
  Profile("PROF1", "a");
  Profile("prof7", "b");
  Profile("Home", "c");
  EXPECT_EQ(profiles.DefaultProfileName(), "PROF8");
}

TEST_F(ProfileStoreTest, DeletingWithoutTheProfilesKeySaysSoAndDeletesNothing) {
  EXPECT_FALSE(profiles.DeleteProfile("Home"));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0],
            "RegOpenKeyEx '" + std::string(kKey) + "\\Profile\\Station' failed\n");

  Profile("Home", "home-net");
  Profile("Office", "corp");
  EXPECT_TRUE(profiles.DeleteProfile("Home"));
  EXPECT_EQ(profiles.ListProfiles(true).size(), 1u);
}

TEST(StoredWepKey, DecodesOnlyWholeHexKeysOfTheTwoLengths) {
  struct Case {
    const char* name;
    const char* text;
    StoredKeyKind kind;
    size_t bytes;
  };
  const Case cases[] = {
      {"empty", "", StoredKeyKind::kNone, 0},
      {"one character", "a", StoredKeyKind::kNone, 0},
      {"64-bit", "0a1B2c3D4e", StoredKeyKind::kKey, 5},
      {"128-bit", "00112233445566778899aabbcc", StoredKeyKind::kKey, 13},
      {"eleven digits", "0a1b2c3d4e5", StoredKeyKind::kInvalid, 0},
      {"non-hex", "0a1b2c3d4g", StoredKeyKind::kInvalid, 0},
      {"ascii text", "hello", StoredKeyKind::kInvalid, 0},
      {"too long", "00112233445566778899aabbccdd", StoredKeyKind::kInvalid, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const StoredWepKey key = DecodeStoredWepKey(c.text);
    EXPECT_EQ(key.kind, c.kind);
    EXPECT_EQ(key.bytes.size(), c.bytes);
  }
  EXPECT_EQ(DecodeStoredWepKey("0a1B2c3D4e").bytes,
            (std::vector<uint8_t>{0x0a, 0x1b, 0x2c, 0x3d, 0x4e}));
}

TEST(StoredWepKey, AsciiKeysAreStoredAsTwoDigitsPerByteAndRoundTrip) {
  const std::string typed = "k\xe9y\x01!";  // bytes above 0x7F and below 0x20 too
  const std::string stored = EncodeWepKeyText(typed, true);
  EXPECT_EQ(stored, "6be9790121");
  const StoredWepKey back = DecodeStoredWepKey(stored);
  ASSERT_EQ(back.kind, StoredKeyKind::kKey);
  EXPECT_EQ(std::string(back.bytes.begin(), back.bytes.end()), typed);
  EXPECT_EQ(EncodeWepKeyText("ABCDEF0123", false), "abcdef0123");
  EXPECT_EQ(EncodeWepKeyText("abcd", true), "");
  EXPECT_EQ(EncodeWepKeyText("ABCDEF012Z", false), "");
}

TEST(PreSharedKey, SixtyFourCharactersMustBeHex) {
  EXPECT_TRUE(IsValidPreSharedKey("password"));
  EXPECT_TRUE(IsValidPreSharedKey(std::string(63, 'x')));
  EXPECT_TRUE(IsValidPreSharedKey(std::string(64, 'a')));
  EXPECT_FALSE(IsValidPreSharedKey(std::string(64, 'x')));
  EXPECT_FALSE(IsValidPreSharedKey("short"));
  EXPECT_FALSE(IsValidPreSharedKey(std::string(65, 'a')));
  EXPECT_FALSE(HexPreSharedKey(std::string(64, 'x')));
  EXPECT_EQ((*HexPreSharedKey(std::string(62, '0') + "ff"))[31], 0xff);
}

TEST(DisplayNames, CodesShowTheirNames) {
  EXPECT_EQ(AuthenticationName(5, false), "WPA-NONE");
  EXPECT_EQ(AuthenticationName(0, true), "LEAP");
  EXPECT_EQ(AuthenticationName(9, false), "Open");
  EXPECT_EQ(AuthenticationText(1, false, true, true), "Shared - Use 802.1X");
  EXPECT_EQ(AuthenticationText(1, false, true, false), "Shared");
  EXPECT_EQ(AuthenticationText(4, false, true, true), "WPA-PSK");
  EXPECT_EQ(EncryptionName(6), "AES");
  EXPECT_EQ(NetworkTypeName(0), "Ad hoc");
  EXPECT_EQ(NetworkTypeName(2), "Auto");
}

}  // namespace
}  // namespace kavo9::profiles
