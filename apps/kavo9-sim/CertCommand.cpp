// `kavo9-sim cert list|import|remove STORE ...`: the current user's certificate stores ("MY",
// "ROOT") of the simulated machine.

#include <chrono>
#include <cstdio>
#include <iostream>

#include "apps/kavo9-sim/SimCommand.h"
#include "common/platform/certs/FileCertStore.h"

namespace kavo9 {

const std::string_view kCertUsage =
    "  cert list STORE                the certificates of a store (MY, ROOT): hash, subject,\n"
    "                                 issuer, expiry, friendly name\n"
    "  cert import STORE FILE [--name FRIENDLY]\n"
    "                                 add a PEM or DER certificate (in MY with its key)\n"
    "  cert remove STORE HASH|FILE    take a certificate out of a store";

int RunCertCommand(const SimContext& context, std::span<const std::string> args) {
  if (args.size() < 2) return SimError(kSimUsage, "cert list|import|remove STORE ...");
  FileCertStore store(context.machineDir);
  const std::string& action = args[0];
  const std::string& name = args[1];
  if (!IsStoreName(name)) return SimError(kSimUsage, "\"" + name + "\" is no store name");
  if (action == "list" && args.size() == 2) {
    for (const StoredCertificate& certificate : store.Certificates(name)) {
      const std::chrono::year_month_day expires(
          std::chrono::floor<std::chrono::days>(certificate.notAfter));
      char date[16];
      std::snprintf(date, sizeof date, "%04d-%02u-%02u", int(expires.year()),
                    unsigned(expires.month()), unsigned(expires.day()));
      std::cout << HashText(certificate.sha1) << "  " << certificate.subject << "  (issued by "
                << certificate.issuer << ", expires " << date << ")";
      if (certificate.friendlyName) std::cout << "  \"" << *certificate.friendlyName << "\"";
      std::cout << "\n";
    }
    return kSimDone;
  }
  if (action == "import" && (args.size() == 3 || (args.size() == 5 && args[3] == "--name"))) {
    const auto imported = store.Import(name, args[2], args.size() == 5 ? args[4] : "");
    if (!imported.error.empty()) return SimError(kSimFailed, imported.error);
    std::cout << imported.hash << "\n";
    return kSimDone;
  }
  if (action == "remove" && args.size() == 3) {
    const std::string error = store.Remove(name, args[2]);
    return error.empty() ? kSimDone : SimError(kSimFailed, error);
  }
  return SimError(kSimUsage, "cert list|import|remove STORE ...");
}

}  // namespace kavo9
