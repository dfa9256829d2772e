// The 802.1X page's model: what the choices force on the page, the moves between the page and
// stored settings, and certificates chosen by hash among real certificates of the same name.

#include "station/dot1x/settings/Dot1xPageModel.h"

#include <gtest/gtest.h>

#include "common/platform/fake/FakePlatform.h"
#include "station/dot1x/settings/testing/TestCertificates.h"

namespace kavo9::dot1x {
namespace {

std::vector<uint8_t> HashOf(const std::string& hex) {
  return CertHashFromText(long(hex.size() / 2), hex);
}

class Dot1xPageModelTest : public ::testing::Test {
 protected:
  std::string Import(std::string_view store, const char* subject, long serial,
                     const std::string& friendlyName = {}) {
    return testing::ImportTestCertificate(fake.certs, store, fake.paths.machineDir / "in", subject,
                                          serial, friendlyName);
  }
  FakePlatform fake;
  Dot1xPageModel page{&fake.certs, false};
};

TEST_F(Dot1xPageModelTest, ResetGivesTheDefaultsOnTheIdentityTab) {
  page.ChooseMethod(kTtls);
  page.SetText(Dot1xText::kUserId, "alice");
  page.SetUseServerCert(true);
  page.SetSessionResumption(false);
  page.Reset();
  const Dot1xPageValues& v = page.Values();
  EXPECT_EQ(v.choices.method, kPeap);
  EXPECT_EQ(v.choices.tunnel, kTunnelMsChapV2);
  EXPECT_TRUE(v.sessionResumption);
  EXPECT_TRUE(v.userId.empty());
  EXPECT_EQ(v.choices.passwordMode, 1);
  EXPECT_TRUE(v.provisionMode);
  EXPECT_TRUE(v.usePac);
  EXPECT_FALSE(v.useClientCert);
  EXPECT_FALSE(v.useServerCert);
  EXPECT_FALSE(page.ServerCerts().Chosen());
  EXPECT_EQ(page.CurrentTab(), Dot1xTab::kIdentity);
}

// What a choice does to the certificate boxes, and that every choice goes back to the identity
// tab.
TEST_F(Dot1xPageModelTest, ChoicesForceTheCertificateBoxes) {
  Import(kPersonalStore, "alice", 1);
  page.SetMd5Offered(true);
  page.SetUseServerCert(true);
  page.SelectTab(Dot1xTab::kServerCert);
  EXPECT_EQ(page.CurrentTab(), Dot1xTab::kServerCert);

  page.ChooseMethod(kTls);  // forced on: ticked, the list read, its first row chosen
  EXPECT_TRUE(page.Values().useClientCert);
  EXPECT_FALSE(page.View().clientBoxEnabled);
  EXPECT_EQ(page.ClientCerts().ChosenRow(), 0);
  EXPECT_EQ(page.CurrentTab(), Dot1xTab::kIdentity);
  page.SetUseClientCert(false);  // refused while forced
  EXPECT_TRUE(page.Values().useClientCert);

  page.ChooseMethod(kMd5Challenge);  // use cleared, only the identity tab
  EXPECT_FALSE(page.Values().useClientCert);
  EXPECT_TRUE(page.Values().useServerCert);
  page.SelectTab(Dot1xTab::kServerCert);
  EXPECT_EQ(page.CurrentTab(), Dot1xTab::kIdentity);

  page.ChooseMethod(kEapFast);  // standard mode: both checks cleared
  EXPECT_FALSE(page.Values().useServerCert);
  EXPECT_EQ(page.Values().choices.tunnel, kTunnelTokenCard);
}

TEST_F(Dot1xPageModelTest, MdFiveChallengeIsChosenOnlyWhileTheMenuOffersIt) {
  page.ChooseMethod(kMd5Challenge);
  EXPECT_EQ(page.Values().choices.method, kPeap);
  page.SetMd5Offered(true);
  page.ChooseMethod(kMd5Challenge);
  EXPECT_TRUE(page.MethodIsMd5());
}

TEST_F(Dot1xPageModelTest, SoftTokenLeavesTheTunnelPasswordOut) {
  page.ChooseMethod(kPeap);
  page.ChooseTunnel(kTunnelTokenCard);
  page.SetText(Dot1xText::kUserId, "alice");
  page.SetText(Dot1xText::kTunnelId, "alice");
  EXPECT_EQ(page.Validate(), (Dot1xProblem{LangKey::IDS_TUNNELISREQUIRE, {}}));
  page.SetPasswordMode(0);
  EXPECT_FALSE(page.View().layout.tunnelPassword);
  EXPECT_EQ(page.Validate(), std::nullopt);
}

TEST_F(Dot1xPageModelTest, TextsAreBoundedByTheirBuffers) {
  page.SetText(Dot1xText::kUserId, std::string(300, 'a'));
  page.SetText(Dot1xText::kPacPath, std::string(300, 'p'));
  EXPECT_EQ(page.Values().userId.size(), kMaxDot1xText);
  EXPECT_EQ(page.Values().pacPath.size(), kMaxPacPath);
}

// A stored profile read into the page and taken back gives the same settings.
TEST_F(Dot1xPageModelTest, LoadThenTakeGivesBackTheStoredSettings) {
  const std::string root = Import(kRootStore, "Demo CA", 7);
  Dot1xSettings stored;
  stored.AuthenProtocol = kTtls;
  stored.TtlsInnerMethod = kTtlsPap;
  stored.ProvisioningTunnel = kEapGenericTokenCard;  // not the page's while the method is TTLS
  stored.SessionResumption = 1;
  stored.ID = "alice";
  stored.TunnelID = "alice@corp";
  stored.TunnelPassword = "secret";
  stored.UseServerCert = 1;
  stored.ServerName = "radius.corp.example";
  stored.NameRule = 1;
  stored.IntermediateCert = 1;
  stored.ServerCertHash = HashOf(root);
  stored.PACFilePath = "C:\\alice.pac";
  stored.UsePAC = 1;
  page.Load(stored);
  EXPECT_EQ(page.ServerCerts().ChosenRow(), 1);  // after "- Any Trusted CA -"
  EXPECT_EQ(page.Validate(), std::nullopt);

  Dot1xSettings taken = stored;
  page.Take(&taken);
  EXPECT_EQ(taken, stored);
}

TEST_F(Dot1xPageModelTest, SameSubjectCertificatesArePickedByHash) {
  Import(kPersonalStore, "alice", 1, "Home");
  const std::string second = Import(kPersonalStore, "alice", 2, "Home");
  Import(kRootStore, "Demo CA", 3);
  const std::string secondCa = Import(kRootStore, "Demo CA", 4);
  ASSERT_FALSE(second.empty());

  Dot1xSettings stored;
  stored.AuthenProtocol = kTls;
  stored.ID = "alice";
  stored.UseClientCert = 1;
  stored.ClientCertHash = HashOf(second);
  stored.UseServerCert = 1;
  stored.ServerName = "radius";
  stored.ServerCertHash = HashOf(secondCa);
  page.Load(stored);
  // Both rows read the same; the choice is still the second certificate.
  const auto rows = page.ClientCerts().Rows();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], rows[1]);
  ASSERT_NE(page.ClientCerts().Chosen(), nullptr);
  EXPECT_EQ(page.ClientCerts().Chosen()->Hash, HashOf(second));

