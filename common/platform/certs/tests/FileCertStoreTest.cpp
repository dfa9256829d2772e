#include "common/platform/certs/FileCertStore.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>

#include <fstream>

namespace kavo9 {
namespace {

// Writes a self-signed certificate for `commonName` (with its key when asked) as PEM.
void WriteCertificate(const std::filesystem::path& file, const char* commonName, long serial,
                      bool withKey) {
  EVP_PKEY* key = EVP_EC_gen("P-256");
  X509* certificate = X509_new();
  ASN1_INTEGER_set(X509_get_serialNumber(certificate), serial);
  X509_gmtime_adj(X509_getm_notBefore(certificate), 0);
  X509_gmtime_adj(X509_getm_notAfter(certificate), 86400L * 365);
  X509_set_pubkey(certificate, key);
  X509_NAME* name = X509_get_subject_name(certificate);
  X509_NAME_add_entry_by_txt(name, "O", MBSTRING_ASC,
                             reinterpret_cast<const unsigned char*>("Demo"), -1, -1, 0);
  if (commonName) {
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_UTF8,
                               reinterpret_cast<const unsigned char*>(commonName), -1, -1, 0);
  }
  X509_set_issuer_name(certificate, name);
  X509_sign(certificate, key, EVP_sha256());
  FILE* out = fopen(file.c_str(), "w");
  PEM_write_X509(out, certificate);
  if (withKey) PEM_write_PrivateKey(out, key, nullptr, nullptr, 0, nullptr, nullptr);
  fclose(out);
  X509_free(certificate);
  EVP_PKEY_free(key);
}

class CertStores : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        std::filesystem::temp_directory_path() /
        (std::string("certs-") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_ / "in");
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::filesystem::path In(const char* name) { return dir_ / "in" / name; }
  std::filesystem::path dir_;
};

TEST_F(CertStores, ImportedCertificatesAreListedWithNamesHashAndFriendlyName) {
  WriteCertificate(In("user.pem"), "alice", 1, true);
  WriteCertificate(In("org.pem"), nullptr, 2, false);
  FileCertStore store(dir_);
  const auto user = store.Import(kPersonalStore, In("user.pem"), "Alice at work");
  ASSERT_EQ(user.error, "");
  ASSERT_EQ(store.Import(kPersonalStore, In("org.pem")).error, "");

  const auto listed = store.Certificates(kPersonalStore);
  ASSERT_EQ(listed.size(), 2u);
  EXPECT_EQ(listed[0].subject, "alice");
  EXPECT_EQ(listed[0].issuer, "alice");
  EXPECT_EQ(listed[0].friendlyName, "Alice at work");
  EXPECT_EQ(HashText(listed[0].sha1), user.hash);
  EXPECT_EQ(listed[0].sha1.size(), 20u);
  EXPECT_GT(listed[0].notAfter, std::chrono::system_clock::now());
  EXPECT_TRUE(std::filesystem::exists(store.StoreDir(kPersonalStore) / (user.hash + ".key")));
  EXPECT_EQ(listed[1].subject, "Demo");  // no common name: the organisation
  EXPECT_FALSE(listed[1].friendlyName);
  EXPECT_TRUE(store.Certificates(kRootStore).empty());
}

TEST_F(CertStores, SameSubjectCertificatesAreFoundByHash) {
  WriteCertificate(In("a.pem"), "Demo CA", 1, false);
  WriteCertificate(In("b.pem"), "Demo CA", 2, false);
  FileCertStore store(dir_);
  store.Import(kRootStore, In("a.pem"));
  const auto second = store.Import(kRootStore, In("b.pem"));
  const auto listed = store.Certificates(kRootStore);
  ASSERT_EQ(listed.size(), 2u);
  EXPECT_EQ(listed[0].subject, listed[1].subject);
  const auto found = FindCertificate(store, kRootStore, listed[1].sha1);
  ASSERT_TRUE(found);
  EXPECT_EQ(HashText(found->sha1), second.hash);
  EXPECT_EQ(found->der, listed[1].der);
}

TEST_F(CertStores, RemoveByHashOrFileAndBadInput) {
  WriteCertificate(In("a.pem"), "one", 1, true);
  FileCertStore store(dir_);
  const auto added = store.Import(kPersonalStore, In("a.pem"));
  EXPECT_EQ(store.Remove(kPersonalStore, "0000"), "no certificate 0000 in MY");
  EXPECT_EQ(store.Remove(kPersonalStore, In("a.pem").string()), "");
  EXPECT_TRUE(store.Certificates(kPersonalStore).empty());
  EXPECT_FALSE(std::filesystem::exists(store.StoreDir(kPersonalStore) / (added.hash + ".key")));

  store.Import(kPersonalStore, In("a.pem"));
  std::string lower = added.hash;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  EXPECT_EQ(store.Remove(kPersonalStore, lower), "");

  std::ofstream(In("junk.pem")) << "not a certificate";
  EXPECT_NE(store.Import(kPersonalStore, In("junk.pem")).error, "");
  EXPECT_NE(store.Import(kPersonalStore, In("missing.pem")).error, "");
  EXPECT_NE(store.Import("../x", In("a.pem")).error, "");
  EXPECT_TRUE(store.Certificates("../x").empty());
  // A damaged file in a store costs only itself.
  store.Import(kRootStore, In("a.pem"));
  std::ofstream(store.StoreDir(kRootStore) / "BROKEN.pem") << "-----BEGIN CERTIFICATE-----";
  EXPECT_EQ(store.Certificates(kRootStore).size(), 1u);
}

}  // namespace
}  // namespace kavo9
