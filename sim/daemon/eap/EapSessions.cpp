#include "sim/daemon/eap/EapSessions.h"

#include <ctime>
#include <fstream>
#include <iterator>

#include "sim/daemon/eap/Pki.h"

namespace kavo9::eap {
namespace {

namespace fs = std::filesystem;

std::span<const uint8_t> Span(const std::string& text) {
  return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

}  // namespace

// The machine's own secret, kept in its folder so that PACs outlive a restart of the daemon.
bool EapSessions::LoadSecret(std::string* error) {
  if (secret_.size() == 32) return true;
  const fs::path file = pki::PkiDir(machineDir_) / "pac-secret";
  std::ifstream in(file);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (auto bytes = FromHex(text.substr(0, 64)); bytes && bytes->size() == 32) {
    secret_ = *bytes;
    return true;
  }
  secret_ = RandomBytes(32);
  std::error_code ec;
  fs::create_directories(file.parent_path(), ec);
  std::ofstream out(file, std::ios::trunc);
  out << Hex(secret_) << "\n";
  if (!out.flush()) {
    *error = "cannot write " + file.string();
    return false;
  }
  return true;
}

ServerRealm* EapSessions::RealmOf(const NetworkSpec& n, std::string* error) {
  // Access points of one network that name the same server share it (and its users' changes).
  const std::string key = n.ssid + "|" + NetworkToJson(n)["dot1x"].dump();
  auto it = realms_.find(key);
  if (it != realms_.end()) return &it->second;
  if (!LoadSecret(error)) return nullptr;
  ServerRealm realm;
  realm.spec = n.dot1x;
  pki::ServerCredentials credentials;
  if (!pki::EnsureServerCredentials(machineDir_, n.dot1x, &credentials, error) ||
      !pki::EnsureCaPem(machineDir_, &realm.caPem, error)) {
    return nullptr;
  }
  realm.chainPem = credentials.chainPem;
  realm.pacSecret = HmacSha256(secret_, Span("pac|" + n.ssid));
  realm.aid = HmacSha256(secret_, Span("aid|" + n.ssid));
  realm.aid.resize(16);
  realm.aidInfo = n.ssid + " authentication server";
  return &realms_.emplace(key, std::move(realm)).first->second;
}

EapSessions::Reply EapSessions::Start(const std::string& adapter, const NetworkSpec& n) {
  Reply reply;
  conversations_.erase(adapter);
  if (!n.dot1x.enabled) {
    reply.error = "no 802.1X server behind " + n.ssid;
    return reply;
  }
  if (n.dot1x.serverDown) return reply;  // the request goes unanswered
  ServerRealm* realm = RealmOf(n, &reply.error);
  if (!realm) return reply;
  Conversation& c = conversations_[adapter];
  c.bssid = n.bssid;
  c.server = std::make_unique<EapServer>(*realm, int64_t(std::time(nullptr)));
  reply.message = c.server->Start();
  return reply;
}

EapSessions::Reply EapSessions::Step(const std::string& adapter, const NetworkSpec& n,
                                     const nlohmann::json& message) {
  Reply reply;
  auto it = conversations_.find(adapter);
  if (it == conversations_.end() || it->second.bssid != n.bssid) {
    reply.error = "no 802.1X conversation on this association";
    return reply;
  }
  EapServer& server = *it->second.server;
  reply.message = server.Receive(message);
  if (server.end() == EapServer::End::kSuccess) reply.msk = server.msk();
  if (server.end() != EapServer::End::kNone) conversations_.erase(it);
  return reply;
}

}  // namespace kavo9::eap
