#include "station/dot1x/supplicant/ServerCheck.h"

namespace kavo9::dot1x {
namespace {

// A certificate has a handful of fields; a library that never says "no more" is not followed
// for ever.
constexpr int kMaxFields = 64;

bool Passed(int result, int ok) {
  return result == AC_OK && ok != 0;
}

// After a name that matched nothing the certificate's fields are read, as a record of what the
// server offered; they are not shown.
void ReadFields(Supplicant& library, int handle, uint32_t id) {
  std::string text;
  for (int index = 0; index < kMaxFields; ++index) {
    if (library.CredServerGetField(handle, id, index, &text) != AC_OK) return;
  }
}

bool DomainMatches(Supplicant& library, int handle, uint32_t id, const ServerCheckConfig& c) {
  for (const int field : kDomainFields) {
    int ok = 0;
    const int result = library.CredServerVerifyDomain(handle, id, field, c.serverNameForDomain,
                                                      c.nameRule != 0 ? 1 : 0, &ok);
    if (Passed(result, ok)) return true;
  }
  ReadFields(library, handle, id);
  return false;
}

bool CommonNameMatches(Supplicant& library, int handle, uint32_t id, const ServerCheckConfig& c) {
  int ok = 0;
  const int result = library.CredServerVerifyField(handle, id, AC_FIELD_COMMON_NAME,
                                                   c.serverNameForCn, c.nameRule != 0 ? 1 : 0, &ok);
  if (Passed(result, ok)) return true;
  ReadFields(library, handle, id);
  return false;
}

bool Trusted(Supplicant& library, int handle, uint32_t id, const ServerCheckConfig& c) {
  if (c.verifyChain) {
    int ok = 0;
    const int result = library.CredServerVerifyChain(handle, id, &ok);
    if (!Passed(result, ok)) return false;
  }
  if (c.caCert) {
    int ok = 0;
    const int result = library.CredServerVerifyCA(handle, id, c.caCert, &ok);
    if (!Passed(result, ok)) return false;
  }
  if (!c.serverNameForDomain.empty() && !DomainMatches(library, handle, id, c)) return false;
  if (!c.serverNameForCn.empty() && !CommonNameMatches(library, handle, id, c)) return false;
  return true;
}

}  // namespace

bool CheckServer(Supplicant& library, int handle, uint32_t id, const ServerCheckConfig& config) {
  const bool trusted = Trusted(library, handle, id, config);
  const int result = library.CredServerVerified(handle, id, trusted ? 1 : 0);
  // Completed whatever the answer's result: a deferred check is never left waiting.
  (void)result;
  library.CredComplete(handle, id);
  return trusted;
}

}  // namespace kavo9::dot1x
