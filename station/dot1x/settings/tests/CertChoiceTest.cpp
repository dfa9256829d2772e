#include "station/dot1x/settings/CertChoice.h"

#include <gtest/gtest.h>

#include <map>

namespace kavo9::dot1x {
namespace {

struct FakeCerts : CertStore {
  std::map<std::string, std::vector<StoredCertificate>, std::less<>> stores;
  std::vector<StoredCertificate> Certificates(std::string_view store) const override {
    const auto found = stores.find(store);
    return found == stores.end() ? std::vector<StoredCertificate>{} : found->second;
  }
};

StoredCertificate Cert(std::string subject, uint8_t hashByte) {
  StoredCertificate c;
  c.subject = std::move(subject);
  c.issuer = "Demo CA";
  c.sha1 = std::vector<uint8_t>(20, hashByte);
  c.notAfter = std::chrono::sys_days(std::chrono::year(2027) / 12 / 31);
  return c;
}

TEST(CertChoice, TwoCertificatesWithTheSameNamesAreToldApartByHash) {
  FakeCerts certs;
  certs.stores["MY"] = {Cert("alice", 1), Cert("alice", 2)};
  certs.stores["ROOT"] = {Cert("Demo CA", 3), Cert("Demo CA", 4)};

  CertChoice client;
  client.Refresh(certs, false);
  EXPECT_EQ(client.Rows()[0], (std::vector<std::string>{"alice", "Demo CA", "12/31/2027", ""}));
  EXPECT_EQ(client.ChosenRow(), 0);
  client.ChooseHash(std::vector<uint8_t>(20, 2));
  EXPECT_EQ(client.ChosenRow(), 1);
  client.Choose(1);
  EXPECT_EQ(client.ChosenHash(), std::vector<uint8_t>(20, 2));
  EXPECT_FALSE(client.Chosen()->FromRootStore);

  CertChoice server;
  server.Refresh(certs, true);
  EXPECT_EQ(server.Rows().size(), 3u);
  EXPECT_EQ(server.Rows()[0][0], kAnyTrustedCa);
  EXPECT_TRUE(server.ChosenHash().empty());  // any trusted CA: length 0
  server.Choose(2);
  EXPECT_EQ(server.ChosenHash(), std::vector<uint8_t>(20, 4));
  EXPECT_TRUE(server.Chosen()->FromRootStore);
  server.ChooseHash(std::vector<uint8_t>(20, 3));
  EXPECT_EQ(server.ChosenRow(), 1);
}

TEST(CertChoice, UnknownHashesAndPositionsSelectNothing) {
  FakeCerts certs;
  certs.stores["MY"] = {Cert("alice", 1), Cert("", 5)};  // no subject: left out
  certs.stores["MY"][0].friendlyName = "Work";
  CertChoice client;
  client.Refresh(certs, false);
  EXPECT_EQ(client.Rows().size(), 1u);
  EXPECT_EQ(client.Rows()[0][3], "Work");
  client.ChooseHash(std::vector<uint8_t>(20, 9));
  EXPECT_FALSE(client.ChosenRow());
  EXPECT_TRUE(client.ChosenHash().empty());
  client.Choose(5);
  EXPECT_FALSE(client.Chosen());
  client.Choose(-1);
  EXPECT_FALSE(client.Chosen());

  CertChoice empty;
  empty.Refresh(FakeCerts(), false);
  EXPECT_FALSE(empty.ChosenRow());  // an empty store: OK then asks for a certificate
}

}  // namespace
}  // namespace kavo9::dot1x
