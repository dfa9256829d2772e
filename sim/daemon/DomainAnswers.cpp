#include "sim/daemon/DomainAnswers.h"

#include <strings.h>

#include <algorithm>

namespace kavo9 {
namespace {

using nlohmann::json;

// Win32 codes as a controller and its file server give them.
constexpr uint32_t kFileNotFound = 2;
constexpr uint32_t kAccessDenied = 5;
constexpr uint32_t kBadNetPath = 53;
constexpr uint32_t kBadNetName = 67;
constexpr uint32_t kNoSuchDomain = 1355;

// The share every controller offers; the probe's file is never there.
constexpr const char* kLogonShare = "NETLOGON";

bool SameText(const std::string& a, const std::string& b) {
  return a.size() == b.size() && ::strncasecmp(a.data(), b.data(), a.size()) == 0;
}

json Reply(uint32_t error) {
  return {{"ok", true}, {"error", error}};
}

json Malformed(const std::string& what) {
  return {{"ok", false}, {"error", what}};
}

std::string TextField(const json& request, const char* name, bool* ok) {
  auto it = request.find(name);
  if (it == request.end() || !it->is_string()) {
    *ok = false;
    return {};
  }
  return it->get<std::string>();
}

// Whether the controller can be reached over the network now.
bool Reachable(const DomainSpec& d, const std::vector<std::string>& associated) {
  if (!d.reachable) return false;
  if (d.network.empty()) return true;
  return std::find(associated.begin(), associated.end(), d.network) != associated.end();
}

// "\\SERVER\SHARE\REST" split in its parts; false when it is no UNC path.
bool SplitUnc(const std::string& path, std::string* server, std::string* share, std::string* rest) {
  if (path.size() < 3 || path[0] != '\\' || path[1] != '\\') return false;
  const size_t serverEnd = path.find('\\', 2);
  *server = path.substr(2, serverEnd == std::string::npos ? std::string::npos : serverEnd - 2);
  if (server->empty()) return false;
  if (serverEnd == std::string::npos) {
    share->clear();
    rest->clear();
    return true;
  }
  const size_t shareEnd = path.find('\\', serverEnd + 1);
  *share = path.substr(
      serverEnd + 1, shareEnd == std::string::npos ? std::string::npos : shareEnd - serverEnd - 1);
  *rest = shareEnd == std::string::npos ? std::string() : path.substr(shareEnd + 1);
  return true;
}

json LookUp(const std::optional<DomainSpec>& domain, const json& request) {
  bool ok = true;
  const std::string name = TextField(request, "domain", &ok);
  if (!ok) return Malformed("\"domain\" must be a text");
  if (!domain || !(SameText(name, domain->name) ||
                   (!domain->dnsName.empty() && SameText(name, domain->dnsName)))) {
    return Reply(kNoSuchDomain);
  }
  if (domain->lookupError != 0) return Reply(domain->lookupError);
  json reply = Reply(0);
  reply["controller"] = "\\\\" + domain->controller;
  reply["address"] = "\\\\" + domain->address;
  reply["domain"] = domain->name;
  return reply;
}

json Open(const std::optional<DomainSpec>& domain, const std::vector<std::string>& associated,
          const json& request) {
  bool ok = true;
  const std::string path = TextField(request, "path", &ok);
  if (!ok) return Malformed("\"path\" must be a text");
  std::string server, share, rest;
  if (!SplitUnc(path, &server, &share, &rest)) return Reply(kBadNetPath);
  if (!domain || !(SameText(server, domain->controller) || SameText(server, domain->address))) {
    return Reply(kBadNetPath);  // no other server is on the simulated network
  }
  if (!Reachable(*domain, associated)) return Reply(domain->probeError);
  if (share.empty()) return Reply(kBadNetPath);
  if (!SameText(share, kLogonShare)) return Reply(kBadNetName);
  // The share itself is a folder (opening it as a file is refused); nothing is stored in it.
  return Reply(rest.empty() ? kAccessDenied : kFileNotFound);
}

}  // namespace

json AnswerDomainRequest(const std::optional<DomainSpec>& domain,
                         const std::vector<std::string>& associated, const json& request) {
  if (!request.is_object()) return Malformed("expected a JSON object");
  bool ok = true;
  const std::string op = TextField(request, "op", &ok);
  if (op == "dc") return LookUp(domain, request);
  if (op == "open") return Open(domain, associated, request);
  if (op == "info") {
    json reply{{"ok", true}};
    if (domain) {
      reply["name"] = domain->name;
      reply["dnsName"] = domain->dnsName;
    }
    return reply;
  }
  return Malformed("unknown domain operation \"" + op + "\" (dc, open, info)");
}

}  // namespace kavo9
