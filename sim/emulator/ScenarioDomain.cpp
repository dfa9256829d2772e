// The machine's Windows domain.
#include <cctype>

#include "sim/emulator/ScenarioReader.h"

namespace kavo9 {
namespace {

// A NetBIOS-style name: letters, digits, "-", "_" and "." only, so a name never carries a path
// separator into the controller's UNC paths.
bool PlainName(const std::string& text) {
  if (text.empty()) return false;
  for (unsigned char c : text) {
    if (!std::isalnum(c) && c != '-' && c != '_' && c != '.') return false;
  }
  return true;
}

}  // namespace

bool ParseDomain(const nlohmann::json& doc, std::string_view path, DomainSpec* d,
                 std::string* error) {
  scenario::ObjectReader r(doc, std::string(path), error);
  r.String("name", &d->name, true, 15);
  r.String("dnsName", &d->dnsName, false, 255);
  r.String("controller", &d->controller, false, 15);
  r.String("address", &d->address, false, 39);
  r.Bool("reachable", &d->reachable);
  r.String("network", &d->network, false, 32);
  r.Int("probeError", 1, 0xFFFF, &d->probeError);
  r.Int("lookupError", 0, 0xFFFF, &d->lookupError);
  r.Finish();
  if (!r.ok()) return false;
  if (!PlainName(d->name)) {
    r.Fail(r.Path("name"), "expected letters, digits, \"-\", \"_\" or \".\"");
  } else if (!PlainName(d->controller)) {
    r.Fail(r.Path("controller"), "expected letters, digits, \"-\", \"_\" or \".\"");
  } else if (!d->dnsName.empty() && !PlainName(d->dnsName)) {
    r.Fail(r.Path("dnsName"), "expected letters, digits, \"-\", \"_\" or \".\"");
  }
  return r.ok();
}

}  // namespace kavo9
