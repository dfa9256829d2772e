// The 802.1X server behind a network: its users, the methods it accepts, its certificate's names
// and the faults it can be told to show.
#include <algorithm>
#include <cctype>

#include "sim/emulator/ScenarioReader.h"

namespace kavo9::scenario {
namespace {

struct MethodName {
  const char* name;
  int type;
};

constexpr MethodName kOuter[] = {{"md5", 4},   {"tls", 13},  {"leap", 17},
                                 {"ttls", 21}, {"peap", 25}, {"fast", 43}};
constexpr MethodName kTunnelInner[] = {{"mschapv2", 26}, {"gtc", 6}};
constexpr MethodName kTtlsInner[] = {
    {"pap", 1}, {"chap", 2}, {"mschap", 3}, {"mschapv2", 4}, {"eap-md5", 5}};

template <size_t N>
std::string NamesOf(const MethodName (&table)[N]) {
  std::string out;
  for (const MethodName& m : table) out += (out.empty() ? "" : ", ") + std::string(m.name);
  return out;
}

template <size_t N>
void ReadMethods(ObjectReader& r, const char* key, const MethodName (&table)[N],
                 std::vector<int>* out, bool required) {
  const json* list = r.Find(key);
  if (!list) {
    if (required) r.Fail(r.Path(key), "missing");
    return;
  }
  std::vector<int> types;
  bool ok = list->is_array() && !list->empty();
  for (size_t i = 0; ok && i < list->size(); ++i) {
    const json& item = (*list)[i];
    auto it = std::find_if(std::begin(table), std::end(table), [&](const MethodName& m) {
      return item.is_string() && item.get<std::string>() == m.name;
    });
    ok = it != std::end(table) && std::find(types.begin(), types.end(), it->type) == types.end();
    if (ok) types.push_back(it->type);
  }
  if (!ok) return r.Fail(r.Path(key), "expected a list of distinct names of " + NamesOf(table));
  *out = std::move(types);
}

template <size_t N>
void WriteMethods(json& j, const char* key, const MethodName (&table)[N],
                  const std::vector<int>& types) {
  json list = json::array();
  for (int type : types) {
    for (const MethodName& m : table) {
      if (m.type == type) list.push_back(m.name);
    }
  }
  j[key] = list;
}

bool ParseUser(const json& doc, const std::string& path, Dot1xUser* user, std::string* error) {
  ObjectReader u(doc, path, error);
  u.String("identity", &user->identity, true, 127);
  if (u.ok() && user->identity.empty()) u.Fail(u.Path("identity"), "must not be empty");
  u.String("password", &user->password, false, 127);
  u.String("domain", &user->domain, false, 127);
  u.Bool("mustChangePassword", &user->mustChangePassword);
  u.Finish();
  return u.ok();
}

// A DNS name as certificates carry it: labels of letters, digits and hyphens.
bool IsHostName(const std::string& name) {
  if (name.empty() || name.size() > 253 || name.front() == '.' || name.back() == '.') return false;
  return std::all_of(name.begin(), name.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '.';
  });
}

bool ParseServer(const json& doc, const std::string& path, Dot1xSpec* d, std::string* error) {
  ObjectReader s(doc, path, error);
  s.String("commonName", &d->serverName, false, 64);
  if (const json* names = s.Find("dnsNames")) {
    bool ok = names->is_array();
    d->serverDnsNames.clear();
    for (size_t i = 0; ok && i < names->size(); ++i) {
      ok = (*names)[i].is_string() && IsHostName((*names)[i].get<std::string>());
      if (ok) d->serverDnsNames.push_back((*names)[i].get<std::string>());
    }
    if (!ok) s.Fail(s.Path("dnsNames"), "expected a list of DNS names");
  }
  s.Bool("untrusted", &d->serverUntrusted);
  s.Finish();
  return s.ok();
}

}  // namespace

