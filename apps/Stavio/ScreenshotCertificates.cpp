#include "apps/Stavio/ScreenshotCertificates.h"

#include <fstream>

#include "common/platform/certs/FileCertStore.h"

namespace kavo9 {
namespace {

// A small demo world of certificates: two authorities the user trusts, and two certificates of
// the same user (same subject, same issuer) told apart by their friendly names and hashes.
struct Fixture {
  std::string_view store;
  const char* file;
  const char* friendlyName;
  const char* pem;
};

const Fixture kFixtures[] = {
    {kRootStore, "acme-root.pem", "", R"(-----BEGIN CERTIFICATE-----
MIIBtjCCAVugAwIBAgIUKVstnTvnI3WnR/ST7EFbR5nVMOcwCgYIKoZIzj0EAwIw
MDESMBAGA1UECgwJQUNNRSBDb3JwMRowGAYDVQQDDBFBQ01FIENvcnAgUm9vdCBD
QTAeFw0yNjEyMTExNDM5MDRaFw0zNjEyMDgxNDM5MDRaMDAxEjAQBgNVBAoMCUFD
TUUgQ29ycDEaMBgGA1UEAwwRQUNNRSBDb3JwIFJvb3QgQ0EwWTATBgcqhkjOPQIB
BggqhkjOPQMBBwNCAASxWT1q7e3ahc86N5iv03Ik3iwNwiWJcnE3oE49uaMZa1Js
yK0pWsHsJMBKMdMit3+0bbNNUbPefWaLJJdGZ6D6o1MwUTAdBgNVHQ4EFgQUXue1
EUhlByZvTk4veiFLdGq7nVgwHwYDVR0jBBgwFoAUXue1EUhlByZvTk4veiFLdGq7
nVgwDwYDVR0TAQH/BAUwAwEB/zAKBggqhkjOPQQDAgNJADBGAiEAsh3/WJ1nF3Xk
oHwOT/HkQuzMdhQUrnBUhfkKgoU52fECIQCk9+AXVHza/ZKcApq2IfNznjpdczRo
EF1R7NSqjWbtuw==
-----END CERTIFICATE-----
)"},
    {kRootStore, "demo-labs.pem", "", R"(-----BEGIN CERTIFICATE-----
MIIBrDCCAVGgAwIBAgIUGZRX5AJzjxnn9abrSEH7DRZqe4AwCgYIKoZIzj0EAwIw
KzESMBAGA1UECgwJRGVtbyBMYWJzMRUwEwYDVQQDDAxEZW1vIExhYnMgQ0EwHhcN
MjYxMjExMTQzOTA1WhcNMzYxMjA4MTQzOTA1WjArMRIwEAYDVQQKDAlEZW1vIExh
YnMxFTATBgNVBAMMDERlbW8gTGFicyBDQTBZMBMGByqGSM49AgEGCCqGSM49AwEH
A0IABHZ0hN1+YLZ/u8lFDnmKoIM2cW4eey7h92ZDkdTPM37P7x4/UwOw6mDb5bsS
KWO0KKdtr1bR3PLZ77IQhA4DRyajUzBRMB0GA1UdDgQWBBRa0hSO4a8smtHooWHY
a+Pj49dW2TAfBgNVHSMEGDAWgBRa0hSO4a8smtHooWHYa+Pj49dW2TAPBgNVHRMB
Af8EBTADAQH/MAoGCCqGSM49BAMCA0kAMEYCIQC4ntt6NLAwLfl8/ce5lWQVMAHf
jmpxaUwamew1bkdMKAIhAPC0gLk9o5ssZ4Te0PWbYEUvEAjKKa26tWv4bTx9yLKa
-----END CERTIFICATE-----
)"},
    {kPersonalStore, "alice-laptop.pem", "alice (laptop)", R"(-----BEGIN CERTIFICATE-----
MIIBOjCB4gIBZTAKBggqhkjOPQQDAjAwMRIwEAYDVQQKDAlBQ01FIENvcnAxGjAY
BgNVBAMMEUFDTUUgQ29ycCBSb290IENBMB4XDTI2MTIxMTE0MzkwNFoXDTI5MTEx
MDE0MzkwNFowJDESMBAGA1UECgwJQUNNRSBDb3JwMQ4wDAYDVQQDDAVhbGljZTBZ
MBMGByqGSM49AgEGCCqGSM49AwEHA0IABDPbJ+jiaBmiqSlJimeFBj1xoldgCWUS
YTHdR3HoZGw2GoZYlnYpEVP1z+Yol7NE3fDuGBVY5GC+ZstpieWJrUgwCgYIKoZI
zj0EAwIDRwAwRAIgX3XN2A5Kt7QHz6L+wuchNxlz/CczS7SWm1YKPC3Ij6gCIElZ
j78T1FLSww18FepiSAEg3Ht+azNL+qjD1ugWMxHW
-----END CERTIFICATE-----
)"},
    {kPersonalStore, "alice-token.pem", "alice (token)", R"(-----BEGIN CERTIFICATE-----
MIIBOzCB4gIBZjAKBggqhkjOPQQDAjAwMRIwEAYDVQQKDAlBQ01FIENvcnAxGjAY
BgNVBAMMEUFDTUUgQ29ycCBSb290IENBMB4XDTI2MTIxMTE0MzkwNVoXDTMwMTEx
MDE0MzkwNVowJDESMBAGA1UECgwJQUNNRSBDb3JwMQ4wDAYDVQQDDAVhbGljZTBZ
MBMGByqGSM49AgEGCCqGSM49AwEHA0IABDPbJ+jiaBmiqSlJimeFBj1xoldgCWUS
YTHdR3HoZGw2GoZYlnYpEVP1z+Yol7NE3fDuGBVY5GC+ZstpieWJrUgwCgYIKoZI
zj0EAwIDSAAwRQIgUJfkVADG72SHxhv/y9WEk4T8Zj5aER0YW6smSvPQCtUCIQDo
rj0z4aDUtgEurEWYunfFxO9Y7mjiTiIKfdGSHiAXHA==
-----END CERTIFICATE-----
)"},
};

}  // namespace

void ImportScreenshotCertificates(const std::filesystem::path& machineDir) {
  FileCertStore certs(machineDir);
  if (!certs.Certificates(kRootStore).empty() || !certs.Certificates(kPersonalStore).empty()) {
    return;  // the machine has its own
  }
  const std::filesystem::path scratch = machineDir / "screenshot-certificates";
  std::filesystem::create_directories(scratch);
  for (const Fixture& fixture : kFixtures) {
    const std::filesystem::path file = scratch / fixture.file;
    std::ofstream(file) << fixture.pem;
    certs.Import(fixture.store, file, fixture.friendlyName);
  }
  std::filesystem::remove_all(scratch);
}

}  // namespace kavo9
