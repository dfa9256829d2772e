// The 802.1X page as the profile editor's tab: the stored texts it reads and writes, its refusals
// in the editor's terms, and the MD5-Challenge entry that follows the authentication tab.

#include "station/dot1x/editor/Dot1xEditorTab.h"

#include <gtest/gtest.h>

#include <cctype>

#include "common/platform/fake/FakePlatform.h"
#include "station/dot1x/settings/testing/TestCertificates.h"

namespace kavo9::dot1x {
namespace {

using namespace profileeditor;

class Dot1xEditorTabTest : public ::testing::Test {
 protected:
  Dot1xEditorTabTest() { tab.SetSecurity(&security); }
  FakePlatform fake;
  Dot1xPageModel page{&fake.certs, false};
  Dot1xEditorTab tab{page};
  AuthSecurity security{{.supplicantAvailable = true, .windowsVersionCode = 8}, tab};
};

TEST_F(Dot1xEditorTabTest, TakenChoicesAreStoredInTheirTextForms) {
  const std::string hash = testing::ImportTestCertificate(fake.certs, kPersonalStore,
                                                          fake.paths.machineDir / "in", "alice", 1);
  profiles::ProfileValues values;
  SetDefault8021XValues(&values);
  values.Set("ProvisioningTunnel", "6");
  tab.Reset8021XPage();
  page.ChooseMethod(kTtls);
  page.ChooseTtls(kTtlsChoicePap);
  page.SetText(Dot1xText::kUserId, "alice");
  page.SetUseClientCert(true);
  tab.Take8021XChoices(&values);
  EXPECT_EQ(values.Text("AuthenProtocol"), "2");
  EXPECT_EQ(values.Text("TunnelProtocol"), "4");
  EXPECT_EQ(values.Text("ProvisioningTunnel"), "6");  // not TTLS's to change
  EXPECT_EQ(values.Text("ClientCertLen"), "20");
  std::string lowerHash = hash;
  for (char& c : lowerHash) c = char(std::tolower(static_cast<unsigned char>(c)));
  EXPECT_EQ(values.Text("ClientCertData"), lowerHash);
  EXPECT_EQ(values.Text("ServerCertLen"), "0");
  EXPECT_EQ(values.Text("ServerCertData"), "");

  // And back: the page shows what was stored.
  tab.Reset8021XPage();
  tab.Load8021XPage(values);
  EXPECT_EQ(page.Values().choices.method, kTtls);
  EXPECT_EQ(page.Values().choices.ttls, kTtlsChoicePap);
  ASSERT_NE(page.ClientCerts().Chosen(), nullptr);
}

TEST_F(Dot1xEditorTabTest, APeapTokenCardProfileStoresTunnelProtocolSix) {
  profiles::ProfileValues values;
  tab.Reset8021XPage();
  page.ChooseTunnel(kTunnelTokenCard);
  tab.Take8021XChoices(&values);
  EXPECT_EQ(values.Text("AuthenProtocol"), "0");
  EXPECT_EQ(values.Text("TunnelProtocol"), "6");
}

TEST_F(Dot1xEditorTabTest, RefusalsCarryTheKeyOrThePagesOwnText) {
  tab.Reset8021XPage();
  EXPECT_EQ(tab.Validate8021XPage(), (Dot1xRefusal{LangKey::IDS_IDREQUIRED, {}}));
  page.SetText(Dot1xText::kUserId, "alice");
  page.SetText(Dot1xText::kTunnelId, "alice");
  page.SetText(Dot1xText::kTunnelPassword, "pw");
  page.SetUseServerCert(true);
  page.SetText(Dot1xText::kServerName, ".corp");
  page.SetNameRule(1);
  EXPECT_EQ(tab.Validate8021XPage(),
            (Dot1xRefusal{std::nullopt, "802.1X - Server Identity has Invalid domain name!"}));
  page.SetText(Dot1xText::kServerName, "a.b.");
  EXPECT_EQ(tab.Validate8021XPage(), std::nullopt);
}

// MD5-Challenge is offered with the 802.1X box on open or shared authentication; WPA greys it,
// and choosing WPA puts an MD5-Challenge page back to PEAP.
TEST_F(Dot1xEditorTabTest, TheMdFiveEntryFollowsTheAuthenticationTab) {
  security.Reset(true);
  security.ChooseEncryption(kEncWep);
  security.SetUse8021X(true);
  tab.OnShown();
  EXPECT_TRUE(page.View().md5Offered);
  page.ChooseMethod(kMd5Challenge);
  ASSERT_TRUE(tab.MethodIsMd5());

  int changes = 0;
  tab.SetChangedCallback([&] { ++changes; });
  security.ChooseAuthentication(kAuthWpa);
  EXPECT_EQ(page.Values().choices.method, kPeap);
  EXPECT_GT(changes, 0);
  tab.OnShown();
  EXPECT_FALSE(page.View().md5Offered);
}

}  // namespace
}  // namespace kavo9::dot1x
