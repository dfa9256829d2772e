#pragma once
// The demo world's certificates, made with OpenSSL in <machine>/pki/ (EC P-256 keys, SHA-256
// signatures, so making them is quick; files already there are kept):
//   ca.pem, ca.key                 the world's certification authority, trusted by the machine
//   other-ca.pem, other-ca.key     a CA the machine does not know (servers marked "untrusted")
//   server-<id>.pem, .key          a server certificate per 802.1X server: its common name, its
//                                  DNS names, and the first DNS name's domain as DC components
//   user.pem                       the user's certificate (common name: the machine's user) and
//                                  its key, the file imported into the "MY" store
// Init imports the user's certificate into "MY" and the CA into "ROOT".

#include <filesystem>
#include <string>
#include <vector>

#include "sim/emulator/Scenario.h"

namespace kavo9::pki {

inline std::filesystem::path PkiDir(const std::filesystem::path& machineDir) {
  return machineDir / "pki";
}

// Makes whatever certificate of the machine's world is missing and imports the user's and the
// CA's into the stores. False with `error` when a file could not be written.
bool EnsureMachineCertificates(const std::filesystem::path& machineDir, const Scenario& scenario,
                               std::string* error);

// An 802.1X server's certificate chain (PEM: the server's certificate, then its CA) and its key,
// made first when missing.
struct ServerCredentials {
  std::vector<std::string> chainPem;
  std::string keyPem;
};
bool EnsureServerCredentials(const std::filesystem::path& machineDir, const Dot1xSpec& server,
                             ServerCredentials* out, std::string* error);

// The trusted CA's certificate (PEM), made first when missing.
bool EnsureCaPem(const std::filesystem::path& machineDir, std::string* pem, std::string* error);

}  // namespace kavo9::pki
