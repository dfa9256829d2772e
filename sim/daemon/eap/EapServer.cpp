// The outer conversation: identity, method negotiation, MD5-Challenge, LEAP, TLS, the start of
// the tunnels and EAP-FAST's PAC handling.
#include "sim/daemon/eap/EapServer.h"

#include <algorithm>
#include <cctype>

#include "sim/daemon/eap/PacSeal.h"
#include "sim/eap/X509Tools.h"

namespace kavo9::eap {
namespace {

using nlohmann::json;

constexpr int kMd5 = 4, kTls = 13, kLeap = 17, kTtls = 21, kPeap = 25, kFast = 43;

std::string Text(const json& m, const char* key) {
  auto it = m.is_object() ? m.find(key) : m.end();
  return it != m.end() && it->is_string() ? it->get<std::string>() : std::string();
}

Bytes HexField(const json& m, const char* key) {
  return FromHex(Text(m, key)).value_or(Bytes{});
}

int IntField(const json& m, const char* key) {
  auto it = m.is_object() ? m.find(key) : m.end();
  return it != m.end() && it->is_number_integer() ? it->get<int>() : -1;
}

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

bool Contains(const std::vector<int>& list, int value) {
  return std::find(list.begin(), list.end(), value) != list.end();
}

}  // namespace

Dot1xUser* EapServer::FindUser(const std::string& identity) {
  const size_t slash = identity.substr(0, identity.find('@')).find('\\');
  const std::string domain = slash == std::string::npos ? "" : identity.substr(0, slash);
  const std::string name = UserNameOf(identity);
  for (Dot1xUser& user : realm_.spec.users) {
    if (!SameText(user.identity, name) && !SameText(user.identity, identity)) continue;
    if (!domain.empty() && !user.domain.empty() && !SameText(domain, user.domain)) continue;
    return &user;
  }
  return nullptr;
}

json EapServer::Start() {
  return {{"ask", "identity"}};
}

json EapServer::Fail(int status) {
  step_ = Step::kDone;
  end_ = End::kFailure;
  return {{"result", "failure"}, {"status", status}};
}

json EapServer::Succeed(json extra) {
  if (realm_.spec.rejected) return Fail(realm_.spec.rejected);
  step_ = Step::kDone;
  end_ = End::kSuccess;
  msk_ = RandomBytes(64);
  extra["result"] = "success";
  extra["msk"] = Hex(msk_);
  return extra;
}

json EapServer::Propose() {
  step_ = Step::kMethod;
  if (realm_.spec.methods.empty()) return Fail(301);
  return {{"ask", "method"}, {"method", realm_.spec.methods.front()}, {"inner", false}};
}

json EapServer::Receive(const json& m) {
  if (!m.is_object()) return Fail(301);
  switch (step_) {
    case Step::kIdentity:
      outerIdentity_ = Text(m, "identity");
      if (!realm_.spec.notification.empty()) {
        step_ = Step::kNotification;
        return {{"ask", "notification"}, {"text", realm_.spec.notification}};
      }
      return Propose();
    case Step::kNotification:
      return Propose();
    case Step::kMethod:
      return Negotiate(m);
    case Step::kMd5:
      return CheckMd5(m);
    case Step::kLeap:
      return CheckLeap(m);
    case Step::kTls:
      return CheckTls(m);
    case Step::kTunnel:
      return method_ == kTtls ? CheckTtls(m) : TunnelUp(m);
    case Step::kInnerIdentity:
      return InnerIdentity(m);
    case Step::kInnerMethod:
      return InnerNegotiate(m);
    case Step::kMsChapV2:
      return CheckMsChapV2(m);
    case Step::kGtc:
      return CheckGtc(m);
    case Step::kFast:
      return FastReceive(m);
    case Step::kDone:
      break;
  }
  return Fail(301);
}

// The station's answer to the proposed method: the same type accepts it, another is its NAK
// naming the one it wants, which the server takes when it offers it at all.
json EapServer::Negotiate(const json& m) {
  const int wanted = IntField(m, "method");
  if (!Contains(realm_.spec.methods, wanted)) return Fail(301);
  method_ = wanted;
  return StartMethod();
}

json EapServer::StartMethod() {
  switch (method_) {
    case kMd5:
      step_ = Step::kMd5;
      chapId_ = RandomBytes(1)[0];
      challenge_ = RandomBytes(16);
      return {{"ask", "md5"}, {"id", chapId_}, {"challenge", Hex(challenge_)}};
    case kLeap:
      step_ = Step::kLeap;
      challenge_ = RandomBytes(8);
      return {{"ask", "leap"}, {"challenge", Hex(challenge_)}};
    case kTls:
      step_ = Step::kTls;
      nonce_ = RandomBytes(32);
      return {{"ask", "tls"}, {"certificates", realm_.chainPem}, {"nonce", Hex(nonce_)}};
    case kPeap:
    case kTtls: {
      step_ = Step::kTunnel;
      json ask = {{"ask", "tunnel"}, {"certificates", realm_.chainPem}};
      if (method_ == kTtls) {
        // Inside TTLS the CHAP-style challenges come from the tunnel's keys.
        challenge_ = RandomBytes(16);
        chapId_ = challenge_[0];
        ask["challenge"] = Hex(challenge_);
        ask["chapId"] = chapId_;
      }
      return ask;
    }
    case kFast:
      return FastStart(0);
    default:
      return Fail(301);
  }
}

json EapServer::CheckMd5(const json& m) {
  Dot1xUser* user = FindUser(outerIdentity_);
  if (!user ||
      !SameBytes(HexField(m, "response"), Md5Challenge(chapId_, user->password, challenge_)))
    return Fail(302);
  return Succeed(json::object());
}

json EapServer::CheckLeap(const json& m) {
  Dot1xUser* user = FindUser(outerIdentity_);
  const Bytes peerChallenge = HexField(m, "peerChallenge");
  if (!user || peerChallenge.size() != 8) return Fail(302);
  const Bytes hash = NtPasswordHash(user->password);
  if (!SameBytes(HexField(m, "response"), ChallengeResponse(challenge_, hash))) return Fail(302);
  // The access point proves itself in turn; a rogue one cannot, not knowing the password.
  const Bytes apResponse = realm_.spec.rogueAp
                               ? RandomBytes(24)
                               : ChallengeResponse(peerChallenge, HashNtPasswordHash(hash));
  return Succeed({{"apResponse", Hex(apResponse)}});
}

json EapServer::CheckTls(const json& m) {
  const std::string certificate = Text(m, "certificate");
  std::string why;
  if (certificate.empty() || !VerifyChain({certificate}, {realm_.caPem}, &why) ||
      !SignatureValid(certificate, nonce_, HexField(m, "signature"))) {
    return Fail(302);
  }
  return Succeed(json::object());
}

json EapServer::FastStart(int pacStatus) {
  step_ = Step::kFast;
  nonce_ = RandomBytes(32);
  json ask = {{"ask", "fast"},
              {"aid", Hex(realm_.aid)},
              {"aidInfo", realm_.aidInfo},
              {"nonce", Hex(nonce_)}};
  if (pacStatus) ask["pacStatus"] = pacStatus;
  return ask;
}

json EapServer::FastReceive(const json& m) {
  if (m.contains("pac")) {
    const json& pac = m["pac"];
    const auto contents = OpenPac(realm_.pacSecret, HexField(pac, "opaque"));
    if (!contents) return Fail(301);
    // The faults a scenario sets apply to PACs of earlier conversations, not to one just made.
    const bool fresh = SameBytes(issued_, HexField(pac, "opaque"));
    if (realm_.spec.pacRevoked && !fresh) return FastStart(319);
    if ((realm_.spec.pacExpired && !fresh) || contents->expires <= now_) return FastStart(318);
    if (!SameBytes(HexField(pac, "proof"), HmacSha256(contents->key, nonce_))) return Fail(301);
    provisioning_ = false;
    step_ = Step::kInnerIdentity;
    return {{"ask", "inner-identity"}, {"mode", 1}};
  }
  const int mode = IntField(m, "provision");
  if ((mode == 1 && realm_.spec.fastAnonymous) || (mode == 2 && realm_.spec.fastAuthenticated)) {
    provisioning_ = true;
    if (mode == 2) {
      step_ = Step::kTunnel;
      return {{"ask", "tunnel"}, {"certificates", realm_.chainPem}};
    }
    step_ = Step::kInnerIdentity;
    return {{"ask", "inner-identity"}, {"mode", 0}};
  }
  return Fail(301);
}

// The inner method passed: a provisioning run hands out a PAC, any other run ends in success.
json EapServer::InnerPassed(json extra) {
  if (method_ != kFast || !provisioning_) return Succeed(std::move(extra));
  if (realm_.spec.rejected) return Fail(realm_.spec.rejected);
  PacContents contents{UserNameOf(outerIdentity_), RandomBytes(32), now_ + kPacLifetimeSeconds};
  const Bytes opaque = SealPac(realm_.pacSecret, contents);
  issued_ = opaque;
  json pac = {{"aid", Hex(realm_.aid)},         {"iid", contents.iid},
              {"key", Hex(contents.key)},       {"opaque", Hex(opaque)},
              {"aidInfo", realm_.aidInfo},      {"type", 1},
              {"lifetime", kPacLifetimeSeconds}};
  json out = FastStart(0);
  out["provisioned"] = pac;
  for (auto& [key, value] : extra.items()) out[key] = value;
  return out;
}

}  // namespace kavo9::eap
