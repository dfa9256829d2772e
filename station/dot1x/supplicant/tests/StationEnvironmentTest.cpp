#include <gtest/gtest.h>

#include "common/adapter/testing/FakeAdapter.h"
#include "common/adapter/testing/ScriptedDriver.h"
#include "common/platform/fake/FakePlatform.h"
#include "station/dot1x/supplicant/StationEnvironment.h"
#include "station/shell/controller/testing/RecordingParts.h"

namespace kavo9::dot1x {
namespace {

constexpr const char* kKey =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007";

class NoTexts : public TextPort {
 public:
  std::string Text(std::string_view) const override { return {}; }
};

class NoMessages : public profiles::ProfileMessagePort {
 public:
  void ShowMessage(std::string_view) override {}
};

TEST(CredentialWrites, GoUnderTheAdapterKeyAndTheCurrentProfilesKey) {
  FakePlatform fake;
  ScriptedDriver driver;
  FakeAdapter adapter{driver};
  RecordingStore store{*fake.registry};
  NoTexts texts;
  NoMessages messages;
  profiles::ProfileStore profiles{{adapter, *fake.registry, store, texts, messages}};

  WriteCredentialText(store, profiles, "TunnelPassword", "s3cret", true);
  EXPECT_TRUE(store.writes.empty()) << "no adapter, no writes";

  adapter.identity.registryKey = kKey;
  WriteCredentialText(store, profiles, "TunnelPassword", "s3cret", true);
  EXPECT_EQ(store.writes, std::vector<std::string>{"TunnelPassword=s3cret"});  // no profile yet
  RegWriteString(*fake.registry, HKEY_LOCAL_MACHINE, kKey, "CurProfile", "Office");
  store.writes.clear();
  WriteCredentialText(store, profiles, "PACFilePath", "Office.pac", true);
  WriteCredentialText(store, profiles, "PACFilePath", "current.pac", false);
  EXPECT_EQ(store.writes,
            (std::vector<std::string>{"PACFilePath=Office.pac", "PACFilePath=Office.pac",
                                      "PACFilePath=current.pac"}));
  std::string stored;
  RegReadString(*fake.registry, HKEY_LOCAL_MACHINE,
                std::string(kKey) + "\\Profile\\Station\\Office", "PACFilePath", &stored);
  EXPECT_EQ(stored, "Office.pac");
}

}  // namespace
}  // namespace kavo9::dot1x
