#include "station/wps/page/WpsImport.h"

#include <gtest/gtest.h>

#include "common/adapter/testing/FakeAdapter.h"
#include "common/adapter/testing/ScriptedDriver.h"
#include "common/platform/fake/FakePlatform.h"
#include "station/networks/profiles/editor/tests/EditorFakes.h"
#include "station/shell/controller/testing/RecordingParts.h"

namespace kavo9::wpspage {
namespace {

constexpr const char* kKey =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007";

struct Texts : TextPort, profiles::ProfileMessagePort {
  std::string Text(std::string_view key) const override { return key == "IDS_PROF" ? "PROF" : ""; }
  void ShowMessage(std::string_view) override {}
};

wps::WpsCredential Credential(const char* ssid, uint32_t auth, uint32_t encry, const char* key) {
  wps::WpsCredential c;
  c.SetSsid(ssid);
  c.AuthType = auth;
  c.EncryType = encry;
  c.SetKey(key);
  return c;
}

class WpsImportTest : public testing::Test {
 protected:
  WpsImportTest() {
    adapter.identity.registryKey = kKey;
    store.CreateKey(kKey, StorePort::Area::kProfile);
  }
  profiles::ProfileValues Stored(const std::string& name) {
    profiles::ProfileValues values;
    EXPECT_TRUE(profiles.ReadProfile(name, &values)) << name;
    return values;
  }

  FakePlatform fake;
  ScriptedDriver driver;
  FakeAdapter adapter{driver};
  RecordingStore store{*fake.registry};
  Texts texts;
  profiles::ProfileStore profiles{{adapter, *fake.registry, store, texts, texts}};
  profileeditor::FakeEditorStation station;
  profileeditor::FakeDot1x dot1x;
  profileeditor::ProfileEditor editor{profiles, station, dot1x};
};

TEST_F(WpsImportTest, CredentialsBecomeProfilesInSlotOrderWithTheirKeys) {
  const wps::WpsCredential credentials[] = {
      Credential("home", wps::kAuthWpa2Psk, wps::kEncryAes, "correct horse"),
      Credential("lab", wps::kAuthOpen, wps::kEncryWep, "1A2B3C4D5E"),
      Credential("cafe", wps::kAuthOpen, wps::kEncryNone, ""),
  };
  for (const auto& c : credentials) {
    const auto result = ImportCredential(editor, c);
    EXPECT_TRUE(result.saved) << c.SsidText() << " " << result.text;
  }
  const auto rows = profiles.ListProfiles(true);
  ASSERT_EQ(rows.size(), 3u);
  // New profiles are numbered in the order they were made.
  EXPECT_EQ(rows[0].Ssid, "home");
  EXPECT_EQ(rows[1].Ssid, "lab");
  EXPECT_EQ(rows[2].Ssid, "cafe");
  const profiles::ProfileValues home = Stored(rows[0].Name);
  EXPECT_EQ(home.Number("AuthenType", -1), 7);  // WPA2-PSK
  EXPECT_EQ(home.Number("Encryption", -1), 6);  // AES
  const profiles::ProfileValues lab = Stored(rows[1].Name);
  EXPECT_EQ(lab.Number("Encryption", -1), 0);  // WEP
  EXPECT_EQ(Stored(rows[2].Name).Number("Encryption", -1), 1);
}

}  // namespace
}  // namespace kavo9::wpspage
