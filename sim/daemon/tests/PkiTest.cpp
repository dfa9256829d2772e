// The world's certificates that machine set-up makes: where they go, that a second set-up keeps
// them, and that a server's chain carries the names its scenario gives.
#include <gtest/gtest.h>

#include "common/platform/certs/FileCertStore.h"
#include "common/testing/ProcessTestSupport.h"
#include "sim/daemon/MachineSetup.h"
#include "sim/daemon/eap/Pki.h"
#include "sim/eap/X509Tools.h"

namespace kavo9::test {
namespace {

TEST(Pki, InitImportsTheUsersCertificateAndTheCaAndKeepsThemOnASecondInit) {
  const std::filesystem::path machine = MakeTempDir("k9pki");
  std::string error;
  const auto demo = SourceDir() / "sim/scenarios/demo.json";
  ASSERT_TRUE(InitMachine(demo, MachineLayout(machine), &error)) << error;
  FileCertStore stores(machine);
  const auto mine = stores.Certificates(kPersonalStore);
  const auto roots = stores.Certificates(kRootStore);
  ASSERT_EQ(mine.size(), 1u);
  ASSERT_EQ(roots.size(), 1u);
  EXPECT_EQ(mine[0].subject, "alice");
  EXPECT_EQ(mine[0].issuer, roots[0].subject);
  EXPECT_TRUE(
      std::filesystem::exists(stores.StoreDir(kPersonalStore) / (HashText(mine[0].sha1) + ".key")));

  ASSERT_TRUE(InitMachine(demo, MachineLayout(machine), &error)) << error;
  EXPECT_EQ(stores.Certificates(kPersonalStore).at(0).sha1, mine[0].sha1);
  EXPECT_EQ(stores.Certificates(kRootStore).at(0).sha1, roots[0].sha1);

  Dot1xSpec server;
  server.serverName = "radius.acme.example";
  server.serverDnsNames = {"radius.acme.example", "aaa.acme.example"};
  pki::ServerCredentials credentials;
  ASSERT_TRUE(pki::EnsureServerCredentials(machine, server, &credentials, &error)) << error;
  std::string why;
  EXPECT_TRUE(eap::VerifyChain(credentials.chainPem, {*eap::PemOfDer(roots[0].der)}, &why)) << why;
  const auto names = eap::ReadNames(credentials.chainPem.at(0));
  ASSERT_TRUE(names);
  EXPECT_EQ(names->commonName, "radius.acme.example");
  EXPECT_EQ(names->dnsNames, server.serverDnsNames);
  EXPECT_EQ(names->domainName, "acme.example");
  EXPECT_EQ(names->domainNameReversed, "example.acme");

  server.serverUntrusted = true;
  ASSERT_TRUE(pki::EnsureServerCredentials(machine, server, &credentials, &error)) << error;
  EXPECT_FALSE(eap::VerifyChain(credentials.chainPem, {*eap::PemOfDer(roots[0].der)}, &why));
  std::filesystem::remove_all(machine);
}

}  // namespace
}  // namespace kavo9::test