bool ParseDot1x(const json& doc, const std::string& path, NetworkSpec* n, std::string* error) {
  Dot1xSpec& d = n->dot1x;
  d = Dot1xSpec{};
  d.enabled = true;
  ObjectReader r(doc, path, error);
  ReadMethods(r, "methods", kOuter, &d.methods, true);
  ReadMethods(r, "peapInner", kTunnelInner, &d.peapInner, false);
  ReadMethods(r, "fastInner", kTunnelInner, &d.fastInner, false);
  ReadMethods(r, "ttlsInner", kTtlsInner, &d.ttlsInner, false);
  if (const json* modes = r.Find("fastProvisioning")) {
    d.fastAnonymous = d.fastAuthenticated = false;
    bool ok = modes->is_array();
    for (size_t i = 0; ok && i < modes->size(); ++i) {
      const json& m = (*modes)[i];
      if (m == "anonymous")
        d.fastAnonymous = true;
      else if (m == "authenticated")
        d.fastAuthenticated = true;
      else
        ok = false;
    }
    if (!ok) r.Fail(r.Path("fastProvisioning"), "expected a list of anonymous and authenticated");
  }
  if (const json* users = r.Find("users")) {
    if (!users->is_array()) {
      r.Fail(r.Path("users"), "expected a list");
    } else {
      for (size_t i = 0; r.ok() && i < users->size(); ++i) {
        Dot1xUser user;
        if (!ParseUser((*users)[i], r.Path("users") + "/" + std::to_string(i), &user, error))
          return false;
        d.users.push_back(std::move(user));
      }
    }
  }
  if (const json* server = r.Find("server"); server && r.ok()) {
    if (!ParseServer(*server, r.Path("server"), &d, error)) return false;
  }
  if (r.ok() && d.serverName.empty()) {
    d.serverName = d.serverDnsNames.empty() ? "radius.local" : d.serverDnsNames.front();
  }
  r.String("notification", &d.notification, false, 255);
  r.Bool("serverDown", &d.serverDown);
  if (const json* rejected = r.Find("rejected")) {
    if (rejected->is_boolean())
      d.rejected = rejected->get<bool>() ? 301 : 0;
    else if (*rejected == 301 || *rejected == 302)
      d.rejected = rejected->get<int>();
    else
      r.Fail(r.Path("rejected"), "expected true, false, 301 or 302");
  }
  r.Bool("pacExpired", &d.pacExpired);
  r.Bool("pacRevoked", &d.pacRevoked);
  r.Bool("rogueAp", &d.rogueAp);
  r.Finish();
  if (r.ok() && n->adhoc) r.Fail(path, "an ad hoc network has no 802.1X server");
  const bool personal = n->security == Security::kWpaPsk || n->security == Security::kWpa2Psk ||
                        n->security == Security::kWpaWpa2Psk;
  if (r.ok() && personal) r.Fail(path, "a pre-shared-key network has no 802.1X server");
  return r.ok();
}

json Dot1xToJson(const Dot1xSpec& d) {
  json j = json::object();
  WriteMethods(j, "methods", kOuter, d.methods);
  WriteMethods(j, "peapInner", kTunnelInner, d.peapInner);
  WriteMethods(j, "fastInner", kTunnelInner, d.fastInner);
  WriteMethods(j, "ttlsInner", kTtlsInner, d.ttlsInner);
  json modes = json::array();
  if (d.fastAnonymous) modes.push_back("anonymous");
  if (d.fastAuthenticated) modes.push_back("authenticated");
  j["fastProvisioning"] = modes;
  json users = json::array();
  for (const Dot1xUser& u : d.users) {
    json user = {{"identity", u.identity}, {"password", u.password}};
    if (!u.domain.empty()) user["domain"] = u.domain;
    if (u.mustChangePassword) user["mustChangePassword"] = true;
    users.push_back(user);
  }
  j["users"] = users;
  j["server"] = {{"commonName", d.serverName}, {"dnsNames", d.serverDnsNames}};
  if (d.serverUntrusted) j["server"]["untrusted"] = true;
  if (!d.notification.empty()) j["notification"] = d.notification;
  if (d.serverDown) j["serverDown"] = true;
  if (d.rejected) j["rejected"] = d.rejected;
  if (d.pacExpired) j["pacExpired"] = true;
  if (d.pacRevoked) j["pacRevoked"] = true;
  if (d.rogueAp) j["rogueAp"] = true;
  return j;
}

}  // namespace kavo9::scenario