  Dot1xSettings taken;
  page.Take(&taken);
  EXPECT_EQ(taken.ClientCertHash, HashOf(second));
  EXPECT_EQ(taken.ServerCertHash, HashOf(secondCa));
  EXPECT_EQ(CertHashText(taken.ClientCertHash).size(), 40u);

  // A refresh (another inner choice forcing the list again) keeps the choice.
  page.ChooseMethod(kPeap);
  page.ChooseTunnel(kTunnelTls);
  EXPECT_EQ(page.ClientCerts().ChosenHash(), HashOf(second));
}

TEST_F(Dot1xPageModelTest, AHashTheStoreNoLongerHasSelectsNothing) {
  Import(kPersonalStore, "alice", 1);
  Dot1xSettings stored;
  stored.AuthenProtocol = kTls;
  stored.ID = "alice";
  stored.UseClientCert = 1;
  stored.ClientCertHash = std::vector<uint8_t>(20, 0xAB);
  stored.UseServerCert = 1;
  stored.ServerName = "radius";
  page.Load(stored);
  EXPECT_FALSE(page.ClientCerts().Chosen());
  EXPECT_EQ(page.Validate(), (Dot1xProblem{LangKey::IDS_CHECKRULE5, {}}));
  Dot1xSettings taken;
  page.Take(&taken);
  EXPECT_TRUE(taken.ClientCertHash.empty());
  EXPECT_TRUE(taken.ServerCertHash.empty());  // "- Any Trusted CA -"
}

TEST(Dot1xPageModelStores, WithoutStoresTheListsStayEmpty) {
  Dot1xPageModel page(nullptr, true);
  page.ChooseMethod(kTls);
  page.SetText(Dot1xText::kUserId, "alice");
  EXPECT_TRUE(page.ClientCerts().Rows().empty());
  EXPECT_EQ(page.Validate(), (Dot1xProblem{LangKey::IDS_CHECKRULE5, {}}));
  page.ChooseMethod(kEapFast);  // enhanced mode: EAP-MSCHAP v2 inside
  EXPECT_EQ(page.Values().choices.tunnel, kTunnelMsChapV2);
  page.ChooseProvisioning(kTunnelTls);
  EXPECT_TRUE(page.Values().useClientCert);
  Dot1xSettings taken;
  page.Take(&taken);
  EXPECT_EQ(taken.ProvisioningTunnel, kEapTlsInner);
}

}  // namespace
}  // namespace kavo9::dot1x
